#include "render/fill.h"

#include "render/side_paint.h"
#include "render/side_pixels.h"

namespace puffel {

void FillTriangle(Scene& scene, const TriangleSide& side, RowBand rows) {
  SidePaint paint;
  bool painted = false;
  FillNearerPixels<false>(scene, side, BoxOf(side, rows, FillAreaOf(scene)), side.part,
                          [&](uint32_t* pixels, int x, double u, double v, double z) {
                            if (!painted) {
                              paint.Prepare(scene, side);
                              painted = true;
                            }
                            pixels[x] = paint.Colour(u, v, z);
                          });
}

}  // namespace puffel
