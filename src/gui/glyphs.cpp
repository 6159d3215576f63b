#include "gui/glyphs.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace puffel {

namespace {

// Colours of the classic 16-colour palette; olive marks the transparent
// background and is used nowhere else.
constexpr QRgb Olive = 0xFF808000;
constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Green = 0xFF008000;
constexpr QRgb Silver = 0xFFC0C0C0;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Blue = 0xFF0000FF;

void fill(QImage& image, int left, int top, int width, int height, QRgb colour) {
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) image.setPixel(x, y, colour);
  }
}

// Sets the pixels marked 'X' in rows, the first row's first character at (left, top).
void stamp(QImage& image, int left, int top, std::initializer_list<const char*> rows, QRgb colour) {
  int y = top;
  for (const char* row : rows) {
    for (int x = 0; row[x] != '\0'; ++x) {
      if (row[x] == 'X') image.setPixel(left + x, y, colour);
    }
    ++y;
  }
}

void drawDiskette(QImage& image) {
  fill(image, 1, 0, 21, 21, Black);
  fill(image, 2, 1, 19, 19, Green);
  fill(image, 6, 1, 11, 6, Silver);  // the shutter with its slot
  fill(image, 12, 2, 3, 4, Black);
  fill(image, 4, 8, 15, 10, White);  // the label
  stamp(image, 5, 9,
        {"X............", "X............", "XXX.XX.X..XXX", "X.X.X.X.X.X.X", "XXX.X.X.X.XXX",
         "..........X..", "..........X.."},
        Black);
}

void drawStarburst(QImage& image) {
  stamp(image, 4, 3,
        {".......X.......", "..X....X....X..", "...X...X...X...", "....X..X..X....",
         "...............", "...............", "...............", "XXXX.......XXXX",
         "...............", "...............", "...............", "....X..X..X....",
         "...X...X...X...", "..X....X....X..", ".......X......."},
        Black);
}

// A diagonal cross three pixels thick, white inside a one-pixel black rim.
void drawCross(QImage& image) {
  const int cx = 11;
  const int cy = 10;
  for (int y = 0; y < GlyphHeight; ++y) {
    for (int x = 0; x < GlyphWidth; ++x) {
      const int dx = x - cx;
      const int dy = y - cy;
      const int nearDiagonal = std::min(std::abs(dx - dy), std::abs(dx + dy));
      const int reach = std::max(std::abs(dx), std::abs(dy));
      if (nearDiagonal <= 1 && reach <= 7) {
        image.setPixel(x, y, White);
      } else if (nearDiagonal <= 2 && reach <= 8) {
        image.setPixel(x, y, Black);
      }
    }
  }
}

void drawLetterS(QImage& image) {
  stamp(image, 6, 3,
        {"..XXXXXXX..", ".XXXXXXXXXX", "XXXX....XXX", "XXX......X.", "XXX........", "XXXX.......",
         ".XXXXXXX...", "..XXXXXXXX.", "......XXXXX", "........XXX", "........XXX", ".X......XXX",
         "XXX....XXXX", "XXXXXXXXXX.", "..XXXXXXX.."},
        Red);
}

void drawLetterL(QImage& image) {
  fill(image, 7, 3, 3, 15, Blue);
  fill(image, 7, 15, 10, 3, Blue);
}

}  // namespace

QImage GlyphImage(Glyph glyph) {
  if (glyph == Glyph::None) return QImage();
  QImage image(GlyphWidth, GlyphHeight, QImage::Format_ARGB32);
  image.fill(Olive);
  switch (glyph) {
    case Glyph::Diskette:
      drawDiskette(image);
      break;
    case Glyph::Starburst:
      drawStarburst(image);
      break;
    case Glyph::Cross:
      drawCross(image);
      break;
    case Glyph::LetterS:
      drawLetterS(image);
      break;
    case Glyph::LetterL:
      drawLetterL(image);
      break;
    case Glyph::None:
      break;
  }
  const QRgb transparent = image.pixel(0, GlyphHeight - 1);
  for (int y = 0; y < GlyphHeight; ++y) {
    for (int x = 0; x < GlyphWidth; ++x) {
      if (image.pixel(x, y) == transparent) image.setPixel(x, y, 0);
    }
  }
  return image;
}

}  // namespace puffel
