// Row2Numbers and GreekLetters: the readings of the enumerated numbers of
// row A2 and of the Greek letters of row A6.
#include <gtest/gtest.h>

#include <string_view>

#include "TableReadings.h"

namespace {

using TableTests::GreekReadingOf;
using TableTests::Hex;
using TableTests::IsDigit;
using TableTests::IsLowerLetter;
using TableTests::IsWellFormed;
using TableTests::Row2ReadingOf;
using TableTests::TCode;

struct TSymbolCase {
  TCode Code;
  std::string_view Reading;  // empty: an empty slot
};

const TSymbolCase Row2Cases[] = {
    // The first, tenth and last of each series.
    {0xA2A1, "1"}, {0xA2AA, "10"},                  // small roman numerals
    {0xA2B1, "1"}, {0xA2BA, "10"}, {0xA2C4, "20"},  // numbers with full stop
    {0xA2C5, "1"}, {0xA2CE, "10"}, {0xA2D8, "20"},  // parenthesised numbers
    {0xA2D9, "1"}, {0xA2E2, "10"},                  // circled numbers
    {0xA2E5, "1"}, {0xA2EE, "10"},                  // parenthesised ideographs
    {0xA2F1, "1"}, {0xA2FA, "10"}, {0xA2FC, "12"},  // roman numerals
    // The cells GBK leaves unassigned, A2FE the last slot of the table.
    {0xA2AB, ""}, {0xA2B0, ""}, {0xA2E3, ""}, {0xA2E4, ""},
    {0xA2EF, ""}, {0xA2F0, ""}, {0xA2FD, ""}, {0xA2FE, ""},
};

TEST(Row2Numbers, Readings) {
  for (const auto& Case : Row2Cases) {
    EXPECT_EQ(Row2ReadingOf(Case.Code), Case.Reading) << Hex(Case.Code);
  }
}

// Readings are decimal numbers without a leading zero, and the positions
// of a slot past its length hold zero.
TEST(Row2Numbers, SlotsAreWellFormed) {
  int Filled = 0;
  for (int Index = 0; Index < IMCode::Row2NumberCount; ++Index) {
    const auto& Slot = IMCode::Row2Numbers[Index];
    EXPECT_TRUE(IsWellFormed(Slot, IsDigit)) << "slot " << Index + 1;
    if (Slot.Length > 0) {
      EXPECT_NE(Slot.Text[0], '0') << "slot " << Index + 1;
    }
    Filled += Slot.Length != 0;
  }
  EXPECT_EQ(Filled, 82);
}

// Capital and small letter share a slot; the small one is 0x20 trail bytes
// further on.
const TSymbolCase GreekCases[] = {
    {0xA6A1, "a"},  {0xA6A2, "b"},  {0xA6A3, "g"},  {0xA6A4, "d"},  {0xA6A5, "e"},
    {0xA6A6, "z"},  {0xA6A7, "e"},  {0xA6A8, "th"}, {0xA6A9, "i"},  {0xA6AA, "k"},
    {0xA6AB, "l"},  {0xA6AC, "m"},  {0xA6AD, "n"},  {0xA6AE, "x"},  {0xA6AF, "o"},
    {0xA6B0, "p"},  {0xA6B1, "r"},  {0xA6B2, "s"},  {0xA6B3, "t"},  {0xA6B4, "u"},
    {0xA6B5, "ph"}, {0xA6B6, "kh"}, {0xA6B7, "ps"}, {0xA6B8, "o"},
};

TEST(GreekLetters, CapitalAndSmallReadAlike) {
  for (const auto& Case : GreekCases) {
    EXPECT_EQ(GreekReadingOf(Case.Code), Case.Reading) << Hex(Case.Code);
    const auto Small = static_cast<TCode>(Case.Code + 0x20);
    EXPECT_EQ(GreekReadingOf(Small), Case.Reading) << Hex(Small);
  }
}

TEST(GreekLetters, SlotsAreWellFormed) {
  for (int Index = 0; Index < IMCode::GreekLetterCount; ++Index) {
    const auto& Slot = IMCode::GreekLetters[Index];
    EXPECT_TRUE(IsWellFormed(Slot, IsLowerLetter)) << "slot " << Index + 1;
    EXPECT_GE(Slot.Length, 1) << "slot " << Index + 1;
  }
}

}  // namespace
