// Animated GIF files: frames of one size, each with a palette of its own,
// looping forever.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace puffel {

// Builds the file frame by frame. Each frame is stored as the rectangle in
// which it differs from the frame before, over the frame before ("do not
// dispose"); inside it, the pixels that did not change are transparent, so
// that runs of them cost next to nothing, and the changed ones take a
// median-cut palette of 255 colours of their own.
class GifEncoder {
 public:
  // A picture of width x height (each 1..65535).
  GifEncoder(int width, int height);

  // Adds frame (its size the picture's; 0x00RRGGBB pixels), shown for delay
  // hundredths of a second.
  void AddFrame(const Bitmap& frame, int delay);

  // The whole file; the encoder is done with.
  std::string Finish();

 private:
  int width_;
  int height_;
  std::vector<uint32_t> last_;  // the last frame added, 0x00RRGGBB
  bool first_ = true;
  std::string bytes_;
};

// The LZW image data of one frame: the minimum code size byte, the codes in
// sub-blocks of at most 255 bytes, and the empty block that ends them.
// indices are below 2^bits, bits in 1..8.
std::string GifImageData(const std::vector<uint8_t>& indices, int bits);

}  // namespace puffel
