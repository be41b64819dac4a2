// What every result of TextToPinyin must look like, whatever its input.
#pragma once

#include <string_view>

#include "FuzzInput.h"
#include "IMCode.h"

namespace MivoraFuzz {

inline bool IsAsciiLetterOrDigit(unsigned char Byte) {
  return (Byte >= '0' && Byte <= '9') || (Byte >= 'A' && Byte <= 'Z') ||
         (Byte >= 'a' && Byte <= 'z');
}

// The shape of a result for Mode and MaxLen: within the limit, trimmed, and
// without pyKeepNonAlnum made only of letters, digits, spaces and, under
// pyMarkUnknown, "?".
inline void CheckResultShape(std::string_view Result, int Mode, int MaxLen) {
  if (Mode < 0 || MaxLen <= 0) {
    Require(Result.empty(),
            "a negative mode or a limit of 0 or less gives the empty result");
    return;
  }
  Require(Result.size() <= static_cast<std::size_t>(MaxLen),
          "the result exceeds the limit");
  if (Result.empty()) return;
  Require(static_cast<unsigned char>(Result.front()) > 0x20,
          "the result starts with a blank");
  Require(static_cast<unsigned char>(Result.back()) > 0x20,
          "the result ends with a blank");
  if (Mode & IMCode::pyKeepNonAlnum) return;
  const bool MayMark = Mode & IMCode::pyMarkUnknown;
  for (const char Byte : Result) {
    const auto Unsigned = static_cast<unsigned char>(Byte);
    Require(IsAsciiLetterOrDigit(Unsigned) || Byte == ' ' ||
                (MayMark && Byte == '?'),
            "the result holds a byte that its mode does not keep");
  }
}

}  // namespace MivoraFuzz
