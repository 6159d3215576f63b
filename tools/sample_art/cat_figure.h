// The sample figure: a cat in seven parts, and how it is put together.
//
// Every part is added in the middle of the part window with its joint marker
// at its picture's centre. The body is added first and stays there. For each
// later part, in table order, the user drags its picture (pressing at the grab
// point) until the picture's top-left corner lies at (cornerX, cornerY) from
// the body's top-left corner, then drags its joint marker to (jointX, jointY)
// of its own picture. At the release the part hangs from the highest-numbered
// earlier part under its marker, which is its parent in this table: the joints
// lie on the parent's silhouette and on no other earlier part's.
#pragma once

#include <array>

#include "platform/bitmap.h"

namespace puffel::art {

struct FigurePart {
  const char* file;      // the picture's file name in "obj"
  int parent;            // row of the part it hangs from; -1 for the body
  int width, height;     // picture size; even, so the marker starts at the exact centre
  int cornerX, cornerY;  // the picture's top-left corner relative to the body's
  int jointX, jointY;    // the joint marker, in the part's own picture pixels
  int grabX, grabY;      // a pixel of the part, away from the centre, to press for dragging
};

// "Left" and "right" are as seen in the picture.
inline constexpr std::array<FigurePart, 7> CatFigure = {{
    {"cat_body.bmp", -1, 140, 176, 0, 0, 70, 88, 70, 120},
    {"cat_head.bmp", 0, 156, 156, -8, -108, 78, 138, 78, 100},
    {"cat_arm_left.bmp", 0, 98, 104, -32, 34, 72, 26, 42, 61},
    {"cat_arm_right.bmp", 0, 98, 104, 74, 34, 25, 26, 55, 61},
    {"cat_leg_left.bmp", 0, 72, 106, 6, 120, 44, 28, 38, 70},
    {"cat_leg_right.bmp", 0, 72, 106, 62, 120, 27, 28, 33, 70},
    {"cat_tail.bmp", 0, 112, 128, 94, 58, 19, 74, 70, 99},
}};

// The picture of the figure's part in row `row` of CatFigure.
Bitmap DrawCatPart(int row);

}  // namespace puffel::art
