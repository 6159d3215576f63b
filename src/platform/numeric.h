// Conversions from reals to integers.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace puffel {

// A real truncated toward zero to an int; values beyond the int range saturate
// and NaN gives 0, so that no input can make the conversion undefined.
inline int TruncInt(double value) {
  if (!(value == value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

}  // namespace puffel
