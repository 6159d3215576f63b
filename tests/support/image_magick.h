// ImageMagick's reading of a picture file, the tests' independent oracle for
// the picture reader (make test installs it).
#pragma once

#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace puffel::test {

// The first frame of the picture file at path as ImageMagick's convert reads
// it, 8 bits a channel (16-bit samples rounded), alpha left out, as row
// pixels 0x00RRGGBB. Throws std::runtime_error when convert fails.
Bitmap ImageMagickPixels(const std::string& path);

// Runs ImageMagick's convert with the arguments given; throws
// std::runtime_error when it fails.
void RunConvert(const std::vector<std::string>& arguments);

}  // namespace puffel::test
