#include "builder/outline.h"

#include <cstring>
#include <vector>

namespace puffel {

namespace {

// Eight one-byte flags at once.
uint64_t loadBytes(const uint8_t* at) {
  uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

// Marks the outline pixels of rows 1..H-2 with 1 (0 elsewhere) and returns
// how many there are. Three rows of background flags roll down the picture,
// and the flags are combined eight at a time.
size_t markOutline(const Bitmap& picture, uint32_t background, std::vector<uint8_t>& marks) {
  const int width = picture.Width();
  const int height = picture.Height();
  // A row pixel has the background colour exactly when its low three bytes
  // are the canvas colour with red and blue swapped (never, for a colour with
  // a top byte).
  const uint32_t backgroundPixel = background <= 0xFFFFFF ? SwapRedBlue(background) : 0xFFFFFFFF;
  std::vector<uint8_t> flags(3 * static_cast<size_t>(width));
  uint8_t* above = flags.data();
  uint8_t* row = above + width;
  uint8_t* below = row + width;
  const auto flagRow = [&](int y, uint8_t* out) {
    const uint32_t* pixels = picture.Row(y);
    for (int x = 0; x < width; ++x) out[x] = (pixels[x] & 0xFFFFFF) == backgroundPixel;
  };
  constexpr uint64_t Ones = 0x0101010101010101;
  size_t count = 0;
  flagRow(0, above);
  flagRow(1, row);
  for (int y = 1; y <= height - 2; ++y) {
    flagRow(y + 1, below);
    uint8_t* out = marks.data() + static_cast<size_t>(y) * width;
    int x = 1;
    for (; x + 8 <= width - 1; x += 8) {
      const uint64_t mark =
          (loadBytes(row + x) ^ Ones) & (loadBytes(above + x) | loadBytes(below + x) |
                                         loadBytes(row + x - 1) | loadBytes(row + x + 1));
      std::memcpy(out + x, &mark, sizeof mark);
      count += (mark * Ones) >> 56;
    }
    for (; x <= width - 2; ++x) {
      out[x] = (row[x] ^ 1) & (above[x] | below[x] | row[x - 1] | row[x + 1]);
      count += out[x];
    }
    uint8_t* const oldest = above;
    above = row;
    row = below;
    below = oldest;
  }
  return count;
}

}  // namespace

OutlineList FindOutline(const Bitmap& picture, uint32_t background) {
  const int width = picture.Width();
  const int height = picture.Height();
  OutlineList outline;
  if (width < 3 || height < 3) return outline;
  std::vector<uint8_t> marks(static_cast<size_t>(width) * height);
  // Counted first so that a large picture's lists take only what they hold.
  const size_t count = markOutline(picture, background, marks);
  outline.OutlineX.reserve(count);
  outline.OutlineY.reserve(count);
  for (int y = 1; y <= height - 2; ++y) {
    const uint8_t* row = marks.data() + static_cast<size_t>(y) * width;
    int x = 1;
    while (x <= width - 2) {
      if (x + 8 <= width - 1 && loadBytes(row + x) == 0) {
        x += 8;
        continue;
      }
      if (row[x] != 0) {
        outline.OutlineX.push_back(x);
        outline.OutlineY.push_back(y);
      }
      ++x;
    }
  }
  return outline;
}

}  // namespace puffel
