// The UTF-8/GBK layer: round trips, and text that GBK or UTF-8 cannot hold
// replaced one character at a time without losing what follows.
#include <gtest/gtest.h>

#include "GBKEncoding.h"
#include "HexBytes.h"
#include "IMCode.h"

namespace {

using IMCode::GbkToUtf8;
using IMCode::NoReadingCharacter;
using IMCode::TEncodingReport;
using IMCode::Utf8ToGbk;

const std::string Unknown(NoReadingCharacter);

TEST(GBKEncoding, RoundTripsTextThatGbkHolds) {
  for (const char* Text : {"", "abc 123\r\n", "汉字转拼音", "開會說話",
                           "ＡＢ１，。、①Ⅻα", "€ 5", "ぁ ア"}) {
    TEncodingReport Report;
    const std::string Gbk = Utf8ToGbk(Text, &Report);
    EXPECT_TRUE(Report.Clean()) << Text;
    EXPECT_EQ(GbkToUtf8(Gbk), Text);
  }
  EXPECT_EQ(Utf8ToGbk("汉字"), HexBytes("BA BA D7 D6"));
}

TEST(GBKEncoding, TheEuroSignIsTheSingleByte80) {
  EXPECT_EQ(Utf8ToGbk("€"), "\x80");
  EXPECT_EQ(GbkToUtf8("\x80"), "€");
}

struct TReplacementCase {
  const char* Id;
  std::string Utf8;
  std::string Gbk;
  std::size_t Invalid, Unrepresentable;
};

TEST(GBKEncoding, ReplacesEachFaultAndGoesOn) {
  const TReplacementCase Cases[] = {
      {"emoji in the middle", "汉😀字",
       HexBytes("BA BA") + Unknown + HexBytes("D7 D6"), 0, 1},
      {"ideograph of extension B",
       "\xF0\xA0\x80\x80"
       "a",
       Unknown + "a", 0, 1},
      {"character GBK lacks (U+FFFD)", "\xEF\xBF\xBD", Unknown, 0, 1},
      {"tag characters, which iconv would drop",
       "a\xF3\xA0\x80\x81\xF3\xA0\x81\xBF"
       "b",
       "a" + Unknown + Unknown + "b", 0, 2},
      {"sequence cut by a tag character",
       "\xE6\xB1\xF3\xA0\x80\x80"
       "c",
       Unknown + Unknown + Unknown + "c", 2, 1},
      {"truncated at the end", "a\xE6\xB1", "a" + Unknown + Unknown, 2, 0},
      {"truncated before ASCII",
       "\xE6\xB1"
       "b",
       Unknown + Unknown + "b", 2, 0},
      {"overlong slash",
       "\xC0\xAF"
       "c",
       Unknown + Unknown + "c", 2, 0},
      {"overlong three-byte NUL", "\xE0\x80\x80", Unknown + Unknown + Unknown,
       3, 0},
      {"encoded surrogate",
       "\xED\xA0\x80"
       "d",
       Unknown + Unknown + Unknown + "d", 3, 0},
      {"above U+10FFFF", "\xF4\x90\x80\x80", Repeated(Unknown, 4), 4, 0},
      {"lone continuation byte",
       "\x80"
       "汉",
       Unknown + HexBytes("BA BA"), 1, 0},
      {"byte FF", "\xFF", Unknown, 1, 0},
  };
  for (const TReplacementCase& Case : Cases) {
    SCOPED_TRACE(Case.Id);
    TEncodingReport Report;
    EXPECT_EQ(Utf8ToGbk(Case.Utf8, &Report), Case.Gbk);
    EXPECT_EQ(Report.InvalidBytes, Case.Invalid);
    EXPECT_EQ(Report.Unrepresentable, Case.Unrepresentable);
  }
}

TEST(GBKEncoding, ReplacedTextIsOneCharacterWithoutReading) {
  const std::string Gbk = Utf8ToGbk(
      "汉😀字\xFF"
      "abc");
  EXPECT_EQ(IMCode::TextToPinyin(Gbk, 3, 255), "han ? zi ? abc");
  EXPECT_EQ(IMCode::TextToPinyin(Gbk, 1, 255), "han  zi  abc");
}

TEST(GBKEncoding, BytesThatFormNoGbkCharacterBecomeReplacementCharacters) {
  EXPECT_EQ(GbkToUtf8(HexBytes("BA BA FF 61")),
            "汉\xEF\xBF\xBD"
            "a");
  EXPECT_EQ(GbkToUtf8(HexBytes("BA 31")),
            "\xEF\xBF\xBD"
            "1");
  EXPECT_EQ(GbkToUtf8(HexBytes("61 BA")), "a\xEF\xBF\xBD");
  EXPECT_EQ(GbkToUtf8(HexBytes("C0 20")), "\xEF\xBF\xBD ");
}

TEST(GBKEncoding, BlocksCutAnywhereGiveTheWholeTextResult) {
  // Faults of every kind, the old five- and six-byte forms among them (which
  // iconv reads as far as six bytes before it rejects them), a tag character
  // (which iconv drops unless it is kept from it), and a sequence cut by the
  // end of the text.
  const std::string Utf8 =
      "a汉😀\xE6\xB1"
      "b€\xED\xA0\x80字\xC0\xAF說\xF8\x88\x80\x80\x80"
      "c\xFC\x84\x80\x80\x80\x80"
      "d\xF3\xA0\x80\xA0\xE6\xF3\xA0\x81\x80"
      "e\xF3\xA0\x80";
  TEncodingReport WholeReport;
  const std::string WholeGbk = Utf8ToGbk(Utf8, &WholeReport);
  const std::string GbkPlusLead = WholeGbk + "\xBA";
  const std::string WholeBack = GbkToUtf8(GbkPlusLead);
  for (std::size_t Block = 1; Block <= Utf8.size(); ++Block) {
    IMCode::TUtf8ToGbk ToGbk;
    IMCode::TGbkToUtf8 ToUtf8;
    std::string Gbk, Back;
    TEncodingReport Report;
    // Each block is a string of its own, so that a converter that reads
    // before the start of a block cannot find the right bytes there.
    for (std::size_t At = 0; At < Utf8.size(); At += Block) {
      const std::string Piece = Utf8.substr(At, Block);
      ToGbk.Convert(Piece, Gbk, At + Block >= Utf8.size(), &Report);
    }
    for (std::size_t At = 0; At < GbkPlusLead.size(); At += Block) {
      const std::string Piece = GbkPlusLead.substr(At, Block);
      ToUtf8.Convert(Piece, Back, At + Block >= GbkPlusLead.size());
    }
    ASSERT_EQ(Gbk, WholeGbk) << "block " << Block;
    ASSERT_EQ(Report.InvalidBytes, WholeReport.InvalidBytes)
        << "block " << Block;
    ASSERT_EQ(Report.Unrepresentable, WholeReport.Unrepresentable);
    ASSERT_EQ(Back, WholeBack) << "block " << Block;
  }
}

TEST(GBKEncoding, ManyFaultsInOneLargeTextAreEachReplaced) {
  // iconv is given large texts in windows; faults near window ends and
  // sequences cut by them must come out as in a text of one window.
  std::string Utf8, Expected;
  for (int I = 0; I < 20000; ++I) {
    Utf8 += I % 3 ? "汉😀" : "字\xC0";
    Expected +=
        I % 3 ? HexBytes("BA BA") + Unknown : HexBytes("D7 D6") + Unknown;
  }
  TEncodingReport Report;
  EXPECT_EQ(Utf8ToGbk(Utf8, &Report), Expected);
  EXPECT_EQ(Report.Unrepresentable + Report.InvalidBytes, 20000u);
}

}  // namespace
