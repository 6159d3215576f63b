#include "export/gif_encode.h"

#include <algorithm>
#include <array>
#include <memory>

#include "export/median_cut.h"

namespace puffel {

namespace {

// Bits packed lowest first into bytes, the bytes into sub-blocks.
class CodeWriter {
 public:
  explicit CodeWriter(std::string& out) : out_(out) {}

  void Put(int code, int size) {
    bits_ |= static_cast<uint32_t>(code) << count_;
    count_ += size;
    while (count_ >= 8) {
      byte(static_cast<char>(bits_ & 0xFF));
      bits_ >>= 8;
      count_ -= 8;
    }
  }

  void Finish() {
    if (count_ > 0) byte(static_cast<char>(bits_ & 0xFF));
    flush();
    out_.push_back('\0');
  }

 private:
  void byte(char b) {
    block_[used_++] = b;
    if (used_ == block_.size()) flush();
  }

  void flush() {
    if (used_ == 0) return;
    out_.push_back(static_cast<char>(used_));
    out_.append(block_.data(), used_);
    used_ = 0;
  }

  std::string& out_;
  uint32_t bits_ = 0;
  int count_ = 0;
  std::array<char, 255> block_;
  size_t used_ = 0;
};

// The LZW dictionary: a string's code by the code of its prefix and its last
// index, in an open-addressed table twice the size of the largest dictionary.
class Dictionary {
 public:
  Dictionary() { Clear(); }
  void Clear() { keys_.fill(Empty); }

  // The code of prefix followed by index, or -1.
  int Find(int prefix, int index) const {
    const uint32_t key = keyOf(prefix, index);
    for (uint32_t slot = hash(key);; slot = (slot + 1) & Mask) {
      if (keys_[slot] == key) return codes_[slot];
      if (keys_[slot] == Empty) return -1;
    }
  }

  void Add(int prefix, int index, int code) {
    const uint32_t key = keyOf(prefix, index);
    uint32_t slot = hash(key);
    while (keys_[slot] != Empty) slot = (slot + 1) & Mask;
    keys_[slot] = key;
    codes_[slot] = static_cast<uint16_t>(code);
  }

 private:
  static constexpr uint32_t Size = 8192;
  static constexpr uint32_t Mask = Size - 1;
  static constexpr uint32_t Empty = ~uint32_t{0};
  static uint32_t keyOf(int prefix, int index) {
    return static_cast<uint32_t>(prefix << 8 | index);
  }
  static uint32_t hash(uint32_t key) { return (key * 2654435761u) >> 19; }

  std::array<uint32_t, Size> keys_;
  std::array<uint16_t, Size> codes_;
};

constexpr int MaxCode = 4095;

void putShort(std::string& out, int value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8 & 0xFF));
}

// A frame's colours, leaving one palette entry for the pixels that keep the
// frame before.
constexpr int MaxColours = 255;

}  // namespace

std::string GifImageData(const std::vector<uint8_t>& indices, int bits) {
  const int minimum = std::max(2, bits);
  const int clear = 1 << minimum;
  const int end = clear + 1;
  std::string out(1, static_cast<char>(minimum));
  CodeWriter writer(out);
  auto dictionary = std::make_unique<Dictionary>();
  int size = minimum + 1;
  int assigned = end;  // the last code given out
  writer.Put(clear, size);
  if (!indices.empty()) {
    int prefix = indices[0];
    for (size_t n = 1; n < indices.size(); ++n) {
      const int index = indices[n];
      const int code = dictionary->Find(prefix, index);
      if (code >= 0) {
        prefix = code;
        continue;
      }
      writer.Put(prefix, size);
      dictionary->Add(prefix, index, ++assigned);
      if (assigned >= 1 << size) ++size;
      // A full dictionary starts again, so that long pictures keep adapting.
      if (assigned == MaxCode) {
        writer.Put(clear, size);
        dictionary->Clear();
        size = minimum + 1;
        assigned = end;
      }
      prefix = index;
    }
    writer.Put(prefix, size);
  }
  writer.Put(end, size);
  writer.Finish();
  return out;
}

GifEncoder::GifEncoder(int width, int height) : width_(width), height_(height) {
  bytes_ = "GIF89a";
  putShort(bytes_, width);
  putShort(bytes_, height);
  bytes_ += std::string("\0\0\0", 3);  // no global palette, background 0, square pixels
  // Loop forever.
  bytes_ += "\x21\xFF\x0BNETSCAPE2.0\x03\x01";
  putShort(bytes_, 0);
  bytes_.push_back('\0');
  last_.assign(static_cast<size_t>(width) * height, 0);
}

void GifEncoder::AddFrame(const Bitmap& frame, int delay) {
  // The rectangle of changed pixels; the first frame is whole.
  int left = width_, top = height_, right = -1, bottom = -1;
  for (int y = 0; y < height_; ++y) {
    const uint32_t* row = frame.Row(y);
    const uint32_t* was = last_.data() + static_cast<size_t>(y) * width_;
    for (int x = 0; x < width_; ++x) {
      if (first_ || (row[x] & 0xFFFFFF) != was[x]) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = y;
      }
    }
  }
  // A frame like the one before still takes its time, as one unchanged pixel.
  if (right < 0) left = right = top = bottom = 0;
  const int w = right - left + 1;
  const int h = bottom - top + 1;

  std::vector<uint32_t> changed;
  std::vector<char> keeps(static_cast<size_t>(w) * h, 0);
  for (int y = 0; y < h; ++y) {
    const uint32_t* row = frame.Row(top + y) + left;
    uint32_t* was = last_.data() + static_cast<size_t>(top + y) * width_ + left;
    for (int x = 0; x < w; ++x) {
      const uint32_t colour = row[x] & 0xFFFFFF;
      if (!first_ && colour == was[x]) {
        keeps[static_cast<size_t>(y) * w + x] = 1;
      } else {
        changed.push_back(colour);
        was[x] = colour;
      }
    }
  }
  const Palette palette = MedianCutPalette(changed, MaxColours);
  // The entry after the colours marks the pixels that keep the frame before.
  const int transparentIndex = static_cast<int>(palette.colours.size());
  std::vector<uint8_t> indices(keeps.size());
  for (size_t n = 0, c = 0; n < keeps.size(); ++n) {
    indices[n] = keeps[n] ? static_cast<uint8_t>(transparentIndex) : palette.indices[c++];
  }
  const bool transparent = std::find(keeps.begin(), keeps.end(), 1) != keeps.end();
  // The palette's size is a power of two that holds the colours and, where
  // pixels keep the frame before, the transparent entry.
  const int needed = transparentIndex + (transparent ? 1 : 0);
  int bits = 1;
  while (1 << bits < needed) ++bits;

  // Graphic control: do not dispose, the delay, the transparent index.
  bytes_ += "\x21\xF9\x04";
  bytes_.push_back(static_cast<char>(1 << 2 | (transparent ? 1 : 0)));
  putShort(bytes_, delay);
  bytes_.push_back(static_cast<char>(transparent ? transparentIndex : 0));
  bytes_.push_back('\0');
  // The image with its own palette.
  bytes_.push_back('\x2C');
  putShort(bytes_, left);
  putShort(bytes_, top);
  putShort(bytes_, w);
  putShort(bytes_, h);
  bytes_.push_back(static_cast<char>(0x80 | (bits - 1)));
  for (int n = 0; n < 1 << bits; ++n) {
    const uint32_t colour = n < static_cast<int>(palette.colours.size()) ? palette.colours[n] : 0;
    bytes_.push_back(static_cast<char>(colour >> 16 & 0xFF));
    bytes_.push_back(static_cast<char>(colour >> 8 & 0xFF));
    bytes_.push_back(static_cast<char>(colour & 0xFF));
  }
  bytes_ += GifImageData(indices, bits);
  first_ = false;
}

std::string GifEncoder::Finish() {
  bytes_.push_back('\x3B');
  return std::move(bytes_);
}

}  // namespace puffel
