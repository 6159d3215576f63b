// The fill of one projected triangle side: every pixel whose centre lies in the
// triangle, nearer than what the view holds, gets the side's shaded texel.
#pragma once

#include "render/row_band.h"
#include "render/triangle_side.h"
#include "scene/scene.h"

namespace puffel {

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
