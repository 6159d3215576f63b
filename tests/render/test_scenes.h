// Scenes built by hand for the renderer's tests and benchmarks: a view with
// the program's start light and material, parts with rounded meshes, poses.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "platform/bitmap.h"
#include "scene/light_material.h"
#include "scene/scene.h"

namespace puffel::test {

// Gives scene a view of width x height (bitmap with a white pen and black
// brush, both buffers) and the light and material the program starts with.
inline void SetUpView(Scene& scene, int width, int height) {
  scene.ViewWidth = width;
  scene.ViewHeight = height;
  scene.ViewBitmap.SetSize(width, height);
  scene.ViewBitmap.canvas.penColour = 0xFFFFFF;
  scene.ViewBitmap.canvas.brushColour = 0;
  scene.DepthBuffer.Redim(width, height);
  scene.OwnerBuffer.Redim(width, height);
  scene.LightRed = scene.LightGreen = scene.LightBlue = 255;
  scene.LightMarkX = scene.LightMarkY = 40;
  scene.DiffuseMarkX = 40;
  scene.DiffuseMarkY = 4;
  scene.SpecularMarkX = scene.SpecularMarkY = 4;
  scene.FadeMarkX = 40;
  scene.FadeMarkY = 28;
  UpdateMaterial(scene);
  UpdateLight(scene);
}

// A picture whose every pixel has its own colour, so that a texel read from
// the wrong place shows.
inline Bitmap PatternPicture(int width, int height, uint32_t seed) {
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t h = (static_cast<uint32_t>(x) * 73856093u) ^
                         (static_cast<uint32_t>(y) * 19349663u) ^ (seed * 83492791u);
      picture.Row(y)[x] = (h * 2654435761u) >> 8;
    }
  }
  return picture;
}

struct DomeShape {
  int nx = 16;          // grid steps along picture x
  int ny = 16;          // grid steps along picture y
  double step = 8;      // pixels per grid step
  double height = 30;   // bulge of each surface at the centre; 0 gives a flat part
  double pivotX = 200;  // where the frame's origin is put
  double pivotY = 200;
  double jitter = 0;  // random shift of every vertex, in grid steps
  uint32_t seed = 1;  // pictures and jitter
  double rim = 0.8;   // vertices beyond this fraction of the radius are rim
};

// Adds part PartCount: an elliptic silhouette inscribed in the grid (rim
// vertices near its outline, the grid border outside), inflated into a front
// and a back surface, textured from pattern pictures of the grid's size in
// pixels, posed at its pivot with unit axes and a root of its own tree.
inline int AddDomePart(Scene& scene, const DomeShape& shape) {
  const int k = scene.PartCount;
  scene.GridColumns[k] = shape.nx;
  scene.GridRows[k] = shape.ny;
  scene.MaxGridColumns = std::max(scene.MaxGridColumns, shape.nx + 1);
  scene.MaxGridRows = std::max(scene.MaxGridRows, shape.ny + 1);
  RedimMeshTables(scene, k + 1);

  std::mt19937 random(shape.seed);
  std::uniform_real_distribution<double> shift(-shape.jitter, shape.jitter);
  const double cx = shape.nx / 2.0;
  const double cy = shape.ny / 2.0;
  for (int i = 0; i <= shape.nx; ++i) {
    for (int j = 0; j <= shape.ny; ++j) {
      const double rx = (i - cx) / (cx - 1);
      const double ry = (j - cy) / (cy - 1);
      const double r = std::sqrt(rx * rx + ry * ry);
      const bool border = i == 0 || j == 0 || i == shape.nx || j == shape.ny;
      scene.GridState[k][i][j] = border || r > 1 ? 0 : r > shape.rim ? 1 : 2;
      const double bulge = shape.height * std::sqrt(std::max(0.0, 1 - r * r));
      const double x = (i - cx + shift(random)) * shape.step;
      const double y = (j - cy + shift(random)) * shape.step;
      scene.FrontX[k][i][j] = scene.BackX[k][i][j] = x;
      scene.FrontY[k][i][j] = scene.BackY[k][i][j] = y;
      scene.FrontZ[k][i][j] = -bulge;
      scene.BackZ[k][i][j] = bulge;
      scene.TexU[k][i][j] = i * shape.step;
      scene.TexV[k][i][j] = j * shape.step;
    }
  }
  const int width = static_cast<int>(shape.nx * shape.step);
  const int height = static_cast<int>(shape.ny * shape.step);
  scene.PartPicture[k] = PatternPicture(width, height, shape.seed);
  scene.PartBackPicture[k] = PatternPicture(width, height, shape.seed + 1000);
  scene.PartPosX[k] = shape.pivotX;
  scene.PartPosY[k] = shape.pivotY;
  scene.PartFrame[k] = ResetFrame(shape.pivotX, shape.pivotY);
  for (int c = 0; c < LinkSize; ++c) scene.AncestorMatrix[k + 1][c] = 0;
  scene.AncestorMatrix[k + 1][0] = 1;
  scene.PartCount = k + 1;
  return k;
}

// Turns the tips of frame about its origin by angle (radians) about the unit
// axis (ux, uy, uz).
inline void TurnFrame(Frame& frame, double ux, double uy, double uz, double angle) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  for (Point3* tip : {&frame.TipX, &frame.TipY, &frame.TipZ}) {
    const double x = tip->x - frame.Origin.x;
    const double y = tip->y - frame.Origin.y;
    const double z = tip->z - frame.Origin.z;
    const double dot = ux * x + uy * y + uz * z;
    const double cx = uy * z - uz * y;
    const double cy = uz * x - ux * z;
    const double cz = ux * y - uy * x;
    tip->x = frame.Origin.x + x * c + cx * s + ux * dot * (1 - c);
    tip->y = frame.Origin.y + y * c + cy * s + uy * dot * (1 - c);
    tip->z = frame.Origin.z + z * c + cz * s + uz * dot * (1 - c);
  }
}

// Moves the tips of frame to factor times their distance from its origin.
inline void ScaleFrame(Frame& frame, double factor) {
  for (Point3* tip : {&frame.TipX, &frame.TipY, &frame.TipZ}) {
    tip->x = frame.Origin.x + (tip->x - frame.Origin.x) * factor;
    tip->y = frame.Origin.y + (tip->y - frame.Origin.y) * factor;
    tip->z = frame.Origin.z + (tip->z - frame.Origin.z) * factor;
  }
}

// Where two scenes' views first differ in a pixel, a depth (bit for bit) or an
// owner; empty when they are identical.
inline std::string ViewDifference(const Scene& a, const Scene& b) {
  if (a.ViewWidth != b.ViewWidth || a.ViewHeight != b.ViewHeight) return "view sizes";
  for (int y = 0; y < a.ViewHeight; ++y) {
    for (int x = 0; x < a.ViewWidth; ++x) {
      const double da = a.DepthBuffer(x, y);
      const double db = b.DepthBuffer(x, y);
      const char* what = a.ViewBitmap.Row(y)[x] != b.ViewBitmap.Row(y)[x] ? "pixel"
                         : std::memcmp(&da, &db, sizeof da) != 0          ? "depth"
                         : a.OwnerBuffer(x, y) != b.OwnerBuffer(x, y)     ? "owner"
                                                                          : nullptr;
      if (what) return what + (" at (" + std::to_string(x) + ", " + std::to_string(y) + ")");
    }
  }
  return "";
}

}  // namespace puffel::test
