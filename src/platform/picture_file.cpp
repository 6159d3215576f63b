#include "platform/picture_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

#include "platform/bmp_file.h"
#include "platform/compressed_picture.h"
#include "platform/paths.h"
#include "platform/platform_error.h"

namespace puffel {

namespace {

// The first bytes each format begins with.
constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kJpegStart[] = {0xFF, 0xD8, 0xFF};
constexpr size_t kSniffSize = sizeof kPngSignature;

bool startsWith(const uint8_t* data, size_t size, const void* prefix, size_t length) {
  return size >= length && std::memcmp(data, prefix, length) == 0;
}

// The bitmap reader's message, so that every unreadable picture reads alike.
const std::string kUnreadable = "ビットマップ画像として読み込めません: ";

}  // namespace

PictureFormat SniffPictureFormat(const uint8_t* data, size_t size) {
  if (startsWith(data, size, kPngSignature, sizeof kPngSignature)) return PictureFormat::Png;
  if (startsWith(data, size, kJpegStart, sizeof kJpegStart)) return PictureFormat::Jpeg;
  if (startsWith(data, size, "GIF87a", 6) || startsWith(data, size, "GIF89a", 6)) {
    return PictureFormat::Gif;
  }
  return PictureFormat::Bitmap;
}

void DecodePicture(const std::vector<uint8_t>& data, Bitmap& picture) {
  const PictureFormat format = SniffPictureFormat(data.data(), data.size());
  if (format == PictureFormat::Bitmap) {
    DecodeBitmap(data, picture);
    return;
  }
  try {
    DecodeCompressedPicture(data.data(), data.size(), format, picture);
  } catch (const PictureRefusal& refusal) {
    throw PlatformError(kUnreadable + refusal.reason);
  }
}

void LoadPictureFile(const std::string& path, Bitmap& picture) {
  const std::string head = ReadFileBytes(path, kSniffSize);
  const auto* headBytes = reinterpret_cast<const uint8_t*>(head.data());
  const PictureFormat format = SniffPictureFormat(headBytes, head.size());
  if (format == PictureFormat::Bitmap) {
    LoadBitmapFile(path, picture);
    return;
  }
  try {
    FileReader file(path);
    // Too large a file is not read at all.
    if (file.Size() > kMaxPictureFileSize) throw PictureRefusal{"ファイルが大きすぎます"};
    std::string bytes(file.Size(), '\0');
    bytes.resize(file.ReadAt(0, bytes.size(), bytes.data()));
    DecodeCompressedPicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), format,
                            picture);
  } catch (const PictureRefusal& refusal) {
    throw PlatformError(kUnreadable + path + "（" + refusal.reason + "）");
  }
}

bool IsPictureFileName(const std::string& path) {
  const std::string extension = LowerFileExt(path);
  constexpr std::array<const char*, 5> kExtensions = {".bmp", ".png", ".jpg", ".jpeg", ".gif"};
  return std::find(kExtensions.begin(), kExtensions.end(), extension) != kExtensions.end();
}

}  // namespace puffel
