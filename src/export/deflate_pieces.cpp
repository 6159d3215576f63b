#include "export/deflate_pieces.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

namespace puffel {

namespace {

constexpr int MinMatch = 4;  // the bytes the hash reads
constexpr int MaxMatch = 258;
constexpr size_t Window = 32768;
constexpr int HashBits = 15;
constexpr uint32_t AdlerBase = 65521;

// The lengths and distances that start each length symbol (257 + n) and each
// distance symbol, with their extra bits (RFC 1951, 3.2.5).
constexpr int LengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                              31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int LengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                               2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int DistanceBase[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int DistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

struct Code {
  uint32_t bits;  // reversed, to be written from the lowest bit up
  int length;
};

uint32_t reversed(uint32_t code, int length) {
  uint32_t out = 0;
  for (int b = 0; b < length; ++b) out |= (code >> b & 1) << (length - 1 - b);
  return out;
}

// The fixed Huffman code of literal/length symbol s (RFC 1951, 3.2.6).
Code fixedCode(int s) {
  if (s < 144) return {reversed(0x30 + s, 8), 8};
  if (s < 256) return {reversed(0x190 + s - 144, 9), 9};
  if (s < 280) return {reversed(s - 256, 7), 7};
  return {reversed(0xC0 + s - 280, 8), 8};
}

// Each literal/length symbol's code, and each match length's code with its
// extra bits after it.
struct FixedCodes {
  std::array<Code, 288> symbol;
  std::array<Code, MaxMatch + 1> length;

  FixedCodes() {
    for (int s = 0; s < 288; ++s) symbol[s] = fixedCode(s);
    for (int n = 0; n < static_cast<int>(std::size(LengthBase)); ++n) {
      const int last =
          n + 1 < static_cast<int>(std::size(LengthBase)) ? LengthBase[n + 1] - 1 : MaxMatch;
      for (int l = LengthBase[n]; l <= last; ++l) {
        const Code& code = symbol[257 + n];
        length[l] = {code.bits | static_cast<uint32_t>(l - LengthBase[n]) << code.length,
                     code.length + LengthExtra[n]};
      }
    }
  }
};

const FixedCodes& fixedCodes() {
  static const FixedCodes codes;
  return codes;
}

// Bits written from the lowest up, as deflate packs them.
class BitWriter {
 public:
  explicit BitWriter(std::string& out) : out_(out) {}

  void Put(uint32_t bits, int count) {
    pending_ |= static_cast<uint64_t>(bits) << filled_;
    filled_ += count;
    if (filled_ >= 32) {
      for (int b = 0; b < 4; ++b) out_.push_back(static_cast<char>(pending_ >> 8 * b));
      pending_ >>= 32;
      filled_ -= 32;
    }
  }

  // Writes what is pending, the last byte filled with zero bits.
  void Align() {
    for (; filled_ > 0; filled_ -= 8) {
      out_.push_back(static_cast<char>(pending_));
      pending_ >>= 8;
    }
    filled_ = 0;
    pending_ = 0;
  }

 private:
  std::string& out_;
  uint64_t pending_ = 0;
  int filled_ = 0;
};

uint32_t load32(const unsigned char* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

uint32_t hashOf(uint32_t fourBytes) { return fourBytes * 2654435761u >> (32 - HashBits); }

void putDistance(BitWriter& bits, int distance) {
  const int n = static_cast<int>(
                    std::upper_bound(std::begin(DistanceBase), std::end(DistanceBase), distance) -
                    std::begin(DistanceBase)) -
                1;
  bits.Put(reversed(n, 5) | static_cast<uint32_t>(distance - DistanceBase[n]) << 5,
           5 + DistanceExtra[n]);
}

}  // namespace

std::string DeflatePiece(const unsigned char* data, size_t size) {
  const FixedCodes& codes = fixedCodes();
  std::string out;
  out.reserve(size + size / 8 + 16);
  BitWriter bits(out);
  bits.Put(0b010, 3);  // not the final block; fixed codes
  std::vector<int64_t> last(size_t{1} << HashBits, -1);
  size_t i = 0;
  while (i + MinMatch <= size) {
    const uint32_t four = load32(data + i);
    const int64_t here = static_cast<int64_t>(i);
    const int64_t candidate = std::exchange(last[hashOf(four)], here);
    if (candidate >= 0 && here - candidate <= static_cast<int64_t>(Window) &&
        load32(data + candidate) == four) {
      const size_t most = std::min<size_t>(MaxMatch, size - i);
      size_t length = MinMatch;
      while (length < most && data[candidate + length] == data[i + length]) ++length;
      const Code& code = codes.length[length];
      bits.Put(code.bits, code.length);
      putDistance(bits, static_cast<int>(here - candidate));
      i += length;
      continue;
    }
    const Code& code = codes.symbol[data[i++]];
    bits.Put(code.bits, code.length);
  }
  for (; i < size; ++i) bits.Put(codes.symbol[data[i]].bits, codes.symbol[data[i]].length);
  bits.Put(codes.symbol[256].bits, codes.symbol[256].length);
  bits.Put(0b000, 3);  // an empty stored block: not final, its length 0 and its complement
  bits.Align();
  out.append("\x00\x00\xFF\xFF", 4);
  return out;
}

uint32_t Adler32(uint32_t adler, const unsigned char* data, size_t size) {
  uint32_t a = adler & 0xFFFF;
  uint32_t b = adler >> 16;
  // 5552 bytes are the most that can be summed before b could overflow.
  while (size > 0) {
    const size_t run = std::min<size_t>(size, 5552);
    for (size_t n = 0; n < run; ++n) {
      a += data[n];
      b += a;
    }
    a %= AdlerBase;
    b %= AdlerBase;
    data += run;
    size -= run;
  }
  return b << 16 | a;
}

uint32_t CombineAdler32(uint32_t adlerA, uint32_t adlerB, size_t sizeB) {
  const uint64_t n = sizeB % AdlerBase;
  const uint64_t aA = adlerA & 0xFFFF;
  const uint64_t bA = adlerA >> 16;
  const uint64_t aB = adlerB & 0xFFFF;
  const uint64_t bB = adlerB >> 16;
  // Each byte of a is summed into b once more for every byte of b.
  const uint64_t a = (aA + aB + AdlerBase - 1) % AdlerBase;
  const uint64_t b = (bA + bB + n * aA + AdlerBase - n) % AdlerBase;
  return static_cast<uint32_t>(b << 16 | a);
}

}  // namespace puffel
