// Compares two byte strings that may be megabytes long: on a difference it
// names the sizes and the first offset that differs, with a little context,
// instead of printing both strings whole.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace Hardening {

inline testing::AssertionResult SameBytes(std::string_view Actual,
                                          std::string_view Expected) {
  if (Actual == Expected) return testing::AssertionSuccess();
  const auto [AtActual, AtExpected] = std::mismatch(
      Actual.begin(), Actual.end(), Expected.begin(), Expected.end());
  const std::size_t At = static_cast<std::size_t>(AtActual - Actual.begin());
  const std::size_t From = At < 16 ? 0 : At - 16;
  return testing::AssertionFailure()
         << "sizes " << Actual.size() << " and " << Expected.size()
         << " (expected), first difference at byte " << At << ": got "
         << testing::PrintToString(std::string(Actual.substr(From, 48)))
         << ", expected "
         << testing::PrintToString(std::string(Expected.substr(From, 48)));
}

}  // namespace Hardening
