// Small PNG, GIF and JPEG files of every kind the picture reader takes: the
// fuzz target's seeds, and read by the picture reader's tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/picture_encoders.h"

namespace puffel::test {

// Every PNG colour type at every bit depth it allows, plain and interlaced,
// with and without transparency; GIFs with and without a transparent colour;
// grey and colour JPEGs, baseline and progressive. Each with a file name.
std::vector<std::pair<std::string, Bytes>> SeedPictures();

// Samples for a PNG of the given colour type and depth: every pixel's samples
// drawn from a fixed pseudo-random sequence over the depth's whole range.
std::vector<uint16_t> PatternSamples(int width, int height, int colourType, int depth);

}  // namespace puffel::test
