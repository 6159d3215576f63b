// Every sample picture and where it goes in the program folder.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace puffel::art {

struct SamplePicture {
  std::string folder;  // "obj" (pictures to add) or "haikei" (backgrounds)
  std::string file;
  std::function<Bitmap()> draw;
};

// The cat's parts in the order to add them, the three single-part objects,
// then the two backgrounds.
std::vector<SamplePicture> SamplePictures();

// The name, in "obj", of the text that tells how to put the cat together.
inline constexpr const char* kCatAssemblyFile = "cat_assembly.txt";

// That text (UTF-8): the order to add the parts in and, for each part, where
// its picture and its joint marker go, from CatFigure.
std::string CatAssemblyText();

// Writes every sample picture as a 24-bit bitmap, and the assembly text, into
// the folders "obj" and "haikei" of programFolder, which must exist. Throws
// PlatformError when a file cannot be written.
void WriteSamples(const std::string& programFolder);

}  // namespace puffel::art
