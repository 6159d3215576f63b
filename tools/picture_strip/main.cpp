// puffel-picture-strip: cuts the middle out of several pictures and sets the
// pieces side by side, for the readme's pictures of the sliders' effects.
//
//   puffel-picture-strip OUT.bmp WIDTH HEIGHT IN.bmp...
//
// Each piece is the WIDTH x HEIGHT rectangle at the centre of its picture (the
// part window's view, where a new part sits); pieces are separated by a light
// grey gap. OUT is written as a 24-bit bitmap.
#include <charconv>
#include <iostream>
#include <string>
#include <vector>

#include "platform/bmp_file.h"
#include "platform/platform_error.h"
#include "sample_art/bmp24.h"

namespace {

constexpr int kGap = 4;
constexpr uint32_t kGapColour = 0xE0E0E0;

bool parseSize(const char* text, int& value) {
  const std::string word = text;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  return error == std::errc() && end == word.data() + word.size() && value > 0;
}

puffel::Bitmap joinMiddles(const std::vector<puffel::Bitmap>& pictures, int width, int height) {
  const int count = static_cast<int>(pictures.size());
  puffel::Bitmap strip(count * width + (count - 1) * kGap, height);
  strip.Fill(kGapColour);
  for (int n = 0; n < count; ++n) {
    const puffel::Bitmap& picture = pictures[n];
    const int left = (picture.Width() - width) / 2;
    const int top = (picture.Height() - height) / 2;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const int sx = left + x;
        const int sy = top + y;
        const bool inside = sx >= 0 && sy >= 0 && sx < picture.Width() && sy < picture.Height();
        strip.Row(y)[n * (width + kGap) + x] = inside ? picture.Row(sy)[sx] & 0xFFFFFF : 0;
      }
    }
  }
  return strip;
}

}  // namespace

int main(int argc, char** argv) {
  int width = 0;
  int height = 0;
  if (argc < 5 || !parseSize(argv[2], width) || !parseSize(argv[3], height)) {
    std::cerr << "usage: puffel-picture-strip OUT.bmp WIDTH HEIGHT IN.bmp...\n";
    return 2;
  }
  try {
    std::vector<puffel::Bitmap> pictures(argc - 4);
    for (int a = 4; a < argc; ++a) puffel::LoadBitmapFile(argv[a], pictures[a - 4]);
    puffel::art::SaveBitmap24(argv[1], joinMiddles(pictures, width, height));
  } catch (const puffel::PlatformError& error) {
    std::cerr << "puffel-picture-strip: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
