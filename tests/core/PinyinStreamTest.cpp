// The stream gives exactly TextToPinyin's bytes however the text is cut into
// blocks, and keeps its memory bounded on a run of blanks.
#include <gtest/gtest.h>

#include <climits>

#include "HexBytes.h"
#include "IMCode.h"
#include "PinyinStream.h"

namespace {

using IMCode::TextToPinyin;
using IMCode::TPinyinStream;

std::string StreamInBlocks(std::string_view Text, int Mode, int MaxLen,
                           std::size_t BlockSize) {
  std::string Out;
  TPinyinStream Stream(Mode, MaxLen, [&Out](std::string_view P) { Out += P; });
  for (std::size_t At = 0; At < Text.size(); At += BlockSize)
    Stream.Feed(Text.substr(At, BlockSize));
  Stream.Finish();
  return Out;
}

// Texts where a block boundary can fall inside a double-byte character,
// inside a run of blanks at either end, or at the cut.
const std::string Texts[] = {
    "",
    HexBytes("BA BA D7 D6 D7 AA C6 B4 D2 F4"),
    "  Hello, " + HexBytes("CA C0 BD E7") + "!  \r\n",
    HexBytes("A1 A3 A1 A3 BA BA A1 A3 A1 A3"),
    HexBytes("BA BA BA"),
    HexBytes("BA 31 BA BA 80 FF FF A3 80 78 A3 A0 A3 A0"),
    HexBytes("A6 A8 BA BA A2 E2 A2 AB A2 40 A6 E0 B0 7F"),
    Repeated(HexBytes("D6 D0"), 43) + " \t ",
    Repeated(HexBytes("81 81 20"), 30),
};

TEST(PinyinStream, MatchesTextToPinyinForEveryBlockSize) {
  for (const std::string& Text : Texts) {
    for (int Mode : {-1, 0, 1, 3, 5, 7}) {
      for (int MaxLen : {0, 1, 4, 17, 255, INT_MAX}) {
        const std::string Expected = TextToPinyin(Text, Mode, MaxLen);
        for (std::size_t Block = 1; Block <= Text.size() + 1; ++Block) {
          ASSERT_EQ(StreamInBlocks(Text, Mode, MaxLen, Block), Expected)
              << "mode " << Mode << ", limit " << MaxLen << ", block " << Block
              << ", text of " << Text.size() << " bytes";
        }
      }
    }
  }
}

TEST(PinyinStream, EachFinishStartsAFreshText) {
  std::string Out;
  TPinyinStream Stream(1, 3, [&Out](std::string_view P) { Out += P; });
  for (const char* Line : {"\xBA\xBA\xD7\xD6", "  ", "\xD6", "\xD0\xBA"}) {
    Stream.Feed(Line);
    Stream.Finish();
    Out += '|';
  }
  // The cut and the trim start anew: "han", nothing, the lone byte dropped;
  // a lead byte left at the end of one text never pairs with the next one's
  // first byte (D6 D0 would read "zho"), so D0 BA reads "xie".
  EXPECT_EQ(Out, "han|||xie|");
}

TEST(PinyinStream, ReachingTheCutStopsTheScan) {
  std::string Out;
  TPinyinStream Stream(1, 5, [&Out](std::string_view P) { Out += P; });
  Stream.Feed(HexBytes("BA BA D7 D6"));
  EXPECT_TRUE(Stream.LimitReached());
  Stream.Feed(HexBytes("BA BA"));
  Stream.Finish();
  EXPECT_EQ(Out, "han z");
  EXPECT_FALSE(Stream.LimitReached());
}

TEST(PinyinStream, HoldsALongRunOfBlanksAndReleasesItWhole) {
  // More blanks than the hold keeps in memory, between two characters, kept
  // by pyKeepNonAlnum: they go out in order once text follows them.
  const std::string Blanks = Repeated("\t \r\n", 1 << 19);  // 2 MiB
  const std::string Text = HexBytes("BA BA") + Blanks + HexBytes("D7 D6");
  std::string Out;
  TPinyinStream Stream(5, INT_MAX, [&Out](std::string_view P) { Out += P; });
  for (std::size_t At = 0; At < Text.size(); At += 4096)
    Stream.Feed(std::string_view(Text).substr(At, 4096));
  Stream.Finish();
  EXPECT_EQ(Out, "han " + Blanks + "zi");

  // At the end of a text the same run falls to the trim.
  Out.clear();
  Stream.Feed(HexBytes("BA BA") + Blanks);
  Stream.Finish();
  EXPECT_EQ(Out, "han");
}

}  // namespace
