#include "support/picture_seeds.h"

#include <algorithm>
#include <cstdint>

namespace puffel::test {

std::vector<uint16_t> PatternSamples(int width, int height, int colourType, int depth) {
  const int channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
  std::vector<uint16_t> samples(size_t(width) * height * channels);
  uint32_t state = 12345u + 97u * colourType + depth;
  const uint32_t range = 1u << depth;
  for (uint16_t& sample : samples) {
    state = state * 1664525u + 1013904223u;
    sample = static_cast<uint16_t>((state >> 8) % range);
  }
  return samples;
}

std::vector<std::pair<std::string, Bytes>> SeedPictures() {
  std::vector<std::pair<std::string, Bytes>> seeds;
  struct Kind {
    int colourType;
    std::vector<int> depths;
  };
  const Kind kinds[] = {
      {0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
  for (const Kind& kind : kinds) {
    for (int depth : kind.depths) {
      for (bool interlaced : {false, true}) {
        PngImage png{.width = 11,
                     .height = 9,
                     .colourType = kind.colourType,
                     .depth = depth,
                     .interlaced = interlaced};
        png.samples = PatternSamples(png.width, png.height, png.colourType, depth);
        if (kind.colourType == 3) {
          for (int entry = 0; entry < (1 << depth); ++entry) {
            png.palette.insert(png.palette.end(),
                               {static_cast<uint8_t>(entry * 37), static_cast<uint8_t>(255 - entry),
                                static_cast<uint8_t>(entry * 5)});
          }
          png.transparency = {0, 128, 127};
          png.transparency.resize(std::min<size_t>(3, size_t{1} << depth));
        } else if (kind.colourType == 0) {
          png.transparency = {0, 1};
        } else if (kind.colourType == 2) {
          png.transparency = {0, 1, 0, 2, 0, 3};
        }
        seeds.emplace_back("png-" + std::to_string(kind.colourType) + "-" + std::to_string(depth) +
                               (interlaced ? "-interlaced" : "") + ".png",
                           EncodePng(png));
      }
    }
  }
  for (int transparent : {-1, 2}) {
    GifImage gif{.width = 10, .height = 7};
    gif.palette = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};
    for (int i = 0; i < gif.width * gif.height; ++i) gif.indices.push_back((i * 7 / 3) % 4);
    gif.transparentIndex = transparent;
    seeds.emplace_back(transparent < 0 ? "opaque.gif" : "transparent.gif", EncodeGif(gif));
  }
  for (bool colour : {false, true}) {
    for (bool progressive : {false, true}) {
      seeds.emplace_back(std::string(colour ? "colour" : "grey") +
                             (progressive ? "-progressive" : "-baseline") + ".jpg",
                         EncodeBlockJpeg(21, 18, colour, progressive));
    }
  }
  return seeds;
}

}  // namespace puffel::test
