#include "builder/finish.h"

#include <algorithm>

#include "builder/background.h"
#include "builder/part_mesh.h"
#include "platform/numeric.h"

namespace puffel {

void ClearGridBorder(Scene& scene, int k) {
  const int nx = scene.GridColumns[k];
  const int ny = scene.GridRows[k];
  auto state = scene.GridState[k];
  for (int i = 0; i <= nx; ++i) {
    for (int j : {0, 1, ny - 1, ny}) state[i][j] = 0;
  }
  for (int j = 0; j <= ny; ++j) {
    for (int i : {0, 1, nx - 2, nx - 1, nx}) state[i][j] = 0;
  }
}

void BleedRimColours(Bitmap& picture, Bitmap& backPicture, uint32_t background,
                     const OutlineList& outline, int x0, int x1, int y0, int y1,
                     const NearestPixelSearch& nearest) {
  if (y0 < 0 || y1 >= picture.Height() || x0 < 0 || x1 >= picture.Width()) return;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      if (!IsBackgroundPixel(picture.Row(y)[x], background)) continue;
      const int n = nearest(x, y);
      if (n < 0) continue;
      const int ox = outline.OutlineX[n];
      const int oy = outline.OutlineY[n];
      picture.Row(y)[x] = picture.Row(oy)[ox];
      backPicture.Row(y)[x] = backPicture.Row(oy)[ox];
    }
  }
}

std::vector<PixelRect> RimRectangles(const Scene& scene, int k) {
  const int nx = scene.GridColumns[k];
  const int ny = scene.GridRows[k];
  const auto state = scene.GridState[k];
  const auto frontX = scene.FrontX[k];
  const auto frontY = scene.FrontY[k];
  std::vector<PixelRect> rectangles;
  struct Vertex {
    int i, j;
  };
  const auto addTriangle = [&](Vertex a, Vertex b, Vertex c) {
    if (state[a.i][a.j] != 1 && state[b.i][b.j] != 1 && state[c.i][c.j] != 1) return;
    const double xa = frontX[a.i][a.j], xb = frontX[b.i][b.j], xc = frontX[c.i][c.j];
    const double ya = frontY[a.i][a.j], yb = frontY[b.i][b.j], yc = frontY[c.i][c.j];
    rectangles.push_back({TruncInt(std::min({xa, xb, xc})), TruncInt(std::max({xa, xb, xc})),
                          TruncInt(std::min({ya, yb, yc})), TruncInt(std::max({ya, yb, yc}))});
  };
  for (int i = 1; i <= nx - 1; ++i) {
    for (int j = 1; j <= ny - 1; ++j) {
      if (j % 2 == 0) {
        addTriangle({i, j}, {i, j + 1}, {i + 1, j + 1});
        addTriangle({i, j}, {i + 1, j}, {i + 1, j + 1});
      } else {
        addTriangle({i, j}, {i + 1, j}, {i, j + 1});
        addTriangle({i + 1, j}, {i, j + 1}, {i + 1, j + 1});
      }
    }
  }
  return rectangles;
}

void BleedRimTriangles(Scene& scene, int k, const std::vector<PixelRect>& rectangles,
                       const OutlineList& outline, const NearestPixelSearch& nearest) {
  for (const PixelRect& r : rectangles) {
    BleedRimColours(scene.PartPicture[k], scene.PartBackPicture[k], scene.BackgroundColour, outline,
                    r.x0, r.x1, r.y0, r.y1, nearest);
  }
}

void TranslatePartMesh(Scene& scene, int k, double dx, double dy, double dz) {
  auto frontX = scene.FrontX[k], frontY = scene.FrontY[k], frontZ = scene.FrontZ[k];
  auto backX = scene.BackX[k], backY = scene.BackY[k], backZ = scene.BackZ[k];
  for (int i = 1; i <= scene.MaxGridColumns - 1; ++i) {
    for (int j = 1; j <= scene.MaxGridRows - 1; ++j) {
      frontX[i][j] = frontX[i][j] + dx;
      frontY[i][j] = frontY[i][j] + dy;
      frontZ[i][j] = frontZ[i][j] + dz;
      backX[i][j] = backX[i][j] + dx;
      backY[i][j] = backY[i][j] + dy;
      backZ[i][j] = backZ[i][j] + dz;
    }
  }
}

void PlacePartMesh(Scene& scene, int k) {
  scene.PartFrame[k] = ResetFrame(scene.PartPosX[k], scene.PartPosY[k]);
  TranslatePartMesh(scene, k, scene.PartOffsetX[k] - scene.PartPosX[k],
                    scene.PartOffsetY[k] - scene.PartPosY[k], 0);
}

}  // namespace puffel
