// The filter's own path (byte order mark, line cutting, CR before LF, UTF-8
// to GBK and back, the core's stream) gives the same output however its
// input is cut into blocks, and that output is, line by line, TextToPinyin of
// the line's GBK bytes, as the core's whole-text helpers make them.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FilterSettings.h"
#include "GBKEncoding.h"
#include "IMCode.h"
#include "PinyinFilter.h"

namespace {

using namespace std::string_literals;
using Cli::TEncoding;
using Cli::TFilterSettings;

struct TFiltered {
  std::string Output;
  std::uint64_t InvalidLine = 0;

  bool operator==(const TFiltered&) const = default;
};

std::ostream& operator<<(std::ostream& Out, const TFiltered& Filtered) {
  return Out << testing::PrintToString(Filtered.Output) << ", invalid line "
             << Filtered.InvalidLine;
}

// Feeds Input to a filter in pieces that end at the offsets of Ends.
TFiltered FilterPieces(std::string_view Input, const TFilterSettings& Settings,
                       const std::vector<std::size_t>& Ends) {
  TFiltered Result;
  Cli::TPinyinFilter Filter(
      Settings, [&Result](std::string_view Piece) { Result.Output += Piece; });
  std::size_t At = 0;
  for (const std::size_t End : Ends) {
    Filter.Feed(Input.substr(At, End - At));
    At = End;
  }
  Filter.Feed(Input.substr(At));
  Filter.Finish();
  Result.InvalidLine = Filter.FirstInvalidLine();
  return Result;
}

std::vector<std::size_t> BlockEnds(std::size_t Length, std::size_t Block) {
  std::vector<std::size_t> Ends;
  for (std::size_t End = Block; End < Length; End += Block) Ends.push_back(End);
  return Ends;
}

// What the filter must give, made without any of the filter's code: the
// lines cut by hand, each converted on its own by the whole-text helpers.
TFiltered Expected(std::string_view Input, const TFilterSettings& Settings) {
  const bool Utf8 = Settings.Encoding == TEncoding::Utf8;
  if (Utf8 && Input.starts_with("\xEF\xBB\xBF")) Input.remove_prefix(3);
  TFiltered Result;
  std::vector<std::string_view> Texts;
  std::vector<std::string_view> RawLines;  // each with its line feed
  for (std::string_view Rest = Input; !Rest.empty();) {
    const std::size_t Lf = Rest.find('\n');
    std::string_view Line = Rest.substr(0, Lf);
    RawLines.push_back(Rest.substr(0, Lf == Rest.npos ? Lf : Lf + 1));
    if (Lf != Rest.npos && Line.ends_with('\r')) Line.remove_suffix(1);
    Texts.push_back(Line);
    Rest.remove_prefix(Lf == Rest.npos ? Rest.size() : Lf + 1);
  }
  if (Settings.Whole && !Input.empty()) Texts = {Input};

  for (const std::string_view Text : Texts) {
    const std::string Gbk = Utf8 ? IMCode::Utf8ToGbk(Text) : std::string(Text);
    // The texts here are short: no cut at all is a cut at the largest int.
    const int MaxLen =
        static_cast<int>(std::min<std::int64_t>(Settings.MaxLen, INT_MAX));
    const std::string Pinyin =
        IMCode::TextToPinyin(Gbk, Settings.Mode, MaxLen) + "\n";
    Result.Output += Utf8 ? IMCode::GbkToUtf8(Pinyin) : Pinyin;
  }
  for (std::size_t Line = 0; Utf8 && Line < RawLines.size(); ++Line) {
    IMCode::TEncodingReport Report;
    IMCode::Utf8ToGbk(RawLines[Line], &Report);
    if (Report.InvalidBytes > 0) {
      Result.InvalidLine = Line + 1;
      break;
    }
  }
  return Result;
}

std::vector<TFilterSettings> AllSettings(TEncoding Encoding) {
  std::vector<TFilterSettings> All;
  for (const bool Whole : {false, true})
    for (const int Mode : {1, 0, 3, 7, -1})
      for (const std::int64_t MaxLen : {Cli::NoMaxLen, std::int64_t{0}, std::int64_t{5}})
        All.push_back({Encoding, Mode, MaxLen, Whole});
  return All;
}

std::string Describe(const TFilterSettings& Settings) {
  return std::string(Settings.Whole ? "whole" : "lines") + ", mode " +
         std::to_string(Settings.Mode) + ", limit " +
         std::to_string(Settings.MaxLen);
}

// Every block size from 1 byte up, and every cut into two pieces.
void ExpectSameForEveryCut(const std::string& Input, TEncoding Encoding) {
  for (const TFilterSettings& Settings : AllSettings(Encoding)) {
    SCOPED_TRACE(Describe(Settings));
    const TFiltered Want = Expected(Input, Settings);
    for (std::size_t Block = 1; Block <= Input.size(); ++Block)
      ASSERT_EQ(FilterPieces(Input, Settings, BlockEnds(Input.size(), Block)),
                Want)
          << "blocks of " << Block;
    for (std::size_t Cut = 0; Cut <= Input.size(); ++Cut)
      ASSERT_EQ(FilterPieces(Input, Settings, {Cut}), Want) << "cut at " << Cut;
  }
}

const std::string Utf8Inputs[] = {
    "",
    "汉字\r\n中国\n\nabc汉字\r\r\n  ,\r",
    "Hello, 世界!\r\n€ ＡＢ１ａ，Θ⑩\n",
    "\xEF\xBB\xBF汉\n字",  // a byte order mark
    "\xEF\xBB\xBF",        // nothing but the mark
    "\xEF\xBB"
    "x\n",  // a mark begun and not finished
    "\xEF",
    // Invalid UTF-8, and sequences cut by a line break or the end.
    "a\n汉\xFF字\n\xE6\xB1\n\xE6\xB1\x89\n\xE6",
    // Characters outside GBK on line 4 and invalid bytes on line 5: the line
    // of the first invalid byte is found within a run of lines.
    "a\nb\n\nc😀\n汉\xC0\xAF\n",
    "\r",
    "\r\r\n\n\r",
    "a\0b\n\0"s,
};

const std::string GbkInputs[] = {
    "\xBA\xBA\xD7\xD6\r\n\xD6\xD0\xB9\xFA\n",
    // Lead bytes before a line break, before a lone CR and at the end.
    "\xBA\n\xBA\r\n\xBA\r\xBA\xBA\n\xBA",
    "\xEF\xBB\xBF\n",  // no byte order mark in GBK
    "\xA3\x80x\xA3\xA0\n\x81\x40\xFF\xFF\x80\xA6\xA8\xA2\xE2",
    "  \r\n\r",
};

TEST(FilterBlocks, Utf8InputGivesTheSameForEveryCut) {
  for (const std::string& Input : Utf8Inputs) {
    SCOPED_TRACE(testing::PrintToString(Input));
    ExpectSameForEveryCut(Input, TEncoding::Utf8);
  }
}

TEST(FilterBlocks, GbkInputGivesTheSameForEveryCut) {
  for (const std::string& Input : GbkInputs) {
    SCOPED_TRACE(testing::PrintToString(Input));
    ExpectSameForEveryCut(Input, TEncoding::Gbk);
  }
}

// A line far longer than what the filter keeps of an unfinished line goes
// through the decoder as it comes; a sequence cut by a block stays whole,
// and its invalid bytes are still put on the right line.
TEST(FilterBlocks, LongLineGivesTheSameForBlocksAroundItsLimits) {
  std::string Long;
  while (Long.size() < 60 * 1024) Long += "汉字ab，";
  Long += "😀";
  while (Long.size() < 100 * 1024) Long += "汉字ab，";
  Long += "\xFF";
  while (Long.size() < 200 * 1024) Long += "中国 Θ ";
  const std::string Input = "first\n" + Long + "\r\nlast\xE6\n";

  for (const bool Whole : {false, true}) {
    for (const std::int64_t MaxLen : {Cli::NoMaxLen, std::int64_t{70000}}) {
      const TFilterSettings Settings{TEncoding::Utf8, 3, MaxLen, Whole};
      SCOPED_TRACE(Describe(Settings));
      const TFiltered Want = Expected(Input, Settings);
      ASSERT_EQ(Want.InvalidLine, 2u);
      for (const std::size_t Block :
           {1, 2, 3, 5, 4095, 4096, 65535, 65536, 65537, 100000, 300000})
        ASSERT_EQ(FilterPieces(Input, Settings, BlockEnds(Input.size(), Block)),
                  Want)
            << "blocks of " << Block;
    }
  }
}

}  // namespace
