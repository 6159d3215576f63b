// Drawing on a picture's canvas with the usual raster conventions: a shape's
// right and bottom edges and a line's end point are not drawn. Colours are
// canvas colours 0x00BBGGRR; the pen, brush, font and copy mode are the
// picture's own CanvasState.
#pragma once

#include <functional>
#include <span>
#include <string>

#include "platform/bitmap.h"

namespace puffel {

struct IntPoint {
  int x = 0;
  int y = 0;
};

// Filled rectangle covering x1..x2-1, y1..y2-1: a one-pixel border in the pen
// colour, the inside in the brush colour. Clipped to the picture.
void Rectangle(Bitmap& target, int x1, int y1, int x2, int y2);

// Filled ellipse inscribed in the rectangle x1..x2-1, y1..y2-1, with a
// one-pixel border in the pen colour.
void Ellipse(Bitmap& target, int x1, int y1, int x2, int y2);

// Filled polygon through the points (closed back to the first), inside in the
// brush colour, border in the pen colour through every point.
void Polygon(Bitmap& target, std::span<const IntPoint> points);

// A one-pixel line in the pen colour from (x1, y1) up to, but not including, (x2, y2).
void Line(Bitmap& target, int x1, int y1, int x2, int y2);

// Text in the font colour with its top-left corner at (x, y), through the
// installed text renderer; draws nothing when none is installed.
void TextOut(Bitmap& target, int x, int y, const std::string& utf8);

// Draws source with its top-left corner at (x, y), combining each pixel with
// the target's copy mode (copy, AND or XOR). Clipped to the target.
void Draw(Bitmap& target, int x, int y, const Bitmap& source);

// One pixel as a canvas colour; outside the picture it reads as 0.
uint32_t CanvasPixel(const Bitmap& target, int x, int y);
// Sets one pixel from a canvas colour; outside the picture nothing happens.
void SetCanvasPixel(Bitmap& target, int x, int y, uint32_t colour);

// Draws utf8 text onto target with its top-left at (x, y), in the canvas
// colour given, with a font of the pixel height given.
using TextRenderer = std::function<void(Bitmap& target, int x, int y, const std::string& utf8,
                                        uint32_t colour, int pixelHeight)>;
// Installs the process's text renderer (the desktop binding supplies one).
void SetTextRenderer(TextRenderer renderer);

}  // namespace puffel
