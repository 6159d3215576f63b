// The small pictures on the glyph buttons, drawn once for every binding.
#pragma once

#include <cstdint>

#include "platform/bitmap.h"
#include "platform/controls.h"

namespace puffel {

constexpr int GlyphWidth = 23;
constexpr int GlyphHeight = 22;

// The 23 x 22 picture of glyph in the classic 16-colour palette (row pixels
// 0x00RRGGBB). Glyph::None gives an empty picture.
Bitmap GlyphPicture(Glyph glyph);

// The colour a glyph button shows as transparent: its picture's lower-left pixel's.
inline uint32_t GlyphTransparentColour(const Bitmap& picture) {
  return picture.Row(picture.Height() - 1)[0] & 0xFFFFFF;
}

}  // namespace puffel
