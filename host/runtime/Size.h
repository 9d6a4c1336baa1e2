#pragma once

#include <cstdint>

// The host's size record: width and height, signed 32-bit.
struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};
