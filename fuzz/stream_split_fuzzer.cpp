// The streaming converter against TextToPinyin on the same bytes. Input: one
// byte of mode, two of limit, two that choose the split point, one that
// chooses the block size after it, then the GBK text. The first part is fed
// whole, the rest in blocks; any difference from TextToPinyin aborts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "IMCode.h"
#include "PinyinStream.h"

namespace {

using MivoraFuzz::Require;

// Feeds Text split at Split, the rest in blocks of Block bytes. A caller may
// stop feeding once the limit is reached; SkipAtLimit does so.
void FeedSplit(IMCode::TPinyinStream& Stream, std::string_view Text,
               std::size_t Split, std::size_t Block, bool SkipAtLimit) {
  Stream.Feed(Text.substr(0, Split));
  for (std::size_t At = Split; At < Text.size(); At += Block) {
    if (SkipAtLimit && Stream.LimitReached()) break;
    Stream.Feed(Text.substr(At, Block));
  }
  Stream.Finish();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data,
                                      std::size_t Size) {
  MivoraFuzz::TFuzzInput Input(Data, Size);
  if (!Input.Has(6)) return 0;
  const int Mode = Input.Mode();
  const int MaxLen = Input.Limit();
  const std::uint16_t SplitChoice = Input.Raw16();
  const std::size_t Block = Input.Byte() + 1u;
  const std::string_view Text = Input.Text();
  const std::size_t Split = SplitChoice % (Text.size() + 1);

  const std::string Expected = IMCode::TextToPinyin(Text, Mode, MaxLen);

  std::string Out;
  IMCode::TPinyinStream Stream(
      Mode, MaxLen, [&Out](std::string_view Piece) { Out += Piece; });
  FeedSplit(Stream, Text, Split, Block, true);
  Require(Out == Expected,
          "the stream, stopped at the limit, differs from TextToPinyin");

  // The same stream after Finish takes the next text afresh; this time it
  // is fed to the end even past the limit.
  Out.clear();
  FeedSplit(Stream, Text, Text.size() - Split, Block, false);
  Require(Out == Expected,
          "the stream's second text differs from TextToPinyin");
  return 0;
}
