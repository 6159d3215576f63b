#include "platform/transparency_key.h"

#include <cstddef>

namespace puffel {

namespace {

uint32_t to8(uint8_t sample) { return sample; }
uint32_t to8(uint16_t sample) { return sample / 257; }

// Less than half opaque.
bool transparentAlpha(uint8_t alpha) { return alpha < 128; }
bool transparentAlpha(uint16_t alpha) { return alpha < 32768; }

template <typename Sample>
uint32_t rowPixel(const Sample* s) {
  return (to8(s[0]) << 16) | (to8(s[1]) << 8) | to8(s[2]);
}

template <typename Sample>
bool transparent(const Sample* s) {
  return transparentAlpha(s[3]);
}

template <typename Sample>
void takeKeyed(const Sample* rgba, Bitmap& picture) {
  const size_t count = static_cast<size_t>(picture.Width()) * picture.Height();
  uint32_t* out = picture.Pixels();
  if (count == 0 || !transparent(rgba)) {
    for (size_t i = 0; i < count; ++i) out[i] = rowPixel(rgba + 4 * i);
    return;
  }
  const uint32_t key = rowPixel(rgba);
  const uint32_t nudged = (key & 0xFF) == 0xFF ? key - 1 : key + 1;
  for (size_t i = 0; i < count; ++i) {
    const Sample* s = rgba + 4 * i;
    const uint32_t p = rowPixel(s);
    out[i] = transparent(s) ? key : p == key ? nudged : p;
  }
}

}  // namespace

void TakeKeyedPixels(const uint8_t* rgba, Bitmap& picture) { takeKeyed(rgba, picture); }
void TakeKeyedPixels(const uint16_t* rgba, Bitmap& picture) { takeKeyed(rgba, picture); }

}  // namespace puffel
