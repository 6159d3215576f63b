// How far every grid point lies from the outline: its nearest outline pixel,
// the reach of every outline pixel into the shape, and from these the outline
// distance and the local half-thickness of every inside point.
#pragma once

#include <cstdint>
#include <vector>

#include "builder/build_progress.h"
#include "builder/outline.h"
#include "builder/outline_index.h"
#include "scene/scene.h"
#include "scene/tables.h"

namespace puffel {

// The measures of one build: the nearest outline pixel of every searched grid
// point, indexed [i][j] over i = 0..nx, j = 0..ny, and the reach of every
// outline pixel. An inside point's outline distance and local thickness follow
// from them (MeasurePoint).
struct OutlineMeasures {
  Table2D<int32_t> NearestOutline;   // list index of the nearest outline pixel; -1 none
  std::vector<double> OutlineReach;  // per outline pixel: the largest d² that reached it
};

// (x - OutlineX[n])² + (y - OutlineY[n])², rounded as every search rounds it.
inline double SquaredOutlineDistance(const OutlineList& outline, int n, double x, double y) {
  const double ex = x - outline.OutlineX[n];
  const double ey = y - outline.OutlineY[n];
  return ex * ex + ey * ey;
}

// Sizes measures for part k's grid and outline: no nearest pixel, all else 0.
void PrepareMeasures(const Scene& scene, int k, const OutlineList& outline,
                     OutlineMeasures& measures);

// The nearest-outline search of part k. For every interior point with
// GridState > 0 whose sample pixel lies inside the picture, stores its nearest
// outline pixel; for inside points, with d² the nearest squared distance,
// raises OutlineReach[n] to d² for every outline pixel n with q_n < d² * f2.
// Moves progressBar through its list after every searched column. index is
// the outline's index; the raise claims its pixels.
void FindNearestOutlines(const Scene& scene, int k, const OutlineList& outline, OutlineIndex& index,
                         double f2, OutlineMeasures& measures, ProgressBarPosition& progressBar);

// Moves progressBar on after a searched point of column i of an nx-column grid:
// from each entry of 5, 10, 15, 25, 30, 35, 45, 50, 55, 65, 70, 75, 85, 90 to
// the next while i > (nx * s) div 14 for the entry's number s.
void AdvanceSearchProgress(ProgressBarPosition& progressBar, int i, int nx);

// The outline distance d and the local half-thickness t of an inside point.
struct PointDepth {
  double d = 0;
  double t = 0;
};

// For an inside point at grid position (x, y) whose nearest outline pixel is
// n: d is the root of its squared distance to n, the d² of the search, and t
// the root of n's reach. Both are 0 when the point has no nearest pixel
// (n = -1).
PointDepth MeasurePoint(const OutlineList& outline, const OutlineMeasures& measures, int n,
                        double x, double y);

}  // namespace puffel
