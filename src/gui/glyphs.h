// The small pictures on the glyph buttons.
#pragma once

#include <QImage>

#include "platform/controls.h"

namespace puffel {

constexpr int GlyphWidth = 23;
constexpr int GlyphHeight = 22;

// The 23 x 22 picture of glyph in 256-colour style, with every pixel of the
// lower-left pixel's colour made transparent (ARGB32). Glyph::None gives a
// null image.
QImage GlyphImage(Glyph glyph);

}  // namespace puffel
