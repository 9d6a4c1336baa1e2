#pragma once

#include <cstdint>

// Growth rule of the container library: at least `needed`, doubling from a small minimum so that
// appending one element at a time stays amortised O(1).
int32_t CommonIncreaseCapacity(int32_t current, int32_t needed);
