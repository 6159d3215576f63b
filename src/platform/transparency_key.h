// Transparent pixels turned into a background colour that the builder's rule
// (the colour of pixel (0, 0) is background) finds.
#pragma once

#include <cstdint>

#include "platform/bitmap.h"

namespace puffel {

// Fills picture (already of the decoded size) from samples red, green, blue,
// alpha per pixel, row after row; a 16-bit sample v becomes v / 257, rounded
// down, as ImageMagick makes it. A pixel less than half opaque (alpha below
// 128, or 32768 in 16 bits) is transparent. When pixel (0, 0) is transparent, its colour is the
// key: every transparent pixel takes the key colour, and every other pixel of exactly that colour
// moves one step in blue (up, or down from 255) so that it stays silhouette. When pixel (0, 0) is
// opaque, alpha is ignored and every pixel keeps its colour. Colours are never blended with alpha.
void TakeKeyedPixels(const uint8_t* rgba, Bitmap& picture);
void TakeKeyedPixels(const uint16_t* rgba, Bitmap& picture);

}  // namespace puffel
