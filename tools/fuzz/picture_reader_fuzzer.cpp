// Fuzz entry for the PNG, JPEG and GIF reader: any bytes that announce one of
// those formats either decode into a picture within the size limits, with a
// clear top byte in every pixel and the canvas state kept, or are refused
// with a PlatformError that leaves the picture as it was. Other bytes go to
// the bitmap reader, which has its own target.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/bmp_file.h"
#include "platform/compressed_picture.h"
#include "platform/picture_file.h"
#include "platform/platform_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace puffel;
  const PictureFormat format = SniffPictureFormat(data, size);
  if (format == PictureFormat::Bitmap) return 0;
  // Pictures up to 2^22 pixels: larger ones are legal, but each would spend
  // the run's time and memory on a few hundred MiB of pixels.
  try {
    const PictureHeader header = ReadPictureHeader(data, size, format);
    if (int64_t{header.width} * header.height > (int64_t{1} << 22)) return 0;
  } catch (const PictureRefusal&) {
  }
  const std::vector<uint8_t> bytes(data, data + size);
  constexpr uint32_t kMarker = 0xFF123456;
  Bitmap picture(1, 1);
  picture.Row(0)[0] = kMarker;
  picture.canvas.penColour = kMarker;
  try {
    DecodePicture(bytes, picture);
  } catch (const PlatformError&) {
    if (picture.Width() != 1 || picture.Height() != 1 || picture.Row(0)[0] != kMarker) abort();
    return 0;
  }
  const int64_t pixels = int64_t{picture.Width()} * picture.Height();
  if (picture.canvas.penColour != kMarker || picture.Width() < 1 || picture.Height() < 1 ||
      picture.Width() > kMaxBitmapSide || picture.Height() > kMaxBitmapSide ||
      pixels > kMaxBitmapPixels) {
    abort();
  }
  uint32_t allBits = 0;
  for (int64_t i = 0; i < pixels; ++i) allBits |= picture.Pixels()[i];
  if (allBits >> 24 != 0) abort();
  return 0;
}
