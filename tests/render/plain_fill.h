// The plain triangle fill, the oracle of the fast one: shade the side, then
// test the weights at every pixel centre of the bounding box.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/numeric.h"
#include "render/barycentric.h"
#include "render/fill.h"
#include "render/shade.h"
#include "render/triangle_side.h"
#include "scene/scene.h"

namespace puffel::test {

// The side's pixels in the rows of the band, lit by shade.
inline void PlainFillShadedTriangle(Scene& scene, const TriangleSide& side,
                                    const TriangleShade& shade, RowBand rows = AllRows) {
  const Point3& a = side.view[0];
  const Point3& b = side.view[1];
  const Point3& c = side.view[2];
  const int xmin = TruncInt(std::min({a.x, b.x, c.x}));
  const int ymin = TruncInt(std::min({a.y, b.y, c.y}));
  const int xmax = TruncInt(std::max({a.x, b.x, c.x}));
  const int ymax = TruncInt(std::max({a.y, b.y, c.y}));
  const Bitmap& picture =
      side.side == Side::Front ? scene.PartPicture[side.part] : scene.PartBackPicture[side.part];
  const int w = scene.PartPicture[side.part].Width();
  const int h = scene.PartPicture[side.part].Height();
  const Point2& ta = side.texture[0];
  const Point2& tb = side.texture[1];
  const Point2& tc = side.texture[2];

  // Rows and columns outside the view (or the band) are skipped pixel by pixel
  // in the plain loop; leaving them out of the loop changes nothing and keeps
  // huge triangles from taking forever.
  for (int y = std::max({ymin, 0, rows.first});
       y <= std::min({ymax, scene.ViewHeight - 1, rows.last}); ++y) {
    for (int x = std::max(xmin, 0); x <= std::min(xmax, scene.ViewWidth - 1); ++x) {
      const Weights wt = BarycentricWeights({a.x, a.y}, {b.x, b.y}, {c.x, c.y}, {x + 0.5, y + 0.5});
      const double u = wt.u;
      const double v = wt.v;
      if (!(u >= 0 && v >= 0 && u + v <= 1)) continue;
      int tu = TruncInt(ta.x + (tb.x - ta.x) * u + (tc.x - ta.x) * v);
      int tv = TruncInt(ta.y + (tb.y - ta.y) * u + (tc.y - ta.y) * v);
      if (tu < 0 || tu >= w) tu = 0;
      if (tv < 0 || tv >= h) tv = 0;
      const double z = u * b.z + v * c.z + (1 - u - v) * a.z;
      if (z >= scene.DepthBuffer(x, y)) continue;
      scene.DepthBuffer(x, y) = z;
      scene.OwnerBuffer(x, y) = side.part;
      const uint32_t texel = picture.Row(tv)[tu];
      const double s =
          scene.FadeStart >= z
              ? shade.diffuse
              : shade.diffuse / ((z - scene.FadeStart) / std::max(scene.FadeRange, 1) + 1);
      const double light[3] = {static_cast<double>(scene.LightBlue),
                               static_cast<double>(scene.LightGreen),
                               static_cast<double>(scene.LightRed)};
      uint32_t value = 0;
      for (int channel = 0; channel < 3; ++channel) {
        const double t = (texel >> (8 * channel)) & 255;
        const double m = light[channel];
        const int level = TruncInt(std::max(std::min(t * s, m), 255 * shade.specular * (m / 255)));
        value += static_cast<uint32_t>(level) << (8 * channel);
      }
      scene.ViewBitmap.Row(y)[x] = value;
    }
  }
}

// The side shaded from its normal, then filled.
inline void PlainFillTriangle(Scene& scene, const TriangleSide& side, RowBand rows = AllRows) {
  PlainFillShadedTriangle(scene, side, ShadeTriangle(scene, side.normal), rows);
}

}  // namespace puffel::test
