// PNG and GIF files written byte by byte for the picture reader's tests, so
// that every colour type, bit depth, palette and transparency can be chosen,
// and the colours hidden under transparent pixels too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace puffel::test {

using Bytes = std::vector<uint8_t>;

struct PngImage {
  int width = 0;
  int height = 0;
  int colourType = 6;  // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
  int depth = 8;       // bits a sample: 1, 2, 4, 8 or 16
  bool interlaced = false;
  // The samples of every pixel in the colour type's order, row after row
  // (palette: one index a pixel).
  std::vector<uint16_t> samples{};
  Bytes palette{};       // red, green, blue per entry (colour type 3)
  Bytes transparency{};  // the tRNS chunk's data as stored; none when empty
};

// The PNG file of image: its rows unfiltered, deflated in stored blocks.
Bytes EncodePng(const PngImage& image);
// A PNG file with image's header whose image data is zlibData as given.
Bytes PngWithImageData(const PngImage& image, const Bytes& zlibData);
// A zlib stream that unpacks into count zero bytes, packed tight (runs of 258).
Bytes ZlibOfZeros(size_t count);

struct GifImage {
  int width = 0;
  int height = 0;
  Bytes palette{};  // red, green, blue per entry; 2, 4, ... 256 entries
  Bytes indices{};  // one a pixel, row after row
  int transparentIndex = -1;
};

// A GIF89a file of one frame with a global colour table.
Bytes EncodeGif(const GifImage& image);

// A JPEG file of flat 8 x 8 blocks in a fixed pattern (only DC coefficients):
// grey, or colour with the luminance sampled twice as densely each way as the
// chrominance; baseline, or progressive with a DC scan and one AC scan per
// component.
Bytes EncodeBlockJpeg(int width, int height, bool colour, bool progressive);

}  // namespace puffel::test
