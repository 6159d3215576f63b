// The structure of PNG, JPEG and GIF files, walked before they are decoded:
// stb_image takes a file cut short or a PNG with damaged chunks for a picture
// with missing pixels, where the program refuses it, and it trusts a JPEG's
// Huffman tables to hold no more codes than they can.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/picture_file.h"

namespace puffel {

// Throws PictureRefusal unless the file is whole: a PNG's chunks up to IEND,
// each critical one with its right CRC; a JPEG's segments and scans up to the end-of-image
// marker, each Huffman table of at most 256 codes; a GIF's blocks up to the
// end of its first frame's data.
void CheckPictureStructure(const uint8_t* data, size_t size, PictureFormat format);

}  // namespace puffel
