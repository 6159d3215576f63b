// Two doubles worked on together. Each operation is the IEEE operation of
// each double on its own, so the results are bit for bit those of scalar
// code; one instruction does both, which halves the cost of the divisions
// that the weights of every pixel need.
#pragma once

#include <experimental/simd>

namespace puffel {

using DoublePair = std::experimental::fixed_size_simd<double, 2>;

inline DoublePair MakePair(double first, double second) {
  return DoublePair([&](auto lane) { return lane == 0 ? first : second; });
}

}  // namespace puffel
