// Reading the tables of unit IMCode the way the conversion does, by GBK
// code, so that the tests can state their cases as codes and readings.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "IMCode.h"

namespace TableTests {

// A double-byte code written lead first, as in B0A1.
using TCode = std::uint16_t;

constexpr unsigned char LeadOf(TCode Code) { return Code >> 8; }
constexpr unsigned char TrailOf(TCode Code) { return Code & 0xFF; }

// The code as four hex digits, for failure messages.
inline std::string Hex(TCode Code) {
  char Text[5];
  std::snprintf(Text, sizeof Text, "%04X", static_cast<unsigned>(Code));
  return Text;
}

// The cell of Code in GBKPinyinIndex: 0 for no reading, else a slot number.
inline int SyllableNumberOf(TCode Code) {
  return IMCode::GBKPinyinIndex[IMCode::GBKIndexOf(LeadOf(Code), TrailOf(Code))];
}

// The syllable Code reads; empty for a cell without reading.
inline std::string_view ReadingOf(TCode Code) {
  return IMCode::SyllableText(SyllableNumberOf(Code));
}

// The reading of the row-A2 number A2t.
inline std::string_view Row2ReadingOf(TCode Code) {
  return IMCode::Row2Numbers[TrailOf(Code) - 0xA1].View();
}

// The reading of the Greek letter A6t, capital or small.
inline std::string_view GreekReadingOf(TCode Code) {
  const int Trail = TrailOf(Code);
  return IMCode::GreekLetters[Trail >= 0xC1 ? Trail - 0xC1 : Trail - 0xA1].View();
}

// A slot holds Length characters that Allowed accepts and zeros after them:
// a slot is read by its length byte, but stray bytes behind it would show a
// fault in the generator.
template <std::size_t Capacity, typename TAllowed>
::testing::AssertionResult IsWellFormed(const IMCode::TLengthPrefixed<Capacity>& Slot,
                                        TAllowed Allowed) {
  if (Slot.Length > Capacity)
    return ::testing::AssertionFailure() << "length " << int{Slot.Length};
  for (std::size_t Position = 0; Position < Capacity; ++Position) {
    const char Character = Slot.Text[Position];
    if (Position < Slot.Length ? !Allowed(Character) : Character != '\0')
      return ::testing::AssertionFailure()
             << "byte " << int{static_cast<unsigned char>(Character)} << " at " << Position;
  }
  return ::testing::AssertionSuccess();
}

inline bool IsLowerLetter(char Character) { return Character >= 'a' && Character <= 'z'; }
inline bool IsDigit(char Character) { return Character >= '0' && Character <= '9'; }

// An area of the table: the rows First..Last by lead byte and, in each of
// them, the trail bytes from First's to Last's, without trail 0x7F.
struct TArea {
  const char* Name;
  TCode First;
  TCode Last;

  void ForEach(const std::function<void(TCode)>& Visit) const {
    for (int Lead = LeadOf(First); Lead <= LeadOf(Last); ++Lead)
      for (int Trail = TrailOf(First); Trail <= TrailOf(Last); ++Trail)
        if (Trail != 0x7F) Visit(static_cast<TCode>(Lead << 8 | Trail));
  }

  int CellCount() const {
    int Count = 0;
    ForEach([&](TCode) { ++Count; });
    return Count;
  }

  int ReadingCount() const {
    int Count = 0;
    ForEach([&](TCode Code) { Count += SyllableNumberOf(Code) != 0; });
    return Count;
  }
};

// Every code of the table (lead 81..FE, trail 40..FE), trail 0x7F included.
inline void ForEachCode(const std::function<void(TCode)>& Visit) {
  for (int Lead = 0x81; Lead <= 0xFE; ++Lead)
    for (int Trail = 0x40; Trail <= 0xFE; ++Trail)
      Visit(static_cast<TCode>(Lead << 8 | Trail));
}

}  // namespace TableTests
