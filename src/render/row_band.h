// A band of the view's rows, the unit the filled pass works in.
#pragma once

#include <limits>

namespace puffel {

// Rows first..last of the view.
struct RowBand {
  int first = 0;
  int last = 0;
};
constexpr RowBand AllRows{0, std::numeric_limits<int>::max()};

}  // namespace puffel
