// Picture files of every format the program reads: Windows bitmaps through
// the bitmap reader, PNG, JPEG and GIF through the compressed-picture decoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace puffel {

enum class PictureFormat { Bitmap, Png, Jpeg, Gif };

// The format the first bytes of a file announce. Anything that is not PNG,
// JPEG or GIF counts as a bitmap, whose reader refuses what it cannot read.
PictureFormat SniffPictureFormat(const uint8_t* data, size_t size);

// Decodes a picture file held in memory into picture, as LoadPictureFile does.
void DecodePicture(const std::vector<uint8_t>& data, Bitmap& picture);

// Reads the picture file at path into picture: a bitmap exactly as
// LoadBitmapFile reads it; PNG (every colour type and bit depth, palette,
// interlaced), JPEG (baseline and progressive, orientation tag ignored) and
// GIF (its first frame) with their size checked from the header before any
// pixel is decoded, under the bitmap reader's limits. Sixteen-bit samples and
// transparency: see TakeKeyedPixels. Throws
// PlatformError, naming the path, when the file cannot be read or decoded;
// picture is unchanged then, its canvas state kept either way.
void LoadPictureFile(const std::string& path, Bitmap& picture);

// True when the file name ends in .bmp, .png, .jpg, .jpeg or .gif, in any case.
bool IsPictureFileName(const std::string& path);

}  // namespace puffel
