#include "gui/glyphs.h"

#include "platform/glyph_pictures.h"

namespace puffel {

QImage GlyphImage(Glyph glyph) {
  const Bitmap picture = GlyphPicture(glyph);
  if (picture.Empty()) return QImage();
  QImage image(picture.Width(), picture.Height(), QImage::Format_ARGB32);
  const uint32_t transparent = GlyphTransparentColour(picture);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const uint32_t pixel = picture.Row(y)[x] & 0xFFFFFF;
      image.setPixel(x, y, pixel == transparent ? 0 : 0xFF000000 | pixel);
    }
  }
  return image;
}

}  // namespace puffel
