// Pictures as PNG files.
#pragma once

#include <string>

#include "platform/bitmap.h"

namespace puffel {

// The bytes of an 8-bit RGB PNG file of picture (the top byte of its pixels is
// dropped). The picture must not be empty.
std::string EncodePng(const Bitmap& picture);

// The bytes of an 8-bit RGBA PNG file of picture, whose pixels are 0xAARRGGBB
// (the alpha in the top byte), for large pictures made fast: every row
// filtered by "sub", the rows compressed in pieces of about a megabyte apart
// (DeflatePiece), each piece in an IDAT chunk of its own. The picture must
// not be empty.
std::string EncodeRgbaPng(const Bitmap& picture);

// EncodeRgbaPng with its pieces compressed on the render pass's helper
// threads: the same bytes. Not to be called from a task of RunTasks or
// RunTasksInOrder, whose threads it would wait for.
std::string EncodeRgbaPngInParallel(const Bitmap& picture);

}  // namespace puffel
