#include "export/png_encode.h"

#include <stb_image_write.h>

#include <cstdint>
#include <new>
#include <vector>

namespace puffel {

namespace {

void appendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                             static_cast<size_t>(size));
}

}  // namespace

std::string EncodePng(const Bitmap& picture) {
  const int width = picture.Width();
  const int height = picture.Height();
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
  unsigned char* out = rgb.data();
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x) {
      *out++ = static_cast<unsigned char>(row[x] >> 16);
      *out++ = static_cast<unsigned char>(row[x] >> 8);
      *out++ = static_cast<unsigned char>(row[x]);
    }
  }
  std::string png;
  // Of the row filters, "sub" alone comes close to the best choice for every
  // row on drawings and photos alike, and trying all five takes twice as long.
  // The setting is the encoder's own global, set once before any thread uses it.
  static const bool subFilter = (stbi_write_force_png_filter = 1, true);
  (void)subFilter;
  // The encoder fails only when it cannot allocate.
  if (!stbi_write_png_to_func(appendBytes, &png, width, height, 3, rgb.data(), width * 3)) {
    throw std::bad_alloc();
  }
  return png;
}

}  // namespace puffel
