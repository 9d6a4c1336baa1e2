#include "Capacity.h"

#include <algorithm>
#include <limits>

int32_t CommonIncreaseCapacity(int32_t current, int32_t needed) {
  constexpr int32_t minimum = 8;
  constexpr int32_t maximum = std::numeric_limits<int32_t>::max();
  int32_t grown = current < minimum ? minimum : (current > maximum / 2 ? maximum : current * 2);
  return std::max(grown, needed);
}
