#include "platform/compressed_picture.h"

#include <stb_image.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "platform/bmp_file.h"
#include "platform/decoder_memory.h"
#include "platform/picture_structure.h"
#include "platform/transparency_key.h"

namespace puffel {

namespace {

[[noreturn]] void refuse(std::string reason) { throw PictureRefusal{std::move(reason)}; }

std::string formatName(PictureFormat format) {
  return format == PictureFormat::Png ? "PNG" : format == PictureFormat::Jpeg ? "JPEG" : "GIF";
}

int checkedLength(size_t size) {
  if (size > kMaxPictureFileSize) refuse("ファイルが大きすぎます");
  return static_cast<int>(size);
}

uint32_t be32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// A JPEG marker that starts a frame header (SOF0..SOF15 but DHT, JPG, DAC).
bool isFrameMarker(uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The width and height a JPEG's frame header gives, found by walking its
// segments; 0 x 0 when there is none before the first scan.
std::pair<int64_t, int64_t> jpegSize(const uint8_t* data, size_t size) {
  size_t at = 2;
  while (true) {
    while (at < size && data[at] != 0xFF) ++at;
    while (at < size && data[at] == 0xFF) ++at;
    if (at + 3 > size) return {0, 0};
    const uint8_t marker = data[at++];
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
    if (marker == 0xD9 || marker == 0xDA) return {0, 0};
    const size_t length = (size_t{data[at]} << 8) | data[at + 1];
    if (isFrameMarker(marker)) {
      if (length < 7 || size - at < 7) return {0, 0};
      return {(data[at + 5] << 8) | data[at + 6], (data[at + 3] << 8) | data[at + 4]};
    }
    at += length;
  }
}

// The width and height the header gives, read here rather than by stb_image,
// which refuses some oversized pictures for reasons of its own first.
std::pair<int64_t, int64_t> declaredSize(const uint8_t* data, size_t size, PictureFormat format) {
  switch (format) {
    case PictureFormat::Png:
      if (size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0) return {0, 0};
      return {be32(data + 16), be32(data + 20)};
    case PictureFormat::Gif:
      if (size < 10) return {0, 0};
      return {data[6] | (data[7] << 8), data[8] | (data[9] << 8)};
    case PictureFormat::Jpeg:
      return jpegSize(data, size);
    case PictureFormat::Bitmap:
      break;
  }
  return {0, 0};
}

// The bytes a PNG's decompressed rows take: a filter byte and the packed
// samples per row. The header (checked already) is the first chunk.
size_t pngRowBytes(const uint8_t* data, const PictureHeader& header) {
  const size_t depth = data[24];
  const uint8_t colourType = data[25];
  const size_t channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
  const size_t width = be32(data + 16);
  return size_t(header.height) * (1 + (width * channels * depth + 7) / 8);
}

// The largest single allocation the decoder makes for this picture, with room
// for its copy of the compressed data. A PNG's rows are first unpacked into a
// buffer of their expected length, which doubles when they run over (as an
// interlaced picture's may, once), never twice for an honest file.
size_t memoryNeeded(const uint8_t* data, size_t size, PictureFormat format,
                    const PictureHeader& header) {
  const size_t width = header.width;
  const size_t height = header.height;
  size_t largest = 4 * width * height * (header.sixteenBit ? 2 : 1);
  if (format == PictureFormat::Png) largest = std::max(largest, 2 * pngRowBytes(data, header));
  // Progressive JPEG coefficients: 2 bytes a sample, padded to whole blocks.
  if (format == PictureFormat::Jpeg) largest = std::max(largest, 4 * (width + 32) * (height + 32));
  return largest + 2 * size + (size_t{1} << 20);
}

struct StbFree {
  void operator()(void* pixels) const { stbi_image_free(pixels); }
};

}  // namespace

PictureHeader ReadPictureHeader(const uint8_t* data, size_t size, PictureFormat format) {
  const int length = checkedLength(size);
  const auto [width, height] = declaredSize(data, size, format);
  if (width > kMaxBitmapSide || height > kMaxBitmapSide || width * height > kMaxBitmapPixels) {
    refuse("画像が大きすぎます: " + std::to_string(width) + " × " + std::to_string(height));
  }
  // stb_image reads no further than it must until the structure is known sound.
  CheckPictureStructure(data, size, format);
  PictureHeader header;
  int channels = 0;
  if (!stbi_info_from_memory(data, length, &header.width, &header.height, &channels)) {
    refuse(std::string("ヘッダーを読めません: ") + stbi_failure_reason());
  }
  if (header.width <= 0 || header.height <= 0) refuse("幅または高さが 0 です");
  if (header.width != width || header.height != height) refuse("ヘッダーを読めません");
  header.sixteenBit = stbi_is_16_bit_from_memory(data, length) != 0;
  return header;
}

void DecodeCompressedPicture(const uint8_t* data, size_t size, PictureFormat format,
                             Bitmap& picture) {
  const PictureHeader header = ReadPictureHeader(data, size, format);
  const int length = static_cast<int>(size);
  Bitmap decoded(header.width, header.height);
  int width = 0;
  int height = 0;
  int channels = 0;
  std::unique_ptr<void, StbFree> samples;
  bool overrun = false;
  {
    DecoderMemoryLimit limit(memoryNeeded(data, size, format, header));
    samples.reset(header.sixteenBit ? static_cast<void*>(stbi_load_16_from_memory(
                                          data, length, &width, &height, &channels, 4))
                                    : static_cast<void*>(stbi_load_from_memory(
                                          data, length, &width, &height, &channels, 4)));
    overrun = limit.Reached();
  }
  if (!samples) {
    if (overrun) refuse(formatName(format) + " のデータが画像の大きさに対して多すぎます");
    refuse(formatName(format) + " の画素データを読めません: " + stbi_failure_reason());
  }
  if (width != header.width || height != header.height) {
    refuse("ヘッダーと画素データの大きさが違います");
  }
  if (header.sixteenBit) {
    TakeKeyedPixels(static_cast<const uint16_t*>(samples.get()), decoded);
  } else {
    TakeKeyedPixels(static_cast<const uint8_t*>(samples.get()), decoded);
  }
  decoded.canvas = picture.canvas;
  picture = std::move(decoded);
}

}  // namespace puffel
