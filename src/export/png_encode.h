// Pictures as PNG files.
#pragma once

#include <string>

#include "platform/bitmap.h"

namespace puffel {

// The bytes of an 8-bit RGB PNG file of picture (the top byte of its pixels is
// dropped). The picture must not be empty.
std::string EncodePng(const Bitmap& picture);

}  // namespace puffel
