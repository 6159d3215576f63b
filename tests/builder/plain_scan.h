// The plain scans the outline index replaces: every grid point and every bled
// pixel against the whole outline list, exactly as the builder describes them.
// They are the oracle for the fast stages.
#pragma once

#include <cmath>
#include <vector>

#include "scene/scene.h"
#include "scene/tables.h"
#include "builder/finish.h"
#include "builder/grid.h"
#include "builder/inflate.h"
#include "builder/nearest_outline.h"
#include "builder/outline.h"
#include "builder/part_mesh.h"
#include "platform/numeric.h"

namespace puffel::test {

// The outline as defined: pixels inside the border, not of the background
// colour, with a background pixel above, below, left or right, row by row.
inline OutlineList PlainFindOutline(const Bitmap& picture, uint32_t background) {
  const auto isBackground = [&](int x, int y) {
    return SwapRedBlue(picture.Row(y)[x]) == background;
  };
  OutlineList outline;
  for (int y = 1; y <= picture.Height() - 2; ++y) {
    for (int x = 1; x <= picture.Width() - 2; ++x) {
      if (!isBackground(x, y) && (isBackground(x, y - 1) || isBackground(x, y + 1) ||
                                  isBackground(x - 1, y) || isBackground(x + 1, y))) {
        outline.OutlineX.push_back(x);
        outline.OutlineY.push_back(y);
      }
    }
  }
  return outline;
}

// The first outline entry with the smallest squared distance to (x, y) below
// 9999999.0, or -1.
inline int PlainNearestOutline(const OutlineList& outline, double x, double y) {
  double best = 9999999.0;
  int nearest = -1;
  for (int n = 0; n < outline.Count(); ++n) {
    const double q = (x - outline.OutlineX[n]) * (x - outline.OutlineX[n]) +
                     (y - outline.OutlineY[n]) * (y - outline.OutlineY[n]);
    if (q < best) {
      best = q;
      nearest = n;
    }
  }
  return nearest;
}

// The nearest-outline search and the reach raise, point by point in grid
// order, each against the whole list. Every inside point's d² goes into
// outlineDistance, sized like NearestOutline.
inline void PlainFindNearestOutlines(const Scene& scene, int k, const OutlineList& outline,
                                     double f2, OutlineMeasures& measures,
                                     Table2D<double>& outlineDistance) {
  const int nx = scene.GridColumns[k];
  const int ny = scene.GridRows[k];
  const Bitmap& picture = scene.PartPicture[k];
  for (int i = 1; i <= nx - 1; ++i) {
    for (int j = 1; j <= ny - 1; ++j) {
      const double state = scene.GridState[k][i][j];
      if (!(state > 0)) continue;
      const double x = scene.FrontX[k][i][j];
      const double y = scene.FrontY[k][i][j];
      const int px = TruncInt(x + 0.5);
      const int py = TruncInt(y + 0.5);
      if (px < 0 || px >= picture.Width() || py < 0 || py >= picture.Height()) continue;
      const int n = PlainNearestOutline(outline, x, y);
      if (n < 0) continue;
      measures.NearestOutline[i][j] = n;
      if (state != 2) continue;
      const double d2 = (x - outline.OutlineX[n]) * (x - outline.OutlineX[n]) +
                        (y - outline.OutlineY[n]) * (y - outline.OutlineY[n]);
      outlineDistance[i][j] = d2;
      for (int m = 0; m < outline.Count(); ++m) {
        const double q = (x - outline.OutlineX[m]) * (x - outline.OutlineX[m]) +
                         (y - outline.OutlineY[m]) * (y - outline.OutlineY[m]);
        if (q < d2 * f2 && measures.OutlineReach[m] < d2) measures.OutlineReach[m] = d2;
      }
    }
  }
}

// What the plain build leaves besides the scene: the outline, its measures and
// every inside point's outline distance d and local half-thickness t, as the
// tables the builder once kept held them.
struct PlainAnalysis {
  OutlineList outline;
  OutlineMeasures measures;
  Table2D<double> OutlineDistance;
  Table2D<double> LocalThickness;
};

// t² = the reach of the nearest outline pixel of every inside point, then d
// and t as the roots of d² and t².
inline void PlainMeasureThickness(const Scene& scene, int k, PlainAnalysis& plain) {
  const int nx = scene.GridColumns[k];
  const int ny = scene.GridRows[k];
  plain.LocalThickness.Redim(nx + 1, ny + 1);
  for (int i = 1; i <= nx - 1; ++i) {
    for (int j = 1; j <= ny - 1; ++j) {
      if (scene.GridState[k][i][j] != 2) continue;
      const int n = plain.measures.NearestOutline[i][j];
      if (n >= 0) plain.LocalThickness[i][j] = plain.measures.OutlineReach[n];
      plain.OutlineDistance[i][j] = std::sqrt(plain.OutlineDistance[i][j]);
      plain.LocalThickness[i][j] = std::sqrt(plain.LocalThickness[i][j]);
    }
  }
}

// The grid and outline stages of a build with the outline and the search done
// plainly.
inline PlainAnalysis PlainAnalysePart(Scene& scene, int k, const MeshSettings& settings) {
  const Bitmap& picture = scene.PartPicture[k];
  const GridSpacing spacing = ComputeGridSpacing(settings.polygonSize, settings.triangularGrid);
  const double f = ReachFactor(settings.polygonSize);
  SetUpGridTables(scene, k, ComputeGridExtent(picture.Width(), picture.Height(), spacing));
  PlainAnalysis plain{PlainFindOutline(picture, scene.BackgroundColour), {}, {}, {}};
  PlaceGridPoints(scene, k, spacing, settings.colourProjection);
  ClassifyGridPoints(scene, k, scene.BackgroundColour);
  PrepareMeasures(scene, k, plain.outline, plain.measures);
  plain.OutlineDistance.Redim(scene.GridColumns[k] + 1, scene.GridRows[k] + 1);
  PlainFindNearestOutlines(scene, k, plain.outline, f * f, plain.measures, plain.OutlineDistance);
  PlainMeasureThickness(scene, k, plain);
  return plain;
}

// The finishing with the bleeding's search done plainly.
inline void PlainFinishPartMesh(Scene& scene, int k, const OutlineList& outline) {
  ClearGridBorder(scene, k);
  BleedRimTriangles(scene, k, RimRectangles(scene, k), outline,
                    [&](int x, int y) { return PlainNearestOutline(outline, x, y); });
}

// The mesh stages of a build with the outline and both searches done plainly.
inline PlainAnalysis PlainBuildPartMesh(Scene& scene, int k, const MeshSettings& settings,
                                        const ShapeSettings& shape) {
  PlainAnalysis plain = PlainAnalysePart(scene, k, settings);
  SnapRimPoints(scene, k, plain.outline, plain.measures);
  InflateInsidePoints(scene, k, plain.outline, plain.measures, settings.frontBulge,
                      settings.backBulge, shape.earPosition);
  StretchDepths(scene, k, shape.frontStretch, shape.backStretch);
  if (settings.colourProjection) ProjectColours(scene, k);
  PlainFinishPartMesh(scene, k, plain.outline);
  return plain;
}

}  // namespace puffel::test
