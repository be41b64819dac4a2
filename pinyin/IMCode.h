// Unit IMCode: turns GBK (code page 936) text into toneless Hanyu Pinyin.
//
// The conversion is one routine, TextToPinyin, over four constant tables that
// tools/generate_tables.py writes into IMCodeTables.cpp. The tables are
// declared here so that callers and tests can read them directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace IMCode {

// Mode bits of TextToPinyin. A negative mode yields the empty result; bits
// other than these three are ignored.
constexpr int pyFullSyllable = 1;  // whole syllables, else first letters only
constexpr int pyMarkUnknown = 2;   // "?" for a character without reading
constexpr int pyKeepNonAlnum = 4;  // keep every single-byte character

// A table slot of one length byte and up to Capacity characters; the
// positions past the length hold 0.
template <std::size_t Capacity>
struct TLengthPrefixed {
  std::uint8_t Length;
  char Text[Capacity];

  constexpr std::string_view View() const { return {Text, Length}; }
};
using TSyllableSlot = TLengthPrefixed<6>;
using TSymbolSlot = TLengthPrefixed<2>;

constexpr int SyllableSlotCount = 405;
constexpr int GBKLeadCount = 126;   // lead bytes 0x81..0xFE
constexpr int GBKTrailCount = 191;  // trail bytes 0x40..0xFE, 0x7F included
constexpr int GBKIndexSize = GBKLeadCount * GBKTrailCount;  // 24,066
constexpr int Row2NumberCount = 94;                         // A2A1..A2FE
constexpr int GreekLetterCount = 24;                        // alpha..omega

// The syllable list. Syllable number k (1..405) is PinyinSyllables[k - 1];
// number 0 in GBKPinyinIndex means "no reading" and has no slot.
extern const TSyllableSlot PinyinSyllables[SyllableSlotCount];

// The syllable number of every code with lead 0x81..0xFE and trail
// 0x40..0xFE, at GBKIndexOf(lead, trail).
extern const std::uint16_t GBKPinyinIndex[GBKIndexSize];

// Readings of the enumerated numbers of row 0xA2: code A2t at index t - 0xA1.
extern const TSymbolSlot Row2Numbers[Row2NumberCount];

// Readings of the Greek letters of row 0xA6: capital A6t at index t - 0xA1,
// small A6t at index t - 0xC1.
extern const TSymbolSlot GreekLetters[GreekLetterCount];

constexpr int GBKIndexOf(unsigned char Lead, unsigned char Trail) {
  return (Lead - 0x81) * GBKTrailCount + (Trail - 0x40);
}

// The text of syllable number Number (1..405); empty for 0 and out of range.
inline std::string_view SyllableText(int Number) {
  return Number >= 1 && Number <= SyllableSlotCount
             ? PinyinSyllables[Number - 1].View()
             : std::string_view{};
}

// Converts a GBK string to its pinyin text: every double-byte character
// gives its character text and one space, ASCII letters and digits pass
// through, the joined text is cut to MaxLen bytes and then trimmed of bytes
// 0x20 and below at both ends. Accepts any bytes; never fails.
std::string TextToPinyin(std::string_view Text, int Mode, int MaxLen);

}  // namespace IMCode
