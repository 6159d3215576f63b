// The sample grid of a new part: its spacing and extent, its tables, the grid
// positions and the classification of every point as outside, rim or inside.
#pragma once

#include <cstdint>

#include "scene/scene.h"

namespace puffel {

// Spacing of the sample grid from the polygon size p1 (TrackBar1, 1..32).
struct GridSpacing {
  double dx = 0;
  double dy = 0;
  bool triangular = false;
};

// The grid step s = p1 + 1; square grids space points s apart, triangular ones
// 2h across and sqrt(3) h down with h = s * sqrt(1 / (2 sqrt 3)).
GridSpacing ComputeGridSpacing(int polygonSize, bool triangular);

// The reach factor f = 1.02 + 0.01 * p1.
double ReachFactor(int polygonSize);

struct GridExtent {
  int nx = 0;  // GridColumns: steps along picture x
  int ny = 0;  // GridRows: steps along picture y
};

// The grid steps that cover a width x height picture.
GridExtent ComputeGridExtent(int width, int height, const GridSpacing& spacing);

// Stores the extent of part k (slot PartCount - 1), recomputes MaxGridColumns
// and MaxGridRows over the parts in use and re-dimensions the mesh tables.
// Also selects the renderer's first draw order and leaves outline drawing.
void SetUpGridTables(Scene& scene, int k, const GridExtent& extent);

// Gives the interior points of part k their grid positions at depth 0 (odd rows
// of a triangular grid half a step to the left) and, when colour projection is
// off, the texture positions where they start.
void PlaceGridPoints(Scene& scene, int k, const GridSpacing& spacing, bool colourProjection);

// Sets GridState of part k: 2 where an interior point samples the silhouette of
// PartPicture[k], 0 elsewhere; then 1 at the end of every grid edge crossing the
// outline that lies nearer to the crossing. Needs the grid positions.
void ClassifyGridPoints(Scene& scene, int k, uint32_t background);

}  // namespace puffel
