// 24-bit Windows bitmap files: the plainest form every picture program reads.
#pragma once

#include <string>

#include "platform/bitmap.h"

namespace puffel::art {

// The bytes of picture as a bottom-up 24-bit bitmap with a 40-byte info header
// and no compression; rows are padded to whole 4-byte words.
std::string EncodeBitmap24(const Bitmap& picture);

// Writes picture to path as EncodeBitmap24 gives it. Throws PlatformError when
// the file cannot be written.
void SaveBitmap24(const std::string& path, const Bitmap& picture);

}  // namespace puffel::art
