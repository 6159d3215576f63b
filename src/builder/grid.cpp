#include "builder/grid.h"

#include <algorithm>
#include <cmath>

#include "scene/tables.h"
#include "builder/background.h"
#include "platform/numeric.h"

namespace puffel {

GridSpacing ComputeGridSpacing(int polygonSize, bool triangular) {
  const double s = polygonSize + 1;
  if (!triangular) return {s, s, false};
  const double h = s * std::sqrt(1 / (2 * std::sqrt(3.0)));
  return {2 * h, std::sqrt(3.0) * h, true};
}

double ReachFactor(int polygonSize) { return 1.02 + 0.01 * polygonSize; }

GridExtent ComputeGridExtent(int width, int height, const GridSpacing& spacing) {
  const double dx = spacing.dx;
  const double dy = spacing.dy;
  return {TruncInt((width + dx / 2 + 2) / dx) + 2, TruncInt((height + dy / 2 + 2) / dy) + 1};
}

void SetUpGridTables(Scene& scene, int k, const GridExtent& extent) {
  scene.GridColumns[k] = extent.nx;
  scene.GridRows[k] = extent.ny;
  scene.MaxGridColumns = 0;
  scene.MaxGridRows = 0;
  for (int q = 0; q < scene.PartCount; ++q) {
    scene.MaxGridColumns = std::max(scene.MaxGridColumns, scene.GridColumns[q] + 1);
    scene.MaxGridRows = std::max(scene.MaxGridRows, scene.GridRows[q] + 1);
  }
  // Cells of a slot that existed before the re-dimensioning keep stale values;
  // new cells come zero-filled already.
  const bool slotExisted = k < scene.GridState.Size1();
  RedimMeshTables(scene, scene.PartCount);
  if (slotExisted) {
    for (Table3D<double>* table :
         {&scene.GridState, &scene.FrontX, &scene.FrontY, &scene.FrontZ, &scene.BackX, &scene.BackY,
          &scene.BackZ, &scene.TexU, &scene.TexV}) {
      std::fill_n((*table)[k][0], static_cast<size_t>(table->Size2()) * table->Size3(), 0.0);
    }
  }
  scene.DrawOrder = 1;
  scene.OutlineMode = false;
}

void PlaceGridPoints(Scene& scene, int k, const GridSpacing& spacing, bool colourProjection) {
  const int nx = scene.GridColumns[k];
  const int ny = scene.GridRows[k];
  const double dx = spacing.dx;
  const double dy = spacing.dy;
  auto frontX = scene.FrontX[k];
  auto frontY = scene.FrontY[k];
  auto frontZ = scene.FrontZ[k];
  for (int i = 1; i <= nx - 1; ++i) {
    for (int j = 1; j <= ny - 1; ++j) {
      frontX[i][j] = i * dx - dx / 2;
      frontY[i][j] = j * dy - dy / 2;
      frontZ[i][j] = 0;
    }
  }
  if (spacing.triangular) {
    for (int i = 0; i <= nx; ++i) {
      for (int j = 1; j <= ny; j += 2) frontX[i][j] -= dx / 2;
    }
  }
  if (!colourProjection) {
    auto texU = scene.TexU[k];
    auto texV = scene.TexV[k];
    for (int i = 0; i <= nx; ++i) {
      for (int j = 0; j <= ny; ++j) {
        texU[i][j] = frontX[i][j];
        texV[i][j] = frontY[i][j];
      }
    }
  }
}

namespace {

// Per grid point of the classification: its own sample is background, and
// it is marked as a rim point.
constexpr uint8_t OutsideSample = 1;
constexpr uint8_t RimMark = 2;

// The rim test of the grid edges: of an edge that crosses the silhouette, the
// end nearer to the crossing is marked. A point is sampled at its position +
// 0.5, the middle of an edge at the average of its two ends' samples.
struct RimCrossing {
  const Bitmap& picture;
  uint32_t background;
  Table3D<double>::Slice frontX;
  Table3D<double>::Slice frontY;
  Table2D<uint8_t>& flags;

  void mark(int ia, int ja, int ib, int jb) const {
    const bool aOutside = (flags[ia][ja] & OutsideSample) != 0;
    const bool bOutside = (flags[ib][jb] & OutsideSample) != 0;
    if (aOutside == bOutside) return;
    const double mx = ((frontX[ia][ja] + 0.5) + (frontX[ib][jb] + 0.5)) / 2;
    const double my = ((frontY[ia][ja] + 0.5) + (frontY[ib][jb] + 0.5)) / 2;
    const bool middleOutside = IsBackgroundAt(picture, TruncInt(mx), TruncInt(my), background);
    // The end in whose half of the edge the crossing lies is marked.
    const bool markA = aOutside != middleOutside;
    if (markA) {
      flags[ia][ja] |= RimMark;
    } else {
      flags[ib][jb] |= RimMark;
    }
  }
};

}  // namespace

void ClassifyGridPoints(Scene& scene, int k, uint32_t background) {
  const int nx = scene.GridColumns[k];
  const int ny = scene.GridRows[k];
  const Bitmap& picture = scene.PartPicture[k];
  auto state = scene.GridState[k];
  auto frontX = scene.FrontX[k];
  auto frontY = scene.FrontY[k];
  Table2D<uint8_t> flags;
  flags.Redim(nx + 1, ny + 1);
  for (int i = 0; i <= nx; ++i) {
    for (int j = 0; j <= ny; ++j) {
      if (IsBackgroundAt(picture, TruncInt(frontX[i][j] + 0.5), TruncInt(frontY[i][j] + 0.5),
                         background)) {
        flags[i][j] = OutsideSample;
      }
    }
  }
  for (int i = 1; i <= nx - 1; ++i) {
    for (int j = 1; j <= ny - 1; ++j) state[i][j] = (flags[i][j] & OutsideSample) != 0 ? 0 : 2;
  }

  const RimCrossing crossing{picture, background, frontX, frontY, flags};
  for (int i = 1; i <= nx - 1; ++i) {
    for (int j = 0; j <= ny - 1; ++j) {
      crossing.mark(i, j, i + 1, j);
      crossing.mark(i, j, i, j + 1);
      if (j % 2 == 0) {
        crossing.mark(i, j, i + 1, j + 1);
      } else {
        crossing.mark(i, j, i - 1, j + 1);
      }
    }
  }
  for (int i = 0; i <= nx; ++i) {
    for (int j = 0; j <= ny; ++j) {
      if ((flags[i][j] & RimMark) != 0) state[i][j] = 1;
    }
  }
}

}  // namespace puffel
