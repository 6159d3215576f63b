// PNG files read back by stb's reader (the program's picture reader uses it
// too, with no alpha; here it keeps the alpha).
#pragma once

#include <stb_image.h>

#include <string>

#include "platform/bitmap.h"

namespace puffel::test {

// A PNG file's pixels as 0xAARRGGBB; an empty picture when it cannot be read.
inline Bitmap DecodeRgbaPng(const std::string& bytes) {
  int width = 0, height = 0, channels = 0;
  stbi_uc* rgba =
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                            static_cast<int>(bytes.size()), &width, &height, &channels, 4);
  if (rgba == nullptr) return {};
  Bitmap picture(width, height);
  for (size_t n = 0; n < static_cast<size_t>(width) * height; ++n) {
    const stbi_uc* p = rgba + 4 * n;
    picture.Pixels()[n] = uint32_t{p[3]} << 24 | uint32_t{p[0]} << 16 | p[1] << 8 | p[2];
  }
  stbi_image_free(rgba);
  return picture;
}

}  // namespace puffel::test
