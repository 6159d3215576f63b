#include "export/png_encode.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <new>
#include <vector>

#include "export/crc32.h"
#include "export/deflate_pieces.h"
#include "export/parallel_tasks.h"

namespace puffel {

namespace {

void appendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                             static_cast<size_t>(size));
}

// Rows are compressed in pieces of about this many bytes.
constexpr size_t PieceBytes = size_t{1} << 20;

constexpr unsigned char PngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void appendBig32(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

// A PNG chunk: its length, type and data, and the CRC of type and data.
std::string chunk(const char* type, const std::string& data) {
  std::string out;
  out.reserve(data.size() + 12);
  appendBig32(out, static_cast<uint32_t>(data.size()));
  out.append(type, 4);
  out += data;
  appendBig32(out, Crc32(0, out.data() + 4, data.size() + 4));
  return out;
}

// Rows first..last-1 of picture as PNG scan lines filtered by "sub": each
// byte less the same byte of the pixel to its left.
std::vector<unsigned char> subFilteredRows(const Bitmap& picture, int first, int last) {
  const int width = picture.Width();
  std::vector<unsigned char> out(static_cast<size_t>(last - first) * (1 + 4 * size_t(width)));
  unsigned char* at = out.data();
  for (int y = first; y < last; ++y) {
    const uint32_t* row = picture.Row(y);
    *at++ = 1;
    uint32_t left = 0;
    for (int x = 0; x < width; ++x) {
      const uint32_t p = row[x];
      *at++ = static_cast<unsigned char>((p >> 16) - (left >> 16));
      *at++ = static_cast<unsigned char>((p >> 8) - (left >> 8));
      *at++ = static_cast<unsigned char>(p - left);
      *at++ = static_cast<unsigned char>((p >> 24) - (left >> 24));
      left = p;
    }
  }
  return out;
}

using TaskRunner = std::function<void(size_t count, const std::function<void(size_t n)>& task)>;

std::string encodeRgba(const Bitmap& picture, const TaskRunner& run) {
  const int width = picture.Width();
  const int height = picture.Height();
  const size_t rowBytes = 1 + 4 * static_cast<size_t>(width);
  const int rowsPerPiece = static_cast<int>(std::max<size_t>(1, PieceBytes / rowBytes));
  const size_t pieces = static_cast<size_t>((height + rowsPerPiece - 1) / rowsPerPiece);
  struct Piece {
    std::string chunk;
    uint32_t adler = 1;
    size_t size = 0;
  };
  std::vector<Piece> done(pieces);
  run(pieces, [&](size_t n) {
    const int first = static_cast<int>(n) * rowsPerPiece;
    const std::vector<unsigned char> rows =
        subFilteredRows(picture, first, std::min(height, first + rowsPerPiece));
    done[n].adler = Adler32(1, rows.data(), rows.size());
    done[n].size = rows.size();
    done[n].chunk = chunk("IDAT", DeflatePiece(rows.data(), rows.size()));
  });
  std::string header;
  appendBig32(header, static_cast<uint32_t>(width));
  appendBig32(header, static_cast<uint32_t>(height));
  header += std::string{8, 6, 0, 0, 0};  // 8 bits, RGBA, deflate, filtered by row, not interlaced
  std::string png(std::begin(PngSignature), std::end(PngSignature));
  png += chunk("IHDR", header);
  png += chunk("IDAT", std::string(std::begin(ZlibHeader), std::end(ZlibHeader)));
  uint32_t adler = 1;
  for (const Piece& piece : done) {
    png += piece.chunk;
    adler = CombineAdler32(adler, piece.adler, piece.size);
  }
  std::string end(std::begin(DeflateEnd), std::end(DeflateEnd));
  appendBig32(end, adler);
  png += chunk("IDAT", end);
  png += chunk("IEND", "");
  return png;
}

}  // namespace

std::string EncodeRgbaPng(const Bitmap& picture) {
  return encodeRgba(picture, [](size_t count, const std::function<void(size_t)>& task) {
    for (size_t n = 0; n < count; ++n) task(n);
  });
}

std::string EncodeRgbaPngInParallel(const Bitmap& picture) { return encodeRgba(picture, RunTasks); }

std::string EncodePng(const Bitmap& picture) {
  const int width = picture.Width();
  const int height = picture.Height();
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
  unsigned char* out = rgb.data();
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x) {
      *out++ = static_cast<unsigned char>(row[x] >> 16);
      *out++ = static_cast<unsigned char>(row[x] >> 8);
      *out++ = static_cast<unsigned char>(row[x]);
    }
  }
  std::string png;
  // Of the row filters, "sub" alone comes close to the best choice for every
  // row on drawings and photos alike, and trying all five takes twice as long.
  // The setting is the encoder's own global, set once before any thread uses it.
  static const bool subFilter = (stbi_write_force_png_filter = 1, true);
  (void)subFilter;
  // The encoder fails only when it cannot allocate.
  if (!stbi_write_png_to_func(appendBytes, &png, width, height, 3, rgb.data(), width * 3)) {
    throw std::bad_alloc();
  }
  return png;
}

}  // namespace puffel
