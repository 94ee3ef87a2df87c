// Whole pixels from single-precision positions.
#pragma once

#include <cmath>

// The nearest integer, halves to the even neighbour (100.5 -> 100, 101.5 -> 102).
inline int RoundHalfEven(double value) {
  constexpr double kLimit = 2147483647.0;
  if (!(value > -kLimit)) return -2147483647;  // and NaN
  if (value > kLimit) return 2147483647;
  return int(std::nearbyint(value));
}
