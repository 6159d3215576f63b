// A part picture being drawn: a silhouette of hard-edged shapes on one plain
// background colour, painted in flat colours, shaded as if puffed up and given
// a dark outline. Every pixel ends up either exactly the background colour or
// a colour of the drawing; nothing is blended with the background.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/bitmap.h"
#include "sample_art/shapes.h"

namespace puffel::art {

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
};

// The row pixel 0x00RRGGBB of c.
uint32_t RowPixel(Rgb c);
// c with every channel multiplied by factor, truncated and clamped to 0..255.
Rgb Scaled(Rgb c, double factor);
// The colour the fraction t (0..1) of the way from a to b.
Rgb Mixed(Rgb a, Rgb b, double t);

using Paint = std::function<Rgb(Point)>;

// How much of the drawings' light, which comes from the upper left and the
// front, falls on a surface whose normal is (nx, ny, nz) (y downward, z toward
// the viewer, any length): the cosine of the angle between them, or 0 when the
// surface faces away.
double LightOn(double nx, double ny, double nz);

struct Sheet {
  int width = 0;
  int height = 0;
  Point corner;  // drawing coordinates of the picture's top-left corner
  Rgb background;
  std::vector<uint8_t> inside;  // per pixel, row by row: part of the silhouette
  std::vector<Rgb> colour;      // per pixel; meaningful inside only
  // Per inside pixel, filled by MeasureEdges: the distance from its centre to
  // the nearest outside pixel centre (1 next to the outline).
  std::vector<double> edgeDistance;
};

// An empty width x height sheet whose pixel (x, y) has its centre at drawing
// point corner + (x + 0.5, y + 0.5).
Sheet NewSheet(int width, int height, Point corner, Rgb background);

// The drawing point at the centre of pixel (x, y).
Point PixelCentre(const Sheet& sheet, int x, int y);

// Adds shape to the silhouette.
void AddSilhouette(Sheet& sheet, const Shape& shape);

// Measures every inside pixel's distance to the outline; run once the
// silhouette is complete and before shading or outlining.
void MeasureEdges(Sheet& sheet);

// Paints the inside pixels within where with paint's colour.
void Fill(Sheet& sheet, const Shape& where, const Paint& paint);
void Fill(Sheet& sheet, const Shape& where, Rgb colour);

// Shades every inside pixel as a cushion lit from the upper left: the surface
// rises from the outline over roundness pixels, and a pixel's brightness
// follows the light falling on it.
void PuffShade(Sheet& sheet, double roundness);

// Paints the inside pixels within width of the outline (edge distance at most
// width) in colour.
void Outline(Sheet& sheet, double width, Rgb colour);

// The finished picture: the silhouette's colours on the background colour.
Bitmap ToBitmap(const Sheet& sheet);

// The same picture mirrored left to right.
Bitmap MirroredX(const Bitmap& picture);

}  // namespace puffel::art
