#include "platform/bitmap.h"

#include <algorithm>

namespace puffel {

Bitmap::Bitmap(int width, int height) { SetSize(width, height); }

void Bitmap::SetSize(int width, int height) {
  if (std::max(width, 0) != width_ || std::max(height, 0) != height_) {
    *this = Resized(width, height);
  }
}

Bitmap Bitmap::Resized(int width, int height) const {
  Bitmap resized;
  resized.canvas = canvas;
  resized.width_ = std::max(width, 0);
  resized.height_ = std::max(height, 0);
  resized.pixels_.assign(static_cast<size_t>(resized.width_) * resized.height_, 0);
  const int keepWidth = std::min(resized.width_, width_);
  const int keepHeight = std::min(resized.height_, height_);
  for (int y = 0; y < keepHeight; ++y) std::copy_n(Row(y), keepWidth, resized.Row(y));
  return resized;
}

void Bitmap::Release() {
  std::vector<uint32_t>().swap(pixels_);
  width_ = 0;
  height_ = 0;
}

void Bitmap::Fill(uint32_t p) { std::fill(pixels_.begin(), pixels_.end(), p); }

}  // namespace puffel
