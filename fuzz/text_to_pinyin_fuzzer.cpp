// TextToPinyin on any bytes with any mode and limit. Input: one byte of
// mode, two bytes of limit (see FuzzInput.h), then the GBK text.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "IMCode.h"
#include "PinyinInvariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data,
                                      std::size_t Size) {
  using namespace MivoraFuzz;
  TFuzzInput Input(Data, Size);
  if (!Input.Has(3)) return 0;
  const int Mode = Input.Mode();
  const int MaxLen = Input.Limit();
  const std::string_view Text = Input.Text();

  const std::string Result = IMCode::TextToPinyin(Text, Mode, MaxLen);
  CheckResultShape(Result, Mode, MaxLen);

  if (Mode >= 0) {
    // Only the three mode bits count.
    Require(IMCode::TextToPinyin(Text, Mode & 7, MaxLen) == Result,
            "a mode bit above the three changes the result");
    // The cut keeps a prefix of the joined text, and trimming that prefix
    // gives a prefix of the trimmed whole.
    const std::string Whole = IMCode::TextToPinyin(Text, Mode, INT_MAX);
    Require(Whole.compare(0, Result.size(), Result) == 0,
            "the cut result is no prefix of the uncut one");
    // A text of n bytes joins to at most 3.5 bytes per byte (a six-letter
    // syllable and its space for two).
    Require(Whole.size() <= Text.size() / 2 * 7 + Text.size() % 2,
            "the result is longer than the text can make");
  }
  return 0;
}
