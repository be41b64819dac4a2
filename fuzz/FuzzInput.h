// Reads the settings that a fuzz input carries in its first bytes, so that
// one byte string chooses the mode, the limit and the cut as well as the text.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace MivoraFuzz {

// Takes settings off the front of the input; what is left is the text.
class TFuzzInput {
 public:
  TFuzzInput(const std::uint8_t* Data, std::size_t Size)
      : Rest(reinterpret_cast<const char*>(Data), Size) {}

  bool Has(std::size_t Bytes) const { return Rest.size() >= Bytes; }

  // One byte, sign-extended, so that negative modes and modes with the
  // ignored bits above the three mode bits come up besides 0 to 7.
  int Mode() { return static_cast<std::int8_t>(Byte()); }

  // Two bytes, little endian, as a signed 16-bit limit; the two extreme
  // values stand for INT_MAX (no limit, as the filter runs) and INT_MIN.
  int Limit() {
    const auto Low = Byte();
    const auto Value = static_cast<std::int16_t>(Low | Byte() << 8);
    if (Value == INT16_MAX) return INT_MAX;
    if (Value == INT16_MIN) return INT_MIN;
    return Value;
  }

  // Two bytes, little endian, unsigned. Callers take it modulo the text's
  // size plus one to choose a position in the text, whose size is known only
  // once the settings are off the input.
  std::uint16_t Raw16() {
    const auto Low = Byte();
    return static_cast<std::uint16_t>(Low | Byte() << 8);
  }

  std::uint8_t Byte() {
    const auto Value = static_cast<std::uint8_t>(Rest.front());
    Rest.remove_prefix(1);
    return Value;
  }

  std::string_view Text() const { return Rest; }

 private:
  std::string_view Rest;
};

// A broken invariant: say which, and abort so that libFuzzer keeps the input.
[[noreturn]] inline void Broken(const char* What) {
  std::fprintf(stderr, "invariant broken: %s\n", What);
  std::abort();
}

inline void Require(bool Holds, const char* What) {
  if (!Holds) Broken(What);
}

}  // namespace MivoraFuzz
