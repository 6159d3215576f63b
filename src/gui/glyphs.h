// The glyph buttons' pictures as Qt images.
#pragma once

#include <QImage>

#include "platform/controls.h"
#include "platform/glyph_pictures.h"

namespace puffel {

// The picture of glyph (ARGB32) with every pixel of its lower-left pixel's
// colour transparent. Glyph::None gives a null image.
QImage GlyphImage(Glyph glyph);

}  // namespace puffel
