// The fill of one projected triangle side: every pixel whose centre lies in the
// triangle, nearer than what the view holds, gets the side's shaded texel.
#pragma once

#include <limits>

#include "scene/scene.h"
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

// Rows first..last of the view.
struct RowBand {
  int first = 0;
  int last = 0;
};
constexpr RowBand AllRows{0, std::numeric_limits<int>::max()};

// Fills one projected triangle side into the rows of a band (FillTriangle, or
// a stand-in with the same result).
using TriangleFill = void (*)(Scene& scene, const TriangleSide& side, RowBand rows);

// Fills side into the view's rows: each pixel (x, y) of those rows whose centre
// (x + 0.5, y + 0.5) has weights u >= 0, v >= 0, u + v <= 1 and whose
// interpolated depth is strictly nearer than DepthBuffer gets that depth, the
// part in OwnerBuffer and the side's texel (PartPicture or PartBackPicture,
// falling back to column 0 / row 0 outside the picture) dimmed by the diffuse
// intensity and the fade, capped by the light colour and lifted to the
// specular highlight. The side is shaded (ShadeTriangle of its normal) only
// when its first pixel is written, since pixels are the only use of the shade.
// Pixel values, depths and owners are those of testing every pixel centre of
// the bounding box; only pixels that cannot pass are left untested.
// Rows are independent, so bands may be filled at once from different threads.
void FillTriangle(Scene& scene, const TriangleSide& side, RowBand rows = AllRows);

}  // namespace puffel
