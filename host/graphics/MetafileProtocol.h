#pragma once

// The reply of the velto-metafile child on its standard output, when it exits with 0:
//   "VMF1", width and height as little-endian 32-bit unsigned, then height rows of width
//   little-endian 32-bit ARGB values (not premultiplied).
// On failure it writes one line of reason to standard error and exits with a non-zero code.
// Command line: velto-metafile [--cpu-seconds N] [--memory-mib N] emf|wmf FILE
// (--provoke alloc|spin|socket|write makes it misbehave inside its sandbox, for the tests.)

#include <cstdint>
#include <cstring>

// Defined in an AddressSanitizer build (gcc or clang): its shadow memory rules out an
// address-space limit on the helper, which the helper and its tests both need to know.
#if defined(__SANITIZE_ADDRESS__)
#define VELTO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELTO_ASAN 1
#endif
#endif

namespace MetafileProtocol {

constexpr char kMagic[4] = {'V', 'M', 'F', '1'};
constexpr int kHeaderSize = 12;

inline void PutU32(char* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = char((value >> (8 * i)) & 0xFF);
}

inline uint32_t GetU32(const char* in) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= uint32_t(uint8_t(in[i])) << (8 * i);
  return value;
}

}  // namespace MetafileProtocol
