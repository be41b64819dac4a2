// Recognises one well-formed UTF-8 sequence, to tell a character that GBK
// lacks (skipped whole) from bytes that are no UTF-8 at all (each replaced).
// Internal to the core.
#pragma once

#include <cstddef>
#include <string_view>

namespace IMCode::Detail {

// The length (1 to 4) of the well-formed UTF-8 sequence that starts Bytes,
// or 0 when it starts with an ill-formed or incomplete one. Overlong forms,
// encoded surrogates and values above U+10FFFF are ill-formed.
constexpr std::size_t ValidUtf8SequenceLength(std::string_view Bytes) {
  if (Bytes.empty()) return 0;
  const auto At = [&Bytes](std::size_t I) {
    return static_cast<unsigned char>(Bytes[I]);
  };
  const unsigned Lead = At(0);
  if (Lead < 0x80) return 1;
  std::size_t Length = 0;
  unsigned Low = 0x80, High = 0xBF;  // range of the second byte
  if (Lead >= 0xC2 && Lead <= 0xDF) {
    Length = 2;
  } else if (Lead >= 0xE0 && Lead <= 0xEF) {
    Length = 3;
    if (Lead == 0xE0) Low = 0xA0;   // no overlong forms
    if (Lead == 0xED) High = 0x9F;  // no surrogates
  } else if (Lead >= 0xF0 && Lead <= 0xF4) {
    Length = 4;
    if (Lead == 0xF0) Low = 0x90;   // no overlong forms
    if (Lead == 0xF4) High = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (Bytes.size() < Length) return 0;
  if (At(1) < Low || At(1) > High) return 0;
  for (std::size_t I = 2; I < Length; ++I)
    if (At(I) < 0x80 || At(I) > 0xBF) return 0;
  return Length;
}

}  // namespace IMCode::Detail
