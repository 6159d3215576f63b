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

// Calls markedRow(y, marks) for y = 1..H-2 in order, with marks[x] = 1 where
// (x, y) is an outline pixel and 0 elsewhere (for x = 1..W-2). Three rows of
// background flags roll down the picture, and the flags are combined eight at
// a time.
template <class MarkedRow>
void markOutlineRows(const Bitmap& picture, uint32_t background, MarkedRow markedRow) {
  const int width = picture.Width();
  const int height = picture.Height();
  // A row pixel has the background colour exactly when its low three bytes
  // are the canvas colour with red and blue swapped (never, for a colour with
  // a top byte).
  const uint32_t backgroundPixel = background <= 0xFFFFFF ? SwapRedBlue(background) : 0xFFFFFFFF;
  std::vector<uint8_t> flags(4 * static_cast<size_t>(width));
  uint8_t* above = flags.data();
  uint8_t* row = above + width;
  uint8_t* below = row + width;
  uint8_t* const marks = below + width;
  const auto flagRow = [&](int y, uint8_t* out) {
    const uint32_t* pixels = picture.Row(y);
    for (int x = 0; x < width; ++x) out[x] = (pixels[x] & 0xFFFFFF) == backgroundPixel;
  };
  constexpr uint64_t Ones = 0x0101010101010101;
  flagRow(0, above);
  flagRow(1, row);
  for (int y = 1; y <= height - 2; ++y) {
    flagRow(y + 1, below);
    int x = 1;
    for (; x + 8 <= width - 1; x += 8) {
      const uint64_t mark =
          (loadBytes(row + x) ^ Ones) & (loadBytes(above + x) | loadBytes(below + x) |
                                         loadBytes(row + x - 1) | loadBytes(row + x + 1));
      std::memcpy(marks + x, &mark, sizeof mark);
    }
    for (; x <= width - 2; ++x) {
      marks[x] = (row[x] ^ 1) & (above[x] | below[x] | row[x - 1] | row[x + 1]);
    }
    markedRow(y, marks);
    uint8_t* const oldest = above;
    above = row;
    row = below;
    below = oldest;
  }
}

// Calls pixel(x) for every marked x = 1..W-2 of a row, left to right.
template <class Pixel>
void forEachMark(const uint8_t* marks, int width, Pixel pixel) {
  int x = 1;
  while (x <= width - 2) {
    if (x + 8 <= width - 1 && loadBytes(marks + x) == 0) {
      x += 8;
      continue;
    }
    if (marks[x] != 0) pixel(x);
    ++x;
  }
}

}  // namespace

OutlineList FindOutline(const Bitmap& picture, uint32_t background) {
  const int width = picture.Width();
  OutlineList outline;
  if (width < 3 || picture.Height() < 3) return outline;
  // Counted in a first pass, so that the lists take only what they hold and
  // nothing picture-sized is kept between the passes.
  size_t count = 0;
  markOutlineRows(picture, background, [&](int, const uint8_t* marks) {
    forEachMark(marks, width, [&](int) { ++count; });
  });
  outline.OutlineX.reserve(count);
  outline.OutlineY.reserve(count);
  markOutlineRows(picture, background, [&](int y, const uint8_t* marks) {
    forEachMark(marks, width, [&](int x) {
      outline.OutlineX.push_back(x);
      outline.OutlineY.push_back(y);
    });
  });
  return outline;
}

}  // namespace puffel
