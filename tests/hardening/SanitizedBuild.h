// Whether this build runs under AddressSanitizer, whose shadow memory and
// quarantine make a process's resident size say nothing about its own use.
#pragma once

namespace Hardening {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool AddressSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool AddressSanitized = true;
#else
inline constexpr bool AddressSanitized = false;
#endif
#else
inline constexpr bool AddressSanitized = false;
#endif

}  // namespace Hardening
