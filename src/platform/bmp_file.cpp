// Windows bitmap files: the header checks, the pixel decoders (indexed,
// bit-field, direct and run-length) and the 32-bit writer.
#include "platform/bmp_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include "platform/paths.h"
#include "platform/platform_error.h"

namespace puffel {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelsPerMetre = 2835;

// Compression codes of the info header.
constexpr uint32_t kCompressionRgb = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;
constexpr uint32_t kCompressionBitFields = 3;
constexpr uint32_t kCompressionAlphaBitFields = 6;

// Why the bytes are not a readable bitmap; the public functions turn it into
// the user's message, with the file's path where there is one.
struct Refusal {
  std::string reason;
};

[[noreturn]] void refuse(std::string reason) { throw Refusal{std::move(reason)}; }

uint32_t le16(const uint8_t* p) { return p[0] | (uint32_t{p[1]} << 8); }
uint32_t le32(const uint8_t* p) {
  return p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

// Index to row pixel; entries past the file's palette stay black, so every
// index of up to 8 bits has a colour.
using Palette = std::array<uint32_t, 256>;

// One colour channel of a bit-field pixel: its 8-bit value is
// widen[(pixel >> shift) & mask].
struct Channel {
  int shift = 0;
  uint32_t mask = 0;
  std::array<uint8_t, 256> widen{};
};

struct Layout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bits = 0;
  uint32_t compression = kCompressionRgb;
  std::array<uint32_t, 3> masks{};  // red, green, blue
  size_t paletteStart = 0;
  size_t paletteEntrySize = 4;
  size_t paletteCount = 0;
  size_t pixelStart = 0;
  size_t pixelEnd = 0;  // end of the run-length stream
  size_t stride = 0;    // bytes per stored row of uncompressed pixels
};

bool isBitFields(uint32_t compression) {
  return compression == kCompressionBitFields || compression == kCompressionAlphaBitFields;
}

bool isIndexed(int bits) { return bits == 1 || bits == 2 || bits == 4 || bits == 8; }

bool isSupported(int bits, uint32_t compression, bool os2) {
  switch (compression) {
    case kCompressionRgb:
      return isIndexed(bits) || bits == 16 || bits == 24 || bits == 32;
    case kCompressionRle8:
      return bits == 8;
    case kCompressionRle4:
      return bits == 4;
    case kCompressionBitFields:
    case kCompressionAlphaBitFields:
      // In OS/2 2.x headers these codes mean Huffman and 24-bit run-length coding.
      return !os2 && (bits == 16 || bits == 32);
    default:
      return false;
  }
}

// A mask is usable when its bits are one unbroken run inside the pixel.
bool isUsableMask(uint32_t mask, int bits) {
  if (mask == 0) return true;
  if (bits == 16 && mask > 0xFFFF) return false;
  const uint32_t run = mask >> std::countr_zero(mask);
  return (run & (run + 1)) == 0;
}

// Reads and checks every header field; refuses before any pixel memory exists.
Layout readLayout(const uint8_t* data, size_t size) {
  if (size < 2 || data[0] != 'B' || data[1] != 'M') refuse("ビットマップファイルではありません");
  if (size < kFileHeaderSize + 4) refuse("ヘッダーが途中で切れています");
  const uint32_t offBits = le32(data + 10);
  const uint32_t headerSize = le32(data + 14);
  const bool core = headerSize == kCoreHeaderSize;
  const bool os2 = headerSize == 16 || headerSize == 64;
  if (!core && !os2 && headerSize != kInfoHeaderSize && headerSize != 52 && headerSize != 56 &&
      headerSize != 108 && headerSize != 124) {
    refuse("未対応のヘッダーサイズです: " + std::to_string(headerSize) + " バイト");
  }
  if (size < kFileHeaderSize + headerSize) refuse("ヘッダーが途中で切れています");

  const uint8_t* header = data + kFileHeaderSize;
  int64_t width = 0;
  int64_t height = 0;
  uint32_t planes = 0;
  Layout layout;
  uint32_t sizeImage = 0;
  uint32_t coloursUsed = 0;
  if (core) {
    width = le16(header + 4);
    height = le16(header + 6);
    planes = le16(header + 8);
    layout.bits = static_cast<int>(le16(header + 10));
  } else {
    width = static_cast<int32_t>(le32(header + 4));
    height = static_cast<int32_t>(le32(header + 8));
    planes = le16(header + 12);
    layout.bits = static_cast<int>(le16(header + 14));
    if (headerSize >= kInfoHeaderSize) {
      layout.compression = le32(header + 16);
      sizeImage = le32(header + 20);
      coloursUsed = le32(header + 32);
    }
  }
  layout.topDown = height < 0;
  height = std::abs(height);
  if (width == 0 || height == 0) refuse("幅または高さが 0 です");
  if (width < 0) refuse("幅が負の値です");
  if (width > kMaxBitmapSide || height > kMaxBitmapSide || width * height > kMaxBitmapPixels) {
    refuse("画像が大きすぎます: " + std::to_string(width) + " × " + std::to_string(height));
  }
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(height);
  if (planes != 1) refuse("プレーン数が 1 ではありません");
  if (!isSupported(layout.bits, layout.compression, os2)) {
    refuse("未対応の形式です: " + std::to_string(layout.bits) + " ビット、圧縮方式 " +
           std::to_string(layout.compression));
  }

  // Bit-field masks follow a 40-byte header and lie inside the longer ones.
  size_t tableStart = kFileHeaderSize + headerSize;
  if (isBitFields(layout.compression)) {
    const uint8_t* maskBytes = header + kInfoHeaderSize;
    if (headerSize == kInfoHeaderSize) {
      const size_t count = layout.compression == kCompressionAlphaBitFields ? 4 : 3;
      if (size < tableStart + 4 * count) refuse("ヘッダーが途中で切れています");
      tableStart += 4 * count;
    }
    layout.masks = {le32(maskBytes), le32(maskBytes + 4), le32(maskBytes + 8)};
  } else if (layout.bits == 16) {
    layout.masks = {0x7C00, 0x03E0, 0x001F};
  }
  for (uint32_t mask : layout.masks) {
    if (!isUsableMask(mask, layout.bits)) refuse("ビットマスクが不正です");
  }

  if (offBits < tableStart) refuse("画素データの位置が不正です");
  if (offBits > size) refuse("画素データが途中で切れています");
  layout.pixelStart = offBits;

  // The palette ends where the pixels start: a short palette (fewer entries
  // than the colours used say) leaves the missing entries black.
  if (isIndexed(layout.bits)) {
    layout.paletteStart = tableStart;
    layout.paletteEntrySize = core ? 3 : 4;
    size_t count = size_t{1} << layout.bits;
    if (coloursUsed != 0 && coloursUsed < count) count = coloursUsed;
    layout.paletteCount = std::min(count, (offBits - tableStart) / layout.paletteEntrySize);
  }

  if (layout.compression == kCompressionRle8 || layout.compression == kCompressionRle4) {
    layout.pixelEnd = size;
    if (sizeImage != 0 && sizeImage < size - offBits) layout.pixelEnd = offBits + sizeImage;
  } else {
    const uint64_t rowBits = uint64_t(layout.width) * layout.bits;
    layout.stride = (rowBits + 31) / 32 * 4;
    // The last row needs no padding: some writers leave it out.
    const uint64_t needed = layout.stride * (layout.height - 1) + (rowBits + 7) / 8;
    if (size - offBits < needed) refuse("画素データが途中で切れています");
    layout.pixelEnd = offBits + needed;
  }
  return layout;
}

Palette readPalette(const uint8_t* data, const Layout& layout) {
  Palette palette{};
  const uint8_t* entry = data + layout.paletteStart;
  for (size_t i = 0; i < layout.paletteCount; ++i, entry += layout.paletteEntrySize) {
    palette[i] = entry[0] | (uint32_t{entry[1]} << 8) | (uint32_t{entry[2]} << 16);
  }
  return palette;
}

// Widens a value of bits bits (1..8) to 8 bits by repeating its bits from the
// top down (abcde gives abcdeabc), so 0 stays 0 and the largest value gives 255.
uint8_t replicateBits(uint32_t value, int bits) {
  const uint32_t top = value << (8 - bits);
  uint32_t widened = 0;
  for (int filled = 0; filled < 8; filled += bits) widened |= top >> filled;
  return static_cast<uint8_t>(widened);
}

// A channel wider than 8 bits keeps its top 8 bits.
Channel makeChannel(uint32_t mask) {
  Channel channel;
  if (mask == 0) return channel;
  const int width = std::popcount(mask);
  const int kept = std::min(width, 8);
  channel.shift = std::countr_zero(mask) + width - kept;
  channel.mask = (1u << kept) - 1;
  for (uint32_t v = 0; v <= channel.mask; ++v) channel.widen[v] = replicateBits(v, kept);
  return channel;
}

void decodeIndexedRow(const uint8_t* src, int width, int bits, const Palette& palette,
                      uint32_t* dst) {
  if (bits == 8) {
    for (int x = 0; x < width; ++x) dst[x] = palette[src[x]];
    return;
  }
  // The leftmost pixel sits in the high bits of its byte.
  const uint32_t mask = (1u << bits) - 1;
  for (int x = 0; x < width; ++x) {
    const size_t bit = size_t(x) * bits;
    dst[x] = palette[(src[bit >> 3] >> (8 - bits - (bit & 7))) & mask];
  }
}

void decodeFieldRow(const uint8_t* src, int width, int bits, const std::array<Channel, 3>& rgb,
                    uint32_t* dst) {
  const Channel& r = rgb[0];
  const Channel& g = rgb[1];
  const Channel& b = rgb[2];
  const int step = bits / 8;
  for (int x = 0; x < width; ++x, src += step) {
    const uint32_t p = bits == 16 ? le16(src) : le32(src);
    dst[x] = (uint32_t{r.widen[(p >> r.shift) & r.mask]} << 16) |
             (uint32_t{g.widen[(p >> g.shift) & g.mask]} << 8) | b.widen[(p >> b.shift) & b.mask];
  }
}

void decodeDirectRow(const uint8_t* src, int width, int step, uint32_t* dst) {
  for (int x = 0; x < width; ++x, src += step) {
    dst[x] = src[0] | (uint32_t{src[1]} << 8) | (uint32_t{src[2]} << 16);
  }
}

// Stored rows run bottom-up unless the height was negative.
int pictureRow(const Layout& layout, int line) {
  return layout.topDown ? line : layout.height - 1 - line;
}

// The bytes of the file from offset on, count of them; the pointer is valid
// until the next call. The decoder asks for every stretch only once, in order.
using ByteWindow = std::function<const uint8_t*(size_t offset, size_t count)>;

// Rows of pixels read or written at a time, at most about this many bytes:
// few enough to stay in the allocator's reused memory.
constexpr size_t kRowBatchBytes = size_t{1} << 16;

void decodeUncompressed(const ByteWindow& bytes, const Layout& layout, const Palette& palette,
                        Bitmap& picture) {
  const bool fields = layout.bits == 16 || isBitFields(layout.compression);
  const std::array<Channel, 3> rgb =
      fields ? std::array<Channel, 3>{makeChannel(layout.masks[0]), makeChannel(layout.masks[1]),
                                      makeChannel(layout.masks[2])}
             : std::array<Channel, 3>{};
  // The last row needs no padding.
  const size_t rowBytes = (uint64_t(layout.width) * layout.bits + 7) / 8;
  const int batch = static_cast<int>(
      std::clamp<size_t>(kRowBatchBytes / layout.stride, 1, static_cast<size_t>(layout.height)));
  for (int first = 0; first < layout.height; first += batch) {
    const int lines = std::min(batch, layout.height - first);
    const uint8_t* rows =
        bytes(layout.pixelStart + layout.stride * first, layout.stride * (lines - 1) + rowBytes);
    for (int line = first; line < first + lines; ++line) {
      const uint8_t* src = rows + layout.stride * (line - first);
      uint32_t* dst = picture.Row(pictureRow(layout, line));
      if (isIndexed(layout.bits)) {
        decodeIndexedRow(src, layout.width, layout.bits, palette, dst);
      } else if (fields) {
        decodeFieldRow(src, layout.width, layout.bits, rgb, dst);
      } else {
        decodeDirectRow(src, layout.width, layout.bits / 8, dst);
      }
    }
  }
}

// Run-length coded pixels (8 bits, or 4 bits with the high nibble first).
// Pixels the stream skips (delta, early end of line or of bitmap) stay black,
// 0, whatever palette entry 0 is. Pixels past the row's end are dropped, and
// the decoding stops at a delta below the last row or where the stream ends,
// even inside a run.
void decodeRunLength(const ByteWindow& bytes, const Layout& layout, const Palette& palette,
                     Bitmap& picture) {
  const size_t size = layout.pixelEnd - layout.pixelStart;
  const uint8_t* stream = bytes(layout.pixelStart, size);
  const bool nibbles = layout.bits == 4;
  const int width = layout.width;
  int x = 0;
  int line = 0;
  uint32_t* row = picture.Row(pictureRow(layout, 0));
  size_t pos = 0;
  while (pos + 2 <= size) {
    const int count = stream[pos];
    const int value = stream[pos + 1];
    pos += 2;
    if (count > 0) {
      const int n = std::min(count, width - x);
      for (int i = 0; i < n; ++i) {
        row[x + i] = palette[nibbles ? ((i & 1) ? value & 15 : value >> 4) : value];
      }
      x += n;
    } else if (value == 0) {
      x = 0;
      if (++line >= layout.height) return;
      row = picture.Row(pictureRow(layout, line));
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (pos + 2 > size) return;
      x = std::min(x + stream[pos], width);
      line += stream[pos + 1];
      pos += 2;
      if (line >= layout.height) return;
      row = picture.Row(pictureRow(layout, line));
    } else {
      const size_t bytes = nibbles ? (value + 1) / 2 : value;
      const size_t available = std::min(bytes, size - pos);
      const int decodable =
          static_cast<int>(nibbles ? std::min<size_t>(value, 2 * available) : available);
      const int n = std::min(decodable, width - x);
      const uint8_t* src = stream + pos;
      for (int i = 0; i < n; ++i) {
        row[x + i] = palette[nibbles ? (src[i >> 1] >> ((i & 1) ? 0 : 4)) & 15 : src[i]];
      }
      x += n;
      if (available < bytes) return;
      pos += (bytes + 1) & ~size_t{1};  // absolute runs are padded to a whole word
    }
  }
}

// head holds the file's first bytes, at least its headers and palette (all of
// them within the first kHeaderProbeSize bytes), size is the length of the
// file as far as it is read, and bytes gives the pixel data.
void decode(const uint8_t* head, size_t size, const ByteWindow& bytes, Bitmap& picture) {
  const Layout layout = readLayout(head, size);
  const Palette palette = readPalette(head, layout);
  Bitmap decoded(layout.width, layout.height);
  if (layout.compression == kCompressionRle8 || layout.compression == kCompressionRle4) {
    decodeRunLength(bytes, layout, palette, decoded);
  } else {
    decodeUncompressed(bytes, layout, palette, decoded);
  }
  decoded.canvas = picture.canvas;
  picture = std::move(decoded);
}

void decode(const uint8_t* data, size_t size, Bitmap& picture) {
  decode(
      data, size, [data](size_t offset, size_t) { return data + offset; }, picture);
}

// Enough of a file for every header, bit mask and palette.
constexpr size_t kHeaderProbeSize = 4096;

// How much of a file can matter to the decoder, judged from its header alone,
// so that a huge file is never read whole: the pixel data of the largest
// picture the header allows, with room for run-length commands. A header the
// decoder will refuse needs no more than the probe.
size_t usefulFileLength(const uint8_t* data, size_t size) {
  const uint32_t headerSize = le32(data + 14);
  const bool core = headerSize == kCoreHeaderSize;
  const int64_t width = core ? le16(data + 18) : static_cast<int32_t>(le32(data + 18));
  const int64_t height =
      std::abs(core ? int64_t{le16(data + 20)} : int64_t{static_cast<int32_t>(le32(data + 22))});
  if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
      width * height > kMaxBitmapPixels) {
    return size;
  }
  return static_cast<size_t>(le32(data + 10)) + 8 * static_cast<size_t>(width * height) +
         8 * static_cast<size_t>(height) + kHeaderProbeSize;
}

const std::string kUnreadable = "ビットマップ画像として読み込めません: ";

void put16(uint8_t* out, uint32_t v) {
  out[0] = static_cast<uint8_t>(v);
  out[1] = static_cast<uint8_t>(v >> 8);
}
void put32(uint8_t* out, uint32_t v) {
  put16(out, v);
  put16(out + 2, v >> 16);
}

size_t encodedSize(const Bitmap& picture) {
  const uint64_t pixelBytes = uint64_t(picture.Width()) * picture.Height() * 4;
  if (pixelBytes > 0xFFFFFFFFu - kFileHeaderSize - kInfoHeaderSize) {
    throw PlatformError("画像が大きすぎてビットマップファイルに書き込めません");
  }
  return kFileHeaderSize + kInfoHeaderSize + pixelBytes;
}

constexpr size_t kEncodedHeaderSize = kFileHeaderSize + kInfoHeaderSize;

// Writes the file and info headers into out, which holds kEncodedHeaderSize bytes.
void encodeHeader(const Bitmap& picture, uint8_t* out) {
  const uint32_t pixelBytes = static_cast<uint32_t>(encodedSize(picture) - kEncodedHeaderSize);
  out[0] = 'B';
  out[1] = 'M';
  put32(out + 2, static_cast<uint32_t>(kEncodedHeaderSize + pixelBytes));
  put32(out + 6, 0);
  put32(out + 10, kEncodedHeaderSize);
  uint8_t* info = out + kFileHeaderSize;
  put32(info, kInfoHeaderSize);
  put32(info + 4, picture.Width());
  put32(info + 8, picture.Height());
  put16(info + 12, 1);
  put16(info + 14, 32);
  put32(info + 16, kCompressionRgb);
  put32(info + 20, pixelBytes);
  put32(info + 24, kPixelsPerMetre);
  put32(info + 28, kPixelsPerMetre);
  put32(info + 32, 0);
  put32(info + 36, 0);
}

// Writes picture row y as B, G, R, 0 per pixel into out (4 bytes a pixel).
void encodeRow(const Bitmap& picture, int y, uint8_t* out) {
  const uint32_t* row = picture.Row(y);
  if constexpr (std::endian::native == std::endian::little) {
    // A row pixel's bytes in memory are already B, G, R and the top byte.
    for (int x = 0; x < picture.Width(); ++x, out += 4) {
      const uint32_t pixel = row[x] & 0xFFFFFF;
      std::memcpy(out, &pixel, sizeof pixel);
    }
  } else {
    for (int x = 0; x < picture.Width(); ++x, out += 4) put32(out, row[x] & 0xFFFFFF);
  }
}

// Stored rows of a written file run bottom-up.
int encodedRow(const Bitmap& picture, int line) { return picture.Height() - 1 - line; }

}  // namespace

void DecodeBitmap(const std::vector<uint8_t>& data, Bitmap& picture) {
  try {
    decode(data.data(), data.size(), picture);
  } catch (const Refusal& refusal) {
    throw PlatformError(kUnreadable + refusal.reason);
  }
}

void LoadBitmapFile(const std::string& path, Bitmap& picture) {
  FileReader file(path);
  std::string head(std::min(file.Size(), kHeaderProbeSize), '\0');
  head.resize(file.ReadAt(0, head.size(), head.data()));
  const auto* headBytes = reinterpret_cast<const uint8_t*>(head.data());
  const size_t length = head.size() == kHeaderProbeSize
                            ? std::min(file.Size(), usefulFileLength(headBytes, head.size()))
                            : head.size();
  // The pixels are read in batches of rows (or, run-length coded, whole).
  std::vector<char> window;
  const ByteWindow bytes = [&](size_t offset, size_t count) {
    window.resize(count);
    if (file.ReadAt(offset, count, window.data()) != count) {
      throw PlatformError("ファイルを読み込めません: " + path);
    }
    return reinterpret_cast<const uint8_t*>(window.data());
  };
  try {
    decode(headBytes, length, bytes, picture);
  } catch (const Refusal& refusal) {
    throw PlatformError(kUnreadable + path + "（" + refusal.reason + "）");
  }
}

std::vector<uint8_t> EncodeBitmap(const Bitmap& picture) {
  std::vector<uint8_t> bytes(encodedSize(picture));
  encodeHeader(picture, bytes.data());
  const size_t rowBytes = 4 * static_cast<size_t>(picture.Width());
  for (int line = 0; line < picture.Height(); ++line) {
    encodeRow(picture, encodedRow(picture, line),
              bytes.data() + kEncodedHeaderSize + rowBytes * line);
  }
  return bytes;
}

void SaveBitmapFile(const std::string& path, const Bitmap& picture) {
  uint8_t header[kEncodedHeaderSize];
  encodeHeader(picture, header);
  FileWriter file(path);
  file.Write(reinterpret_cast<const char*>(header), sizeof header);
  // Rows are encoded and written a batch at a time.
  const size_t rowBytes = 4 * static_cast<size_t>(picture.Width());
  const int batch = static_cast<int>(std::clamp<size_t>(
      kRowBatchBytes / std::max<size_t>(rowBytes, 1), 1, std::max(picture.Height(), 1)));
  std::vector<uint8_t> rows(rowBytes * std::min(batch, picture.Height()));
  for (int first = 0; first < picture.Height(); first += batch) {
    const int lines = std::min(batch, picture.Height() - first);
    for (int line = first; line < first + lines; ++line) {
      encodeRow(picture, encodedRow(picture, line), rows.data() + rowBytes * (line - first));
    }
    file.Write(reinterpret_cast<const char*>(rows.data()), rowBytes * lines);
  }
  file.Commit();
}

}  // namespace puffel
