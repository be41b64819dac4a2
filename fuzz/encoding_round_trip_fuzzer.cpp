// The UTF-8/GBK layer on any bytes. Input: two bytes that choose a split
// point, then the text, read once as UTF-8 and once as GBK. Checks that:
// - UTF-8 to GBK replaces exactly the invalid bytes and the characters GBK
//   lacks, each by one stand-in, and a text converted in two blocks gives
//   the bytes and counts of the whole text;
// - GBK to UTF-8 always gives valid UTF-8, in two blocks as in one;
// - UTF-8 that GBK holds whole comes back unchanged, and so does its GBK.
#include <utf8.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "GBKEncoding.h"

namespace {

using MivoraFuzz::Require;

// Invalid bytes as the layer counts them: at each place where the text stops
// being valid UTF-8 one byte is replaced and the scan goes on after it.
std::size_t CountInvalidBytes(std::string_view Text) {
  std::size_t Count = 0;
  auto At = Text.begin();
  while ((At = utf8::find_invalid(At, Text.end())) != Text.end()) {
    ++Count;
    ++At;
  }
  return Count;
}

std::string ToGbkInTwo(std::string_view Utf8, std::size_t Split,
                       IMCode::TEncodingReport* Report) {
  IMCode::TUtf8ToGbk Converter;
  std::string Gbk;
  Converter.Convert(Utf8.substr(0, Split), Gbk, false, Report);
  Converter.Convert(Utf8.substr(Split), Gbk, true, Report);
  return Gbk;
}

std::string ToUtf8InTwo(std::string_view Gbk, std::size_t Split) {
  IMCode::TGbkToUtf8 Converter;
  std::string Utf8;
  Converter.Convert(Gbk.substr(0, Split), Utf8, false);
  Converter.Convert(Gbk.substr(Split), Utf8, true);
  return Utf8;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data,
                                      std::size_t Size) {
  MivoraFuzz::TFuzzInput Input(Data, Size);
  if (!Input.Has(2)) return 0;
  const std::uint16_t SplitChoice = Input.Raw16();
  const std::string_view Text = Input.Text();
  const std::size_t Split = SplitChoice % (Text.size() + 1);

  // The text as UTF-8.
  IMCode::TEncodingReport Report;
  const std::string Gbk = IMCode::Utf8ToGbk(Text, &Report);
  Require(Report.InvalidBytes == CountInvalidBytes(Text),
          "the count of invalid UTF-8 bytes is wrong");
  // No GBK byte is 0xFF, so the stand-ins are the only such bytes.
  const auto StandIns =
      static_cast<std::size_t>(std::count(Gbk.begin(), Gbk.end(), '\xFF'));
  Require(StandIns == 2 * (Report.InvalidBytes + Report.Unrepresentable),
          "the stand-ins do not match what was replaced");

  IMCode::TEncodingReport SplitReport;
  Require(ToGbkInTwo(Text, Split, &SplitReport) == Gbk,
          "UTF-8 to GBK in two blocks differs from the whole text");
  Require(SplitReport.InvalidBytes == Report.InvalidBytes &&
              SplitReport.Unrepresentable == Report.Unrepresentable,
          "UTF-8 to GBK in two blocks counts differently");

  const std::string Back = IMCode::GbkToUtf8(Gbk);
  Require(utf8::is_valid(Back.begin(), Back.end()),
          "GBK to UTF-8 gives invalid UTF-8");
  if (Report.Clean()) {
    Require(Back == Text,
            "clean UTF-8 does not survive a round trip through GBK");
    Require(IMCode::Utf8ToGbk(Back) == Gbk,
            "GBK does not survive a round trip through UTF-8");
  }

  // The same bytes as GBK.
  const std::string FromGbk = IMCode::GbkToUtf8(Text);
  Require(utf8::is_valid(FromGbk.begin(), FromGbk.end()),
          "GBK to UTF-8 gives invalid UTF-8 for raw bytes");
  Require(ToUtf8InTwo(Text, Split) == FromGbk,
          "GBK to UTF-8 in two blocks differs from the whole text");
  return 0;
}
