// Windows bitmap files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace puffel {

// Largest picture side and pixel count that are read; larger files are refused.
constexpr int kMaxBitmapSide = 32768;
constexpr int64_t kMaxBitmapPixels = int64_t{1} << 26;

// Decodes a Windows bitmap held in memory (core, info, V4 and V5 headers, the
// 52- and 56-byte info variants, OS/2 2.x headers of 16 and 64 bytes; 1, 2, 4,
// 8, 16, 24 and 32 bits; RLE4, RLE8 and bit fields; bottom-up and top-down)
// into picture, whose pixels get a top byte of 0 and whose canvas state is
// kept. Palette indices past the file's palette and pixels a run-length stream
// skips are black (0). Bit-field channels of n < 8 bits widen by repeating
// their bits (5 bits: (v << 3) | (v >> 2)); wider channels keep their top 8
// bits. Throws PlatformError for anything that is not a readable bitmap, for an
// empty or oversized picture (checked before the pixels are allocated) and for
// data shorter than the headers, palette or uncompressed pixels require; never
// reads past the end of data. picture is unchanged when it throws.
void DecodeBitmap(const std::vector<uint8_t>& data, Bitmap& picture);

// Reads the file at path into picture (see DecodeBitmap). Throws PlatformError,
// naming the path, when the file cannot be read or decoded; picture is
// unchanged then.
void LoadBitmapFile(const std::string& path, Bitmap& picture);

// Encodes picture as a 32-bit bottom-up bitmap with a 40-byte info header, no
// compression, pixels stored as B, G, R, 0. Throws PlatformError when the
// pixels do not fit a bitmap file (over 4 GB).
std::vector<uint8_t> EncodeBitmap(const Bitmap& picture);

// Writes picture to path as EncodeBitmap gives it, through a temporary file, so
// an existing file survives a failed write. Throws PlatformError when the file
// cannot be written.
void SaveBitmapFile(const std::string& path, const Bitmap& picture);

}  // namespace puffel
