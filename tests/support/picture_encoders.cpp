#include "support/picture_encoders.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <initializer_list>
#include <string>

namespace puffel::test {

namespace {

void put32be(Bytes& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

uint32_t crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFF;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

void putChunk(Bytes& out, const char* type, const Bytes& data) {
  put32be(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  put32be(out, crc32(out.data() + start, out.size() - start));
}

int channelsOf(int colourType) {
  switch (colourType) {
    case 2:
      return 3;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 1;
  }
}

// One row of the pixels x0, x0 + step, ... of row y, packed, after filter byte 0.
void putRow(Bytes& out, const PngImage& image, int y, int x0, int step) {
  const int channels = channelsOf(image.colourType);
  out.push_back(0);
  uint32_t bits = 0;
  int filled = 0;
  for (int x = x0; x < image.width; x += step) {
    for (int c = 0; c < channels; ++c) {
      const uint16_t sample = image.samples[(size_t(y) * image.width + x) * channels + c];
      if (image.depth == 16) {
        out.push_back(static_cast<uint8_t>(sample >> 8));
        out.push_back(static_cast<uint8_t>(sample));
        continue;
      }
      bits = (bits << image.depth) | sample;
      filled += image.depth;
      if (filled == 8) {
        out.push_back(static_cast<uint8_t>(bits));
        bits = 0;
        filled = 0;
      }
    }
  }
  if (filled > 0) out.push_back(static_cast<uint8_t>(bits << (8 - filled)));
}

// The rows as the decoder unpacks them: whole, or in the seven interlace passes.
Bytes rawRows(const PngImage& image) {
  Bytes raw;
  if (!image.interlaced) {
    for (int y = 0; y < image.height; ++y) putRow(raw, image, y, 0, 1);
    return raw;
  }
  constexpr std::array<std::array<int, 4>, 7> passes = {{{0, 0, 8, 8},
                                                         {4, 0, 8, 8},
                                                         {0, 4, 4, 8},
                                                         {2, 0, 4, 4},
                                                         {0, 2, 2, 4},
                                                         {1, 0, 2, 2},
                                                         {0, 1, 1, 2}}};
  for (const auto& [x0, y0, xStep, yStep] : passes) {
    if (x0 >= image.width) continue;  // an empty pass has no rows at all
    for (int y = y0; y < image.height; y += yStep) putRow(raw, image, y, x0, xStep);
  }
  return raw;
}

Bytes zlibStored(const Bytes& raw) {
  Bytes out = {0x78, 0x01};
  size_t at = 0;
  do {
    const size_t length = std::min<size_t>(raw.size() - at, 65535);
    out.push_back(at + length == raw.size() ? 1 : 0);
    out.push_back(static_cast<uint8_t>(length));
    out.push_back(static_cast<uint8_t>(length >> 8));
    out.push_back(static_cast<uint8_t>(~length));
    out.push_back(static_cast<uint8_t>(~length >> 8));
    out.insert(out.end(), raw.begin() + at, raw.begin() + at + length);
    at += length;
  } while (at < raw.size());
  uint32_t a = 1;
  uint32_t b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  put32be(out, (b << 16) | a);
  return out;
}

// Deflate's bits go into bytes from the lowest bit up; Huffman codes go in
// from their highest bit.
struct BitWriter {
  Bytes out;
  int used = 8;
  void bit(int b) {
    if (used == 8) {
      out.push_back(0);
      used = 0;
    }
    out.back() |= static_cast<uint8_t>(b << used++);
  }
  void code(uint32_t value, int length) {
    for (int i = length - 1; i >= 0; --i) bit((value >> i) & 1);
  }
};

void putMarker(Bytes& out, uint8_t marker, const Bytes& body) {
  out.push_back(0xFF);
  out.push_back(marker);
  out.push_back(static_cast<uint8_t>((body.size() + 2) >> 8));
  out.push_back(static_cast<uint8_t>(body.size() + 2));
  out.insert(out.end(), body.begin(), body.end());
}

// Entropy-coded bits, highest first, with every 0xFF byte followed by 0.
struct JpegBits {
  Bytes out;
  uint32_t bits = 0;
  int filled = 0;
  void code(uint32_t value, int length) {
    for (int i = length - 1; i >= 0; --i) {
      bits = (bits << 1) | ((value >> i) & 1);
      if (++filled == 8) flushByte();
    }
  }
  void flushByte() {
    out.push_back(static_cast<uint8_t>(bits));
    if (out.back() == 0xFF) out.push_back(0);
    bits = 0;
    filled = 0;
  }
  void finish() {
    while (filled != 0) code(1, 1);
  }
};

// A DC difference: its size category (Huffman code = category, 4 bits), then
// its value in that many bits.
void putDcDifference(JpegBits& bits, int difference) {
  int category = 0;
  while ((1 << category) <= std::abs(difference)) ++category;
  bits.code(static_cast<uint32_t>(category), 4);
  if (category > 0) {
    bits.code(static_cast<uint32_t>(difference > 0 ? difference : difference + (1 << category) - 1),
              category);
  }
}

}  // namespace

Bytes EncodeBlockJpeg(int width, int height, bool colour, bool progressive) {
  const int components = colour ? 3 : 1;
  const int sampling = colour ? 2 : 1;  // of the luminance, each way
  Bytes out = {0xFF, 0xD8};
  Bytes table = {0};
  table.resize(65, 1);  // every quantiser 1: a coefficient is its own value
  putMarker(out, 0xDB, table);
  Bytes frame = {8,
                 static_cast<uint8_t>(height >> 8),
                 static_cast<uint8_t>(height),
                 static_cast<uint8_t>(width >> 8),
                 static_cast<uint8_t>(width),
                 static_cast<uint8_t>(components)};
  for (int c = 0; c < components; ++c) {
    const int s = c == 0 ? sampling : 1;
    frame.insert(frame.end(), {static_cast<uint8_t>(c + 1), static_cast<uint8_t>(s << 4 | s), 0});
  }
  putMarker(out, progressive ? 0xC2 : 0xC0, frame);
  // DC: twelve categories, codes of 4 bits. AC: end of block alone, code 0.
  Bytes dc = {0x00, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (uint8_t symbol = 0; symbol < 12; ++symbol) dc.push_back(symbol);
  putMarker(out, 0xC4, dc);
  putMarker(out, 0xC4, {0x10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00});

  // A flat block's DC coefficient is 8 x (its value - 128).
  auto blockDc = [](int c, int bx, int by) {
    const int value = c == 0 ? 48 + 24 * ((bx + 2 * by) % 8) : 128 + 40 * ((bx + by * c) % 3) - 40;
    return 8 * (value - 128);
  };
  auto scanHeader = [&out](std::initializer_list<int> ids, int first, int last) {
    Bytes body = {static_cast<uint8_t>(ids.size())};
    for (int id : ids) body.insert(body.end(), {static_cast<uint8_t>(id), 0x00});
    body.insert(body.end(), {static_cast<uint8_t>(first), static_cast<uint8_t>(last), 0});
    putMarker(out, 0xDA, body);
  };
  const int mcuSide = 8 * sampling;
  const int mcusAcross = (width + mcuSide - 1) / mcuSide;
  const int mcusDown = (height + mcuSide - 1) / mcuSide;
  // The interleaved scan: every MCU's blocks, component by component.
  JpegBits bits;
  std::array<int, 3> previous{};
  for (int my = 0; my < mcusDown; ++my) {
    for (int mx = 0; mx < mcusAcross; ++mx) {
      for (int c = 0; c < components; ++c) {
        const int s = c == 0 ? sampling : 1;
        for (int v = 0; v < s; ++v) {
          for (int h = 0; h < s; ++h) {
            const int value = blockDc(c, mx * s + h, my * s + v);
            putDcDifference(bits, value - previous[c]);
            previous[c] = value;
            if (!progressive) bits.code(0, 1);
          }
        }
      }
    }
  }
  bits.finish();
  if (components == 3) {
    scanHeader({1, 2, 3}, 0, progressive ? 0 : 63);
  } else {
    scanHeader({1}, 0, progressive ? 0 : 63);
  }
  out.insert(out.end(), bits.out.begin(), bits.out.end());
  // One AC scan per component: its own blocks in rows, each ending at once.
  for (int c = 0; progressive && c < components; ++c) {
    const int s = c == 0 ? sampling : 1;
    const int across = ((width * s + sampling - 1) / sampling + 7) / 8;
    const int down = ((height * s + sampling - 1) / sampling + 7) / 8;
    JpegBits ac;
    for (int i = 0; i < across * down; ++i) ac.code(0, 1);
    ac.finish();
    scanHeader({c + 1}, 1, 63);
    out.insert(out.end(), ac.out.begin(), ac.out.end());
  }
  out.insert(out.end(), {0xFF, 0xD9});
  return out;
}

Bytes PngWithImageData(const PngImage& image, const Bytes& zlibData) {
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  put32be(header, static_cast<uint32_t>(image.width));
  put32be(header, static_cast<uint32_t>(image.height));
  header.push_back(static_cast<uint8_t>(image.depth));
  header.push_back(static_cast<uint8_t>(image.colourType));
  header.push_back(0);
  header.push_back(0);
  header.push_back(image.interlaced ? 1 : 0);
  putChunk(out, "IHDR", header);
  if (!image.palette.empty()) putChunk(out, "PLTE", image.palette);
  if (!image.transparency.empty()) putChunk(out, "tRNS", image.transparency);
  putChunk(out, "IDAT", zlibData);
  putChunk(out, "IEND", {});
  return out;
}

Bytes EncodePng(const PngImage& image) {
  return PngWithImageData(image, zlibStored(rawRows(image)));
}

Bytes ZlibOfZeros(size_t count) {
  BitWriter bits;
  bits.out = {0x78, 0x01};
  bits.bit(1);         // the last block,
  bits.code(0b10, 2);  // fixed codes (type 1, lowest bit first)
  bits.code(0x30, 8);  // literal 0
  size_t left = count - 1;
  for (; left >= 258; left -= 258) {
    bits.code(0xC5, 8);  // length 258
    bits.code(0, 5);     // distance 1
  }
  for (; left > 0; --left) bits.code(0x30, 8);
  bits.code(0, 7);  // end of block
  put32be(bits.out, static_cast<uint32_t>(count % 65521) << 16 | 1);
  return bits.out;
}

Bytes EncodeGif(const GifImage& image) {
  int sizeBits = 1;
  while ((size_t{2} << (sizeBits - 1)) * 3 < image.palette.size()) ++sizeBits;
  Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
  auto put16 = [&out](int v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  };
  put16(image.width);
  put16(image.height);
  out.push_back(static_cast<uint8_t>(0x80 | 0x70 | (sizeBits - 1)));
  out.push_back(0);  // background index
  out.push_back(0);  // aspect
  Bytes table = image.palette;
  table.resize(size_t{3} << sizeBits, 0);
  out.insert(out.end(), table.begin(), table.end());
  if (image.transparentIndex >= 0) {
    out.insert(out.end(),
               {0x21, 0xF9, 4, 1, 0, 0, static_cast<uint8_t>(image.transparentIndex), 0});
  }
  out.push_back(0x2C);
  put16(0);
  put16(0);
  put16(image.width);
  put16(image.height);
  out.push_back(0);

  // Codes of literals only, the table cleared before it would make the codes
  // one bit wider.
  const int minimum = std::max(2, sizeBits);
  const uint32_t clear = 1u << minimum;
  const int width = minimum + 1;
  BitWriter bits;
  bits.used = 8;
  auto code = [&bits, width](uint32_t value) {
    for (int i = 0; i < width; ++i) bits.bit((value >> i) & 1);
  };
  const size_t run = clear - 2;
  for (size_t i = 0; i < image.indices.size(); ++i) {
    if (i % run == 0) code(clear);
    code(image.indices[i]);
  }
  code(clear + 1);
  out.push_back(static_cast<uint8_t>(minimum));
  for (size_t at = 0; at < bits.out.size(); at += 255) {
    const size_t length = std::min<size_t>(255, bits.out.size() - at);
    out.push_back(static_cast<uint8_t>(length));
    out.insert(out.end(), bits.out.begin() + at, bits.out.begin() + at + length);
  }
  out.push_back(0);
  out.push_back(0x3B);
  return out;
}

}  // namespace puffel::test
