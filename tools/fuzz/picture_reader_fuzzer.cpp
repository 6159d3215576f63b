// Fuzz entry for the PNG, JPEG and GIF reader, held to CheckDecodedPicture:
// bytes that announce one of those formats. Other bytes go to the bitmap
// reader, which has its own target.
#include <cstdint>
#include <vector>

#include "decoded_picture_check.h"
#include "platform/compressed_picture.h"
#include "platform/picture_file.h"

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
  CheckDecodedPicture(std::vector<uint8_t>(data, data + size), DecodePicture);
  return 0;
}
