#include "sample_art/bmp24.h"

#include <cstdint>

#include "platform/paths.h"

namespace puffel::art {

namespace {

constexpr uint32_t kHeaderSize = 14 + 40;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

std::string EncodeBitmap24(const Bitmap& picture) {
  const uint32_t stride = (static_cast<uint32_t>(picture.Width()) * 3 + 3) & ~3u;
  const uint32_t pixelBytes = stride * static_cast<uint32_t>(picture.Height());
  std::string out = "BM";
  out.reserve(kHeaderSize + pixelBytes);
  put32(out, kHeaderSize + pixelBytes);
  put32(out, 0);
  put32(out, kHeaderSize);
  put32(out, 40);
  put32(out, static_cast<uint32_t>(picture.Width()));
  put32(out, static_cast<uint32_t>(picture.Height()));
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);
  put32(out, pixelBytes);
  put32(out, kPixelsPerMetre);
  put32(out, kPixelsPerMetre);
  put32(out, 0);
  put32(out, 0);
  for (int y = picture.Height() - 1; y >= 0; --y) {
    const uint32_t* row = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x) {
      out += static_cast<char>(row[x] & 0xFF);
      out += static_cast<char>((row[x] >> 8) & 0xFF);
      out += static_cast<char>((row[x] >> 16) & 0xFF);
    }
    out.append(stride - static_cast<uint32_t>(picture.Width()) * 3, '\0');
  }
  return out;
}

void SaveBitmap24(const std::string& path, const Bitmap& picture) {
  WriteFileBytes(path, EncodeBitmap24(picture));
}

}  // namespace puffel::art
