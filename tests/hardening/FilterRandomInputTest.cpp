// 10 MB of random bytes through the filter in each encoding: it must not
// crash, must exit as its input deserves (1 with one warning for UTF-8 that
// is invalid, 0 for GBK, which has no invalid bytes), must give output that
// is valid in its encoding, and must give for each line what the core gives
// for that line's bytes.
#include <gtest/gtest.h>
#include <utf8.h>

#include <algorithm>
#include <climits>
#include <random>
#include <ostream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "GBKEncoding.h"
#include "IMCode.h"
#include "SameBytes.h"
#include "SanitizedBuild.h"
#include "TempFolder.h"

namespace {

// AddressSanitizer's iconv interceptor checks the whole rest of the input on
// every call, and random UTF-8 makes one call per invalid byte: the time of
// a read block grows with its square. The sanitizer run takes 1 MB, which
// still spans several read blocks.
constexpr std::size_t RandomBytes =
    Hardening::AddressSanitized ? 1000 * 1000 : 10 * 1000 * 1000;

std::string RandomText(std::uint64_t Seed, bool WithLineFeeds) {
  std::mt19937_64 Generator(Seed);
  std::string Text(RandomBytes, '\0');
  for (std::size_t At = 0; At < Text.size(); At += 8) {
    const std::uint64_t Word = Generator();
    for (std::size_t I = 0; I < 8 && At + I < Text.size(); ++I)
      Text[At + I] = static_cast<char>(Word >> (8 * I));
  }
  if (!WithLineFeeds) std::replace(Text.begin(), Text.end(), '\n', 'x');
  return Text;
}

struct TSettings {
  const char* Id;
  std::vector<std::string> Args;
  bool Utf8;
  bool Whole;
  int Mode;
};

// Test listings name a case by its Id, not by a dump of its bytes.
void PrintTo(const TSettings& Case, std::ostream* Out) { *Out << Case.Id; }

// The output made from the core's whole-text helpers and the line rules
// alone: a line ends at LF, a CR before it belongs to the line break, a
// last line without LF is still a line; in whole mode the input is one text.
std::string ExpectedOutput(std::string_view Input, const TSettings& Settings) {
  const auto Convert = [&Settings](std::string_view Text) {
    if (!Settings.Utf8)
      return IMCode::TextToPinyin(Text, Settings.Mode, INT_MAX) + "\n";
    const std::string Gbk = IMCode::Utf8ToGbk(Text);
    return IMCode::GbkToUtf8(
               IMCode::TextToPinyin(Gbk, Settings.Mode, INT_MAX)) +
           "\n";
  };
  if (Settings.Utf8 && Input.starts_with("\xEF\xBB\xBF"))
    Input.remove_prefix(3);
  if (Input.empty()) return {};
  if (Settings.Whole) return Convert(Input);
  std::string Output;
  while (!Input.empty()) {
    const std::size_t Lf = std::min(Input.find('\n'), Input.size());
    std::string_view Line = Input.substr(0, Lf);
    if (Lf < Input.size() && Line.ends_with('\r')) Line.remove_suffix(1);
    Output += Convert(Line);
    Input.remove_prefix(std::min(Lf + 1, Input.size()));
  }
  return Output;
}

// The warning for the first line that holds invalid UTF-8, if any.
std::string ExpectedWarning(std::string_view Input, const std::string& Name) {
  const auto Invalid = utf8::find_invalid(Input.begin(), Input.end());
  if (Invalid == Input.end()) return {};
  const auto Line = 1 + std::count(Input.begin(), Invalid, '\n');
  return "pinyin: " + Name + ":" + std::to_string(Line) + ": invalid UTF-8\n";
}

class FilterRandomInput : public testing::TestWithParam<TSettings> {};

TEST_P(FilterRandomInput, ConvertsEveryLineAndGivesValidOutput) {
  const TSettings& Settings = GetParam();
  for (const bool WithLineFeeds : {true, false}) {
    SCOPED_TRACE(WithLineFeeds ? "lines of random bytes"
                               : "one line of random bytes");
    const std::string Input = RandomText(WithLineFeeds ? 6 : 7, WithLineFeeds);
    TestSupport::TTempFolder Folder;
    Folder.Write("random.txt", Input);
    std::vector<std::string> Args = Settings.Args;
    Args.push_back("random.txt");

    const TestSupport::TChildRun Run = TestSupport::RunChild(
        {.Program = PINYIN_BINARY, .Args = Args, .Folder = Folder.Path()});

    ASSERT_EQ(Run.Signal, 0);
    const std::string Warning =
        Settings.Utf8 ? ExpectedWarning(Input, "random.txt") : "";
    EXPECT_EQ(Run.Stderr, Warning);
    EXPECT_EQ(Run.ExitStatus, Warning.empty() ? 0 : 1);
    if (Settings.Utf8) {
      EXPECT_TRUE(utf8::is_valid(Run.Stdout.begin(), Run.Stdout.end()));
    } else if (!(Settings.Mode & IMCode::pyKeepNonAlnum)) {
      // Without kept bytes the GBK output is plain ASCII.
      EXPECT_TRUE(std::all_of(
          Run.Stdout.begin(), Run.Stdout.end(),
          [](char Byte) { return static_cast<unsigned char>(Byte) < 0x80; }));
    }
    EXPECT_TRUE(
        Hardening::SameBytes(Run.Stdout, ExpectedOutput(Input, Settings)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    EachEncoding, FilterRandomInput,
    testing::Values(
        TSettings{"Utf8Lines", {"-u"}, true, false, 3},
        TSettings{"Utf8WholeKept", {"-w", "-k", "-u"}, true, true, 7},
        TSettings{"GbkLines", {"-e", "gbk", "-u"}, false, false, 3},
        TSettings{"GbkWholeKept", {"-e", "gbk", "-w", "-k"}, false, true, 5}),
    [](const testing::TestParamInfo<TSettings>& Info) {
      return Info.param.Id;
    });

}  // namespace
