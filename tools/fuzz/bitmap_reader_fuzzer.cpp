// Fuzz entry for the bitmap reader, held to CheckDecodedPicture.
#include <cstdint>
#include <vector>

#include "decoded_picture_check.h"
#include "platform/bmp_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  puffel::CheckDecodedPicture(std::vector<uint8_t>(data, data + size), puffel::DecodeBitmap);
  return 0;
}
