// Finishing a part's mesh: the grid border cleared, outline colours bled into
// the background around the rim of both pictures, and the mesh moved into
// pivot-relative coordinates.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "scene/scene.h"
#include "builder/outline.h"

namespace puffel {

// Sets GridState of part k to 0 on the rows j = 0, 1, ny-1, ny and the columns
// i = 0, 1, nx-2, nx-1, nx.
void ClearGridBorder(Scene& scene, int k);

// Finds the outline pixel nearest to pixel (x, y): the list index of the
// smallest squared distance below 9999999.0, the first in list order among
// equals, or -1 when there is none.
using NearestPixelSearch = std::function<int(int x, int y)>;

// When the rectangle x0..x1, y0..y1 (inclusive) lies inside the picture, every
// background pixel in it, row by row, takes the colour of its nearest outline
// pixel in picture, and the same pixel of backPicture the colour that
// backPicture has there. Both pictures have one size.
void BleedRimColours(Bitmap& picture, Bitmap& backPicture, uint32_t background,
                     const OutlineList& outline, int x0, int x1, int y0, int y1,
                     const NearestPixelSearch& nearest);

// A pixel rectangle x0..x1, y0..y1 (inclusive).
struct PixelRect {
  int x0, x1, y0, y1;
};

// The bounding rectangles (front positions, truncated) of the triangles of part
// k's grid cells i = 1..nx-1, j = 1..ny-1 that have a rim vertex, cell by cell
// (i outer, j inner), each cell's two triangles in connectivity order.
std::vector<PixelRect> RimRectangles(const Scene& scene, int k);

// Bleeds PartPicture[k] and PartBackPicture[k] over the rim rectangles in
// their order.
void BleedRimTriangles(Scene& scene, int k, const std::vector<PixelRect>& rectangles,
                       const OutlineList& outline, const NearestPixelSearch& nearest);

// Adds (dx, dy, dz) to the front and back vertices of part k for
// i = 1..MaxGridColumns-1 and j = 1..MaxGridRows-1.
void TranslatePartMesh(Scene& scene, int k, double dx, double dy, double dz);

}  // namespace puffel
