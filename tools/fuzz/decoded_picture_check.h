// What the picture-reading fuzz targets hold every decoder to: bytes either
// decode into a picture within the size limits, with a clear top byte in
// every pixel and the canvas state kept, or are refused with a PlatformError
// that leaves the picture as it was. Anything else aborts the run.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/bitmap.h"
#include "platform/bmp_file.h"
#include "platform/platform_error.h"

namespace puffel {

template <class Decode>
void CheckDecodedPicture(const std::vector<uint8_t>& bytes, Decode decode) {
  constexpr uint32_t kMarker = 0xFF123456;
  Bitmap picture(1, 1);
  picture.Row(0)[0] = kMarker;
  picture.canvas.penColour = kMarker;
  try {
    decode(bytes, picture);
  } catch (const PlatformError&) {
    if (picture.Width() != 1 || picture.Height() != 1 || picture.Row(0)[0] != kMarker) abort();
    return;
  }
  const int64_t pixels = int64_t{picture.Width()} * picture.Height();
  if (picture.canvas.penColour != kMarker || picture.Width() < 1 || picture.Height() < 1 ||
      picture.Width() > kMaxBitmapSide || picture.Height() > kMaxBitmapSide ||
      pixels > kMaxBitmapPixels) {
    abort();
  }
  // One test after the loop: a test per pixel would be traced for coverage.
  uint32_t allBits = 0;
  for (int64_t i = 0; i < pixels; ++i) allBits |= picture.Pixels()[i];
  if (allBits >> 24 != 0) abort();
}

}  // namespace puffel
