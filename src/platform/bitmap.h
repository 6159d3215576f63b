// 32-bit pictures with direct row access, and the two colour encodings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace puffel {

// How a picture is drawn onto another one (see Draw in canvas.h).
enum class CopyMode { Copy, And, Xor };

// Drawing state that belongs to a picture's canvas; colours are canvas colours
// 0x00BBGGRR (red in the low byte).
struct CanvasState {
  uint32_t penColour = 0x000000;
  uint32_t brushColour = 0xFFFFFF;
  uint32_t fontColour = 0x000000;
  int fontHeight = 12;
  CopyMode copyMode = CopyMode::Copy;
};

// A top-down 32-bit picture. Row pixels are 0x00RRGGBB (blue in the low byte);
// the top byte is kept as written but means nothing.
class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  // Changes the size in place: pixels inside both the old and the new size keep
  // their values, new pixels are 0 (black). Negative sizes count as 0.
  void SetSize(int width, int height);
  // A copy of the given size, as SetSize would make it (canvas state included):
  // for changing several pictures together or not at all.
  Bitmap Resized(int width, int height) const;
  // Frees the pixels; the picture becomes 0 x 0.
  void Release();

  uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  uint32_t* Pixels() { return pixels_.data(); }
  const uint32_t* Pixels() const { return pixels_.data(); }

  // Sets every pixel to the row pixel value p.
  void Fill(uint32_t p);

  bool operator==(const Bitmap& other) const {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
  }

  CanvasState canvas;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};

// Row pixel 0x00RRGGBB to canvas colour 0x00BBGGRR and back; the top byte is dropped.
constexpr uint32_t SwapRedBlue(uint32_t p) {
  return ((p & 0xFF) << 16) + (p & 0xFF00) + ((p & 0xFF0000) >> 16);
}

}  // namespace puffel
