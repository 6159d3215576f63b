#include "support/test_pictures.h"

#include <algorithm>

namespace puffel::test {

Bitmap SolidPicture(int width, int height, uint32_t colour) {
  Bitmap picture(width, height);
  picture.Fill(colour);
  return picture;
}

Bitmap DiscPicture(int width, int height, double cx, double cy, double radius, uint32_t foreground,
                   uint32_t background) {
  Bitmap picture = SolidPicture(width, height, background);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double dx = x + 0.5 - cx;
      const double dy = y + 0.5 - cy;
      if (dx * dx + dy * dy <= radius * radius) picture.Row(y)[x] = foreground;
    }
  }
  return picture;
}

Bitmap CheckerDiscPicture(int side, double radius, uint32_t ink1, uint32_t ink2) {
  Bitmap picture = SolidPicture(side, side, 0xFFFFFF);
  const double centre = side / 2.0;
  const int square = std::max(side / 10, 1);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const double dx = x + 0.5 - centre;
      const double dy = y + 0.5 - centre;
      if (dx * dx + dy * dy > radius * radius) continue;
      picture.Row(y)[x] = (x / square + y / square) % 2 ? ink1 : ink2;
    }
  }
  return picture;
}

void PaintBlock(Bitmap& picture, int x0, int y0, int x1, int y1, uint32_t colour) {
  for (int y = std::max(y0, 0); y < std::min(y1, picture.Height()); ++y) {
    for (int x = std::max(x0, 0); x < std::min(x1, picture.Width()); ++x) {
      picture.Row(y)[x] = colour;
    }
  }
}

}  // namespace puffel::test
