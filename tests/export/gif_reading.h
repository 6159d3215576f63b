// GIF files read back by giflib, the decoder the tests trust: every frame
// composed over the ones before it as a viewer shows it.
#pragma once

#include <gif_lib.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace puffel::test {

struct ReadGif {
  int width = 0;
  int height = 0;
  bool loopsForever = false;
  std::vector<int> delays;                    // per frame, hundredths of a second
  std::vector<int> disposals;                 // per frame, giflib's DISPOSE_ numbers
  std::vector<std::vector<uint32_t>> shown;   // per frame, 0x00RRGGBB pixels after it
  std::vector<std::vector<uint8_t>> indices;  // per frame, the indices of its rectangle
};

inline ReadGif ReadGifFile(const std::string& bytes) {
  struct Source {
    const std::string* bytes;
    size_t at;
  } source{&bytes, 0};
  const auto read = [](GifFileType* file, GifByteType* out, int count) -> int {
    Source& from = *static_cast<Source*>(file->UserData);
    const size_t n = std::min(static_cast<size_t>(count), from.bytes->size() - from.at);
    std::memcpy(out, from.bytes->data() + from.at, n);
    from.at += n;
    return static_cast<int>(n);
  };
  int error = 0;
  GifFileType* file = DGifOpen(&source, read, &error);
  if (file == nullptr) throw std::runtime_error("giflib cannot open the file");
  if (DGifSlurp(file) != GIF_OK) {
    DGifCloseFile(file, &error);
    throw std::runtime_error("giflib cannot read the file");
  }
  ReadGif gif;
  gif.width = file->SWidth;
  gif.height = file->SHeight;
  // The loop extension comes before the first frame, among its extensions.
  if (file->ImageCount > 0) {
    const SavedImage& first = file->SavedImages[0];
    for (int e = 0; e + 1 < first.ExtensionBlockCount; ++e) {
      const ExtensionBlock& block = first.ExtensionBlocks[e];
      const ExtensionBlock& data = first.ExtensionBlocks[e + 1];
      if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
          std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
        gif.loopsForever = data.ByteCount == 3 && data.Bytes[0] == 1 && data.Bytes[1] == 0 &&
                           data.Bytes[2] == 0;
      }
    }
  }
  std::vector<uint32_t> canvas(static_cast<size_t>(gif.width) * gif.height, 0);
  for (int f = 0; f < file->ImageCount; ++f) {
    const SavedImage& image = file->SavedImages[f];
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(file, f, &control);
    gif.delays.push_back(control.DelayTime);
    gif.disposals.push_back(control.DisposalMode);
    const ColorMapObject* map = image.ImageDesc.ColorMap;
    const GifImageDesc& desc = image.ImageDesc;
    std::vector<uint8_t> frameIndices;
    for (int y = 0; y < desc.Height; ++y) {
      for (int x = 0; x < desc.Width; ++x) {
        const int index = image.RasterBits[static_cast<size_t>(y) * desc.Width + x];
        frameIndices.push_back(static_cast<uint8_t>(index));
        if (index == control.TransparentColor) continue;
        const GifColorType c = map->Colors[index];
        canvas[static_cast<size_t>(desc.Top + y) * gif.width + desc.Left + x] =
            uint32_t{c.Red} << 16 | uint32_t{c.Green} << 8 | c.Blue;
      }
    }
    gif.indices.push_back(std::move(frameIndices));
    gif.shown.push_back(canvas);
  }
  DGifCloseFile(file, &error);
  return gif;
}

}  // namespace puffel::test
