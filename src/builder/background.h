// Background tests of the builder: a row pixel against the canvas colour of the
// picture's pixel (0, 0).
#pragma once

#include <cstdint>

#include "platform/bitmap.h"

namespace puffel {

// True when row pixel p has the canvas colour background (top byte ignored).
inline bool IsBackgroundPixel(uint32_t p, uint32_t background) {
  return SwapRedBlue(p) == background;
}

// True when pixel (x, y) of picture has the background colour; a pixel outside
// the picture counts as background.
inline bool IsBackgroundAt(const Bitmap& picture, int x, int y, uint32_t background) {
  if (x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height()) return true;
  return IsBackgroundPixel(picture.Row(y)[x], background);
}

}  // namespace puffel
