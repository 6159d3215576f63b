#include "platform/bitmap.h"

#include <algorithm>

namespace puffel {

Bitmap::Bitmap(int width, int height) { SetSize(width, height); }

void Bitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  std::vector<uint32_t> resized(static_cast<size_t>(width) * height, 0);
  const int keepWidth = std::min(width, width_);
  const int keepHeight = std::min(height, height_);
  for (int y = 0; y < keepHeight; ++y) {
    std::copy_n(Row(y), keepWidth, resized.data() + static_cast<size_t>(y) * width);
  }
  pixels_.swap(resized);
  width_ = width;
  height_ = height;
}

void Bitmap::Release() {
  std::vector<uint32_t>().swap(pixels_);
  width_ = 0;
  height_ = 0;
}

void Bitmap::Fill(uint32_t p) { std::fill(pixels_.begin(), pixels_.end(), p); }

}  // namespace puffel
