// 100 MB in one line, and 100 MB of lines in whole mode, through the filter
// with its peak resident size, from wait4 (see PeakRssProbe.cpp), under
// 16 MiB: the filter streams and never holds a line or an input whole. The
// input is written through a pipe and the output checked as it comes, so the
// test holds neither either.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "SanitizedBuild.h"
#include "TempFolder.h"

namespace {

constexpr std::size_t InputBytes = 100 * 1000 * 1000;
constexpr long PeakLimitKiB = 16 * 1024;

// A text made of a head, a unit repeated, and a tail; the output expected
// has the same shape.
struct TShape {
  std::string Head, Unit, Tail;
};

struct TMemoryCase {
  const char* Id;
  std::vector<std::string> Args;
  TShape Input;
  TShape Output;
};

// Test listings name a case by its Id, not by a dump of its bytes.
void PrintTo(const TMemoryCase& Case, std::ostream* Out) { *Out << Case.Id; }

// Gives the input of Shape, InputBytes in all, in pieces of about 1 MB.
class TShapedInput {
 public:
  explicit TShapedInput(const TShape& Shape) : Shape(Shape) {
    while (Piece.size() < (1 << 20)) Piece += Shape.Unit;
    PieceUnits = Piece.size() / Shape.Unit.size();
    Units = (InputBytes - Shape.Head.size() - Shape.Tail.size()) /
            Shape.Unit.size();
  }
  std::size_t UnitCount() const { return Units; }

  std::string_view Next() {
    if (Step == 0) {
      Step = 1;
      if (!Shape.Head.empty()) return Shape.Head;
    }
    if (Given < Units) {
      const std::size_t Take = std::min(PieceUnits, Units - Given);
      Given += Take;
      return std::string_view(Piece).substr(0, Take * Shape.Unit.size());
    }
    if (Step == 1) {
      Step = 2;
      return Shape.Tail;
    }
    return {};
  }

 private:
  const TShape& Shape;
  std::string Piece;
  std::size_t PieceUnits = 0, Units = 0, Given = 0;
  int Step = 0;
};

// Checks, byte by byte as it comes, output that must be Shape with its unit
// repeated Units times.
class TShapedOutput {
 public:
  TShapedOutput(const TShape& Shape, std::size_t Units)
      : Shape(Shape),
        BodyEnd(Shape.Head.size() + Shape.Unit.size() * Units),
        Total(BodyEnd + Shape.Tail.size()) {}

  void Take(std::string_view Piece) {
    for (const char Byte : Piece) {
      if (FirstDifference < 0 && (At >= Total || Byte != Expected(At)))
        FirstDifference = static_cast<long long>(At);
      ++At;
    }
  }
  std::size_t Size() const { return At; }
  std::size_t ExpectedSize() const { return Total; }
  long long FirstDifference = -1;

 private:
  char Expected(std::size_t Offset) const {
    if (Offset < Shape.Head.size()) return Shape.Head[Offset];
    if (Offset < BodyEnd)
      return Shape.Unit[(Offset - Shape.Head.size()) % Shape.Unit.size()];
    return Shape.Tail[Offset - BodyEnd];
  }
  const TShape& Shape;
  std::size_t BodyEnd, Total;
  std::size_t At = 0;
};

class FilterMemory : public testing::TestWithParam<TMemoryCase> {};

TEST_P(FilterMemory, StaysUnder16MiB) {
  if (Hardening::AddressSanitized)
    GTEST_SKIP() << "AddressSanitizer's shadow memory makes the resident "
                    "size meaningless; the bound is checked in a build "
                    "without it";
  const TMemoryCase& Case = GetParam();
  TShapedInput Input(Case.Input);
  TShapedOutput Output(Case.Output, Input.UnitCount());

  // The filter runs under peak_rss_probe, which reports its peak.
  TestSupport::TTempFolder Folder;
  const std::filesystem::path PeakFile = Folder.Path() / "peak-kib";
  std::vector<std::string> Args{PeakFile.string(), PINYIN_BINARY};
  Args.insert(Args.end(), Case.Args.begin(), Case.Args.end());
  const TestSupport::TChildRun Run = TestSupport::RunChild(
      {.Program = PEAK_RSS_PROBE,
       .Args = Args,
       .Input = [&Input] { return Input.Next(); },
       .Output = [&Output](std::string_view Piece) { Output.Take(Piece); }});
  long PeakKiB = -1;
  std::ifstream(PeakFile) >> PeakKiB;

  ASSERT_EQ(Run.Signal, 0);
  EXPECT_EQ(Run.ExitStatus, 0);
  EXPECT_EQ(Run.Stderr, "");
  EXPECT_EQ(Output.Size(), Output.ExpectedSize());
  EXPECT_EQ(Output.FirstDifference, -1)
      << "first byte of the output that differs";
  ASSERT_GT(PeakKiB, 0) << "no figure from peak_rss_probe";
  EXPECT_LT(PeakKiB, PeakLimitKiB) << "peak resident size in KiB";
  RecordProperty("PeakRssKiB", std::to_string(PeakKiB));
}

// 汉字转拼音 gives "han zi zhuan pin yin"; repeated, the units are joined by
// the syllables' spaces.
const TShape Syllables{"han zi zhuan pin yin", " han zi zhuan pin yin", "\n"};
const std::string Gbk = "\xBA\xBA\xD7\xD6\xD7\xAA\xC6\xB4\xD2\xF4";

INSTANTIATE_TEST_SUITE_P(
    HundredMegabytes, FilterMemory,
    testing::Values(
        TMemoryCase{
            "Utf8OneLine", {}, {"汉字转拼音", "汉字转拼音", ""}, Syllables},
        TMemoryCase{"GbkOneLine", {"-e", "gbk"}, {Gbk, Gbk, ""}, Syllables},
        TMemoryCase{"Utf8WholeInputOfLines",
                    {"-w"},
                    {"汉字转拼音\n", "汉字转拼音\n", ""},
                    Syllables},
        // Blanks inside a line wait until it is known whether text follows
        // them: 100 MB of them must not be held in memory.
        TMemoryCase{"Utf8BlanksInsideOneLine",
                    {"-k"},
                    {"汉", " ", "字"},
                    {"han ", " ", "zi\n"}}),
    [](const testing::TestParamInfo<TMemoryCase>& Info) {
      return Info.param.Id;
    });

}  // namespace
