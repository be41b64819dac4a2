// The per-character step of the conversion, shared by TextToPinyin and
// TPinyinStream: what one double-byte character or one single byte adds to
// the joined text. Internal to the core.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "IMCode.h"

namespace IMCode::Detail {

// The bytes that one character adds to the joined text: its character text
// and, for a double-byte character, the separating space. At most 7 bytes
// are used (a six-letter syllable and its space); 8 are stored so that a
// piece is always copied whole.
struct TPiece {
  char Bytes[8];
  std::uint8_t Length;
};

// Everything a mode needs, prepared once per mode so that the scan does one
// table index per character and no test of the mode bits.
struct TModeTexts {
  TPiece Syllables[SyllableSlotCount + 1];  // by syllable number; 0 = none
  TPiece Row2[Row2NumberCount];             // A2A1..A2FE
  TPiece Greek[GreekLetterCount];           // A6A1..A6B8 and A6C1..A6D8
  TPiece Row3[256];                         // A3xx by trail byte
  TPiece NoReading;                         // "? " or " "
  bool KeepSingle[256];                     // single bytes that are kept
};

// The prepared texts of Mode & 7. Mode must not be negative.
const TModeTexts& TextsForMode(int Mode);

inline const TPiece& PieceOf(unsigned Lead, unsigned Trail,
                             const TModeTexts& Texts) {
  if (Lead - 0xA2u <= 0xA6u - 0xA2u) [[unlikely]] {
    switch (Lead) {
      case 0xA2:
        return Trail >= 0xA1 && Trail <= 0xFE ? Texts.Row2[Trail - 0xA1]
                                              : Texts.NoReading;
      case 0xA3:
        return Texts.Row3[Trail];
      case 0xA6:
        if (Trail >= 0xA1 && Trail <= 0xB8) return Texts.Greek[Trail - 0xA1];
        if (Trail >= 0xC1 && Trail <= 0xD8) return Texts.Greek[Trail - 0xC1];
        return Texts.NoReading;
      default:  // rows A4 and A5 (kana) are read from the index like others
        break;
    }
  }
  // Lead or trail 0xFF is no GBK byte and lies outside the index.
  if (Lead == 0xFF || Trail == 0xFF) [[unlikely]]
    return Texts.NoReading;
  return Texts.Syllables[GBKPinyinIndex[GBKIndexOf(Lead, Trail)]];
}

// Longest piece that one step of the scan may write.
constexpr std::size_t MaxPieceBytes = sizeof(TPiece::Bytes);

// Joins the characters of In[0, Length) into Out until the input ends or Out
// reaches OutLimit; the buffer must have MaxPieceBytes of room past OutLimit.
// When AtEnd is false, a last byte that could lead a double-byte character
// is left unread, because its trail byte is still to come. Sets *Consumed to
// the bytes read and returns the end of what was written.
inline char* JoinCharacters(const unsigned char* In, std::size_t Length,
                            bool AtEnd, char* Out, const char* OutLimit,
                            const TModeTexts& Texts, std::size_t* Consumed) {
  std::size_t At = 0;
  while (At < Length && Out < OutLimit) {
    const unsigned Byte = In[At];
    if (Byte >= 0x81) {
      if (At + 1 < Length) {
        const unsigned Trail = In[At + 1];
        if (Trail >= 0x40) {
          const TPiece& Piece = PieceOf(Byte, Trail, Texts);
          std::memcpy(Out, Piece.Bytes, MaxPieceBytes);
          Out += Piece.Length;
          At += 2;
          continue;
        }
      } else if (!AtEnd) {
        break;
      }
    }
    *Out = static_cast<char>(Byte);
    Out += Texts.KeepSingle[Byte];
    ++At;
  }
  *Consumed = At;
  return Out;
}

}  // namespace IMCode::Detail
