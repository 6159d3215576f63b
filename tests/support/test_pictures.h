// Small pictures for tests, in row-pixel colours 0x00RRGGBB.
#pragma once

#include <cstdint>

#include "platform/bitmap.h"

namespace puffel::test {

// A width x height picture filled with one colour.
Bitmap SolidPicture(int width, int height, uint32_t colour);

// A picture of background colour with a filled disc of the foreground colour:
// pixels whose centre lies within radius of (cx, cy).
Bitmap DiscPicture(int width, int height, double cx, double cy, double radius, uint32_t foreground,
                   uint32_t background);

// A disc of the given radius in the middle of a side x side picture on white
// paper, painted in a checker of two inks (squares of side / 10) so that the
// texture varies over the surface.
Bitmap CheckerDiscPicture(int side, double radius, uint32_t ink1, uint32_t ink2);

// A filled axis-aligned rectangle x0..x1-1, y0..y1-1 painted onto picture.
void PaintBlock(Bitmap& picture, int x0, int y0, int x1, int y1, uint32_t colour);

}  // namespace puffel::test
