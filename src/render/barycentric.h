// Where a point lies in a projected triangle, as weights of its corners.
#pragma once

#include "render/triangle_side.h"

namespace puffel {

// Weights of p: p = a + u (b - a) + v (c - a), u for b and v for c.
struct Weights {
  double u = 0;
  double v = 0;
};

// The weights of p in the triangle a, b, c; (-1, -1), which reads as outside,
// when the determinant of b - a and c - a is exactly 0.
Weights BarycentricWeights(Point2 a, Point2 b, Point2 c, Point2 p);

}  // namespace puffel
