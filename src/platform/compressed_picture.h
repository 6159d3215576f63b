// PNG, JPEG and GIF pictures, decoded by stb_image under the bitmap reader's
// size limits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/bitmap.h"
#include "platform/picture_file.h"

namespace puffel {

// The largest PNG, JPEG or GIF file read: stb_image takes lengths as int.
constexpr size_t kMaxPictureFileSize = 0x7FFFFFFF;

// Why bytes are not a readable picture; the caller adds the file's name.
struct PictureRefusal {
  std::string reason;
};

// What a compressed picture's header says.
struct PictureHeader {
  int width = 0;
  int height = 0;
  bool sixteenBit = false;  // PNG samples of 16 bits
};

// Reads the header of a PNG, JPEG or GIF file. Throws PictureRefusal for a
// picture over the size limits (32768 a side, 2^26 pixels), checked first,
// for a file whose structure is unsound (see CheckPictureStructure) and for a
// header that cannot be read or gives no pixels.
PictureHeader ReadPictureHeader(const uint8_t* data, size_t size, PictureFormat format);

// Decodes a PNG, JPEG or GIF file of the given format into picture (see
// LoadPictureFile). No allocation of the decoder may exceed what the header's
// picture needs, so data that unpacks to more is refused instead of filling
// memory. Throws PictureRefusal; picture is unchanged then.
void DecodeCompressedPicture(const uint8_t* data, size_t size, PictureFormat format,
                             Bitmap& picture);

}  // namespace puffel
