#include "platform/glyph_pictures.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace puffel {

namespace {

// Colours of the classic 16-colour palette; olive marks the transparent
// background and is used nowhere else.
constexpr uint32_t Olive = 0x808000;
constexpr uint32_t Black = 0x000000;
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Green = 0x008000;
constexpr uint32_t Silver = 0xC0C0C0;
constexpr uint32_t Red = 0xFF0000;
constexpr uint32_t Blue = 0x0000FF;

void fill(Bitmap& picture, int left, int top, int width, int height, uint32_t colour) {
  for (int y = top; y < top + height; ++y) {
    std::fill(picture.Row(y) + left, picture.Row(y) + left + width, colour);
  }
}

// Sets the pixels marked 'X' in rows, the first row's first character at (left, top).
void stamp(Bitmap& picture, int left, int top, std::initializer_list<const char*> rows,
           uint32_t colour) {
  int y = top;
  for (const char* row : rows) {
    for (int x = 0; row[x] != '\0'; ++x) {
      if (row[x] == 'X') picture.Row(y)[left + x] = colour;
    }
    ++y;
  }
}

void drawDiskette(Bitmap& picture) {
  fill(picture, 1, 0, 21, 21, Black);
  fill(picture, 2, 1, 19, 19, Green);
  fill(picture, 6, 1, 11, 6, Silver);  // the shutter with its slot
  fill(picture, 12, 2, 3, 4, Black);
  fill(picture, 4, 8, 15, 10, White);  // the label
  stamp(picture, 5, 9,
        {"X............", "X............", "XXX.XX.X..XXX", "X.X.X.X.X.X.X", "XXX.X.X.X.XXX",
         "..........X..", "..........X.."},
        Black);
}

void drawStarburst(Bitmap& picture) {
  stamp(picture, 4, 3,
        {".......X.......", "..X....X....X..", "...X...X...X...", "....X..X..X....",
         "...............", "...............", "...............", "XXXX.......XXXX",
         "...............", "...............", "...............", "....X..X..X....",
         "...X...X...X...", "..X....X....X..", ".......X......."},
        Black);
}

// A diagonal cross three pixels thick, white inside a one-pixel black rim.
void drawCross(Bitmap& picture) {
  const int cx = 11;
  const int cy = 10;
  for (int y = 0; y < GlyphHeight; ++y) {
    for (int x = 0; x < GlyphWidth; ++x) {
      const int dx = x - cx;
      const int dy = y - cy;
      const int nearDiagonal = std::min(std::abs(dx - dy), std::abs(dx + dy));
      const int reach = std::max(std::abs(dx), std::abs(dy));
      if (nearDiagonal <= 1 && reach <= 7) {
        picture.Row(y)[x] = White;
      } else if (nearDiagonal <= 2 && reach <= 8) {
        picture.Row(y)[x] = Black;
      }
    }
  }
}

void drawLetterS(Bitmap& picture) {
  stamp(picture, 6, 3,
        {"..XXXXXXX..", ".XXXXXXXXXX", "XXXX....XXX", "XXX......X.", "XXX........", "XXXX.......",
         ".XXXXXXX...", "..XXXXXXXX.", "......XXXXX", "........XXX", "........XXX", ".X......XXX",
         "XXX....XXXX", "XXXXXXXXXX.", "..XXXXXXX.."},
        Red);
}

void drawLetterL(Bitmap& picture) {
  fill(picture, 7, 3, 3, 15, Blue);
  fill(picture, 7, 15, 10, 3, Blue);
}

}  // namespace

Bitmap GlyphPicture(Glyph glyph) {
  if (glyph == Glyph::None) return {};
  Bitmap picture(GlyphWidth, GlyphHeight);
  picture.Fill(Olive);
  switch (glyph) {
    case Glyph::Diskette:
      drawDiskette(picture);
      break;
    case Glyph::Starburst:
      drawStarburst(picture);
      break;
    case Glyph::Cross:
      drawCross(picture);
      break;
    case Glyph::LetterS:
      drawLetterS(picture);
      break;
    case Glyph::LetterL:
      drawLetterL(picture);
      break;
    case Glyph::None:
      break;
  }
  return picture;
}

}  // namespace puffel
