// How far every grid point lies from the outline: its nearest outline pixel,
// the reach of every outline pixel into the shape, and from these the outline
// distance and the local half-thickness of every inside point.
#pragma once

#include <cstdint>
#include <vector>

#include "app/scene.h"
#include "app/tables.h"
#include "builder/outline.h"
#include "builder/outline_index.h"
#include "platform/controls.h"

namespace puffel {

// The measures of one build, indexed [i][j] over i = 0..nx, j = 0..ny.
struct OutlineMeasures {
  Table2D<int32_t> NearestOutline;  // list index of the nearest outline pixel; -1 none
  Table2D<double> OutlineDistance;  // inside points: d² after the search, d after MeasureThickness
  Table2D<double> LocalThickness;   // inside points: t after MeasureThickness
  std::vector<double> OutlineReach;  // per outline pixel: the largest d² that reached it
};

// Sizes measures for part k's grid and outline: no nearest pixel, all else 0.
void PrepareMeasures(const Scene& scene, int k, const OutlineList& outline,
                     OutlineMeasures& measures);

// The nearest-outline search of part k. For every interior point with
// GridState > 0 whose sample pixel lies inside the picture, stores its nearest
// outline pixel; for inside points also d², the nearest squared distance, and
// raises OutlineReach[n] to d² for every outline pixel n with q_n < d² * f2.
// Moves progressBar through its list after every searched column. index is
// the outline's index; the raise claims its pixels.
void FindNearestOutlines(const Scene& scene, int k, const OutlineList& outline, OutlineIndex& index,
                         double f2, OutlineMeasures& measures, Control& progressBar);

// Moves progressBar on after a searched point of column i of an nx-column grid:
// from each entry of 5, 10, 15, 25, 30, 35, 45, 50, 55, 65, 70, 75, 85, 90 to
// the next while i > (nx * s) div 14 for the entry's number s.
void AdvanceSearchProgress(Control& progressBar, int i, int nx);

// For every inside point: t² = OutlineReach of its nearest outline pixel, then
// d and t become the square roots of d² and t².
void MeasureThickness(const Scene& scene, int k, OutlineMeasures& measures);

}  // namespace puffel
