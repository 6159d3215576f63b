#include "platform/picture_structure.h"

#include <array>

#include "platform/compressed_picture.h"

namespace puffel {

namespace {

[[noreturn]] void refuse(const char* reason) { throw PictureRefusal{reason}; }
[[noreturn]] void refuseShort() { refuse("ファイルが途中で切れています"); }

uint32_t be32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

const std::array<uint32_t, 256>& crcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320 ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

uint32_t crc32(const uint8_t* data, size_t size) {
  const std::array<uint32_t, 256>& table = crcTable();
  uint32_t crc = 0xFFFFFFFF;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void checkPng(const uint8_t* data, size_t size) {
  size_t at = 8;  // after the signature
  while (true) {
    if (size - at < 12) refuseShort();
    const size_t length = be32(data + at);
    if (length > size - at - 12) refuseShort();
    // Only chunks the picture needs (critical: an upper-case first letter)
    // must be intact; a damaged text or colour note is passed over, as the
    // PNG library itself does by default.
    const bool critical = (data[at + 4] & 0x20) == 0;
    if (critical && crc32(data + at + 4, length + 4) != be32(data + at + 8 + length)) {
      refuse("チャンクが壊れています（CRC が合いません）");
    }
    const bool end =
        data[at + 4] == 'I' && data[at + 5] == 'E' && data[at + 6] == 'N' && data[at + 7] == 'D';
    if (end) return;
    at += 12 + length;
  }
}

// Marker codes without a length after them.
bool isStandalone(uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8); }

// The Huffman tables a JPEG has defined so far: [class][number], class 0 for
// DC coefficients and 1 for AC.
using HuffmanTables = std::array<std::array<bool, 4>, 2>;

// A Huffman table segment: each table's class and number, and at most 256
// codes, all inside the segment. stb_image takes the count of codes on trust
// and writes that many into tables of 256.
void readHuffmanTables(const uint8_t* segment, size_t length, HuffmanTables& defined) {
  size_t at = 0;
  while (at < length) {
    if (length - at < 17) refuse("ハフマン表が不正です");
    const uint8_t kind = segment[at];
    if ((kind >> 4) > 1 || (kind & 15) > 3) refuse("ハフマン表が不正です");
    size_t codes = 0;
    for (size_t i = 1; i <= 16; ++i) codes += segment[at + i];
    if (codes > 256 || codes > length - at - 17) refuse("ハフマン表が不正です");
    defined[kind >> 4][kind & 15] = true;
    at += 17 + codes;
  }
}

// A scan header: every table its components use must have been defined, as
// stb_image would read an undefined one from memory it never set.
void checkScanTables(const uint8_t* segment, size_t length, const HuffmanTables& defined) {
  const size_t components = length > 0 ? segment[0] : 0;
  if (components == 0 || length < 4 + 2 * components) refuse("スキャンのヘッダーが不正です");
  const uint8_t* spectrum = segment + 1 + 2 * components;
  const bool dc = spectrum[0] == 0 && (spectrum[2] >> 4) == 0;  // a first DC scan
  const bool ac = spectrum[0] > 0 || spectrum[1] > 0;
  for (size_t c = 0; c < components; ++c) {
    const uint8_t tables = segment[2 + 2 * c];
    if ((tables >> 4) > 3 || (tables & 15) > 3 || (dc && !defined[0][tables >> 4]) ||
        (ac && !defined[1][tables & 15])) {
      refuse("スキャンが定義されていないハフマン表を使っています");
    }
  }
}

// Past a scan's entropy-coded data, to the 0xFF of the next marker (0xFF 0x00
// is a stuffed data byte, 0xFF 0xD0..0xD7 a restart marker inside the scan).
size_t skipScanData(const uint8_t* data, size_t size, size_t at) {
  while (at + 1 < size) {
    if (data[at] != 0xFF) {
      ++at;
    } else if (data[at + 1] == 0x00 || (data[at + 1] >= 0xD0 && data[at + 1] <= 0xD7)) {
      at += 2;
    } else if (data[at + 1] == 0xFF) {
      ++at;
    } else {
      return at;
    }
  }
  refuseShort();
}

void checkJpeg(const uint8_t* data, size_t size) {
  HuffmanTables defined{};
  size_t at = 2;  // after the start-of-image marker
  while (true) {
    // Stray bytes before a marker are passed over, as decoders do.
    while (at < size && data[at] != 0xFF) ++at;
    while (at < size && data[at] == 0xFF) ++at;
    if (at >= size) refuseShort();
    const uint8_t marker = data[at++];
    if (marker == 0xD9) return;
    if (isStandalone(marker)) continue;
    if (size - at < 2) refuseShort();
    const size_t length = (size_t{data[at]} << 8) | data[at + 1];
    if (length < 2) refuse("セグメントの長さが不正です");
    if (length > size - at) refuseShort();
    if (marker == 0xC4) readHuffmanTables(data + at + 2, length - 2, defined);
    if (marker == 0xDA) checkScanTables(data + at + 2, length - 2, defined);
    at += length;
    if (marker == 0xDA) at = skipScanData(data, size, at);
  }
}

// Past a run of GIF data sub-blocks, up to and with the empty one that ends it.
size_t skipSubBlocks(const uint8_t* data, size_t size, size_t at) {
  while (true) {
    if (at >= size) refuseShort();
    const size_t length = data[at++];
    if (length == 0) return at;
    if (length > size - at) refuseShort();
    at += length;
  }
}

size_t colourTableSize(uint8_t flags) {
  return (flags & 0x80) ? size_t{3} << ((flags & 7) + 1) : 0;
}

void checkGif(const uint8_t* data, size_t size) {
  if (size < 13) refuseShort();
  size_t at = 13 + colourTableSize(data[10]);
  while (true) {
    if (at >= size) refuseShort();
    const uint8_t block = data[at++];
    if (block == 0x21) {  // an extension: its label, then sub-blocks
      if (at >= size) refuseShort();
      at = skipSubBlocks(data, size, at + 1);
    } else if (block == 0x2C) {  // the first frame: descriptor, colours, data
      if (size - at < 10) refuseShort();
      at += 9 + colourTableSize(data[at + 8]);
      if (at >= size) refuseShort();
      skipSubBlocks(data, size, at + 1);
      return;
    } else if (block == 0x3B) {
      refuse("画像がありません");
    } else {
      refuse("ブロックの種類が不正です");
    }
  }
}

}  // namespace

void CheckPictureStructure(const uint8_t* data, size_t size, PictureFormat format) {
  switch (format) {
    case PictureFormat::Png:
      checkPng(data, size);
      break;
    case PictureFormat::Jpeg:
      checkJpeg(data, size);
      break;
    case PictureFormat::Gif:
      checkGif(data, size);
      break;
    case PictureFormat::Bitmap:
      break;
  }
}

}  // namespace puffel
