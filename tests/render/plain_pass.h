// The 3D render pass written plainly from its description, the oracle of
// DrawScene3D: pixel-by-pixel clears, the background rectangle, every cell read
// straight from the mesh tables, each side shaded before its facing test, the
// soft joints' blend, and the plain fill.
#pragma once

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/canvas.h"
#include "platform/numeric.h"
#include "render/plain_fill.h"
#include "render/shade.h"
#include "render/triangle_side.h"
#include "scene/scene.h"

namespace puffel::test {

namespace plain {

inline Point3 minus(const Point3& p, const Point3& q) { return {p.x - q.x, p.y - q.y, p.z - q.z}; }

inline Point3 meshPoint(const Scene& scene, int k, GridVertex v, bool front) {
  return front
             ? Point3{scene.FrontX[k][v.i][v.j], scene.FrontY[k][v.i][v.j],
                      scene.FrontZ[k][v.i][v.j]}
             : Point3{scene.BackX[k][v.i][v.j], scene.BackY[k][v.i][v.j], scene.BackZ[k][v.i][v.j]};
}

inline Point3 cross(const Point3& e, const Point3& f) {
  return {e.y * f.z - e.z * f.y, e.z * f.x - e.x * f.z, e.x * f.y - e.y * f.x};
}

// With soft joints, part k bends when it hangs from a lower part: the
// parent (-1: none) and the reach, a quarter of the longest distance of its
// silhouette from its pivot per step of JointReach.
inline std::pair<int, double> bendOf(const Scene& scene, int k) {
  int parent = -1;
  for (int p = k - 1; p >= 0; --p) {
    if (scene.ParentMatrix[k + 1][p + 1] != 0) parent = p;
  }
  double longest = 0;
  for (int i = 1; i <= scene.GridColumns[k]; ++i) {
    for (int j = 1; j <= scene.GridRows[k]; ++j) {
      for (const bool front : {true, false}) {
        const Point3 p = meshPoint(scene, k, {i, j}, front);
        if (scene.GridState[k][i][j] > 0)
          longest = std::max(longest, std::sqrt(p.x * p.x + p.y * p.y));
      }
    }
  }
  const double reach = scene.JointReach * 0.25 * longest;
  return {scene.SoftJoints && reach > 0 ? parent : -1, reach};
}

// Triangle (a, b, c) of part k, its normal formed from (a2, v0, c2).
inline void drawTriangle(Scene& scene, int k, GridVertex a, GridVertex b, GridVertex c,
                         GridVertex a2, GridVertex v0, GridVertex c2) {
  const auto state = [&](GridVertex v) { return scene.GridState[k][v.i][v.j]; };
  if (!(state(a) > 0 && state(b) > 0 && state(c) > 0 &&
        (state(a) > 1 || state(b) > 1 || state(c) > 1))) {
    return;
  }
  const Frame& pose = scene.PartFrame[k];
  const Frame& render = scene.RenderFrame[k];
  // Plain names, not a structured binding: the lambdas below capture them.
  const std::pair<int, double> bend = bendOf(scene, k);
  const int parent = bend.first;
  const double reach = bend.second;
  for (const Side side : {Side::Front, Side::Back}) {
    const bool front = side == Side::Front;
    const auto mesh = [&](GridVertex v) { return meshPoint(scene, k, v, front); };
    const auto posed = [](const Frame& r, const Point3& p) {
      return Point3{r.Origin.x + p.x * (r.TipX.x - r.Origin.x) + p.y * (r.TipY.x - r.Origin.x) +
                        p.z * (r.TipZ.x - r.Origin.x),
                    r.Origin.y + p.x * (r.TipX.y - r.Origin.y) + p.y * (r.TipY.y - r.Origin.y) +
                        p.z * (r.TipZ.y - r.Origin.y),
                    r.Origin.z + p.x * (r.TipX.z - r.Origin.z) + p.y * (r.TipY.z - r.Origin.z) +
                        p.z * (r.TipZ.z - r.Origin.z)};
    };
    // w = smoothstep(0, reach, d) for the own joint, 1 - w for the parent's.
    const auto weight = [&](GridVertex v) {
      const Point3 p = mesh(v);
      const double t = std::min(std::sqrt(p.x * p.x + p.y * p.y) / reach, 1.0);
      return parent < 0 ? 1 : t * t * (3 - 2 * t);
    };
    // v' = w Own v + (1 - w) Parent InverseBindParent Bind v, the binds being
    // moves to the pivots.
    const auto view = [&](GridVertex v) {
      const Point3 p = mesh(v);
      const double w = weight(v);
      const Point3 own = posed(render, p);
      if (w == 1) return own;
      const Point3 theirs = posed(scene.RenderFrame[parent],
                                  {p.x + (scene.PartPosX[k] - scene.PartPosX[parent]),
                                   p.y + (scene.PartPosY[k] - scene.PartPosY[parent]), p.z});
      return Point3{w * own.x + (1 - w) * theirs.x, w * own.y + (1 - w) * theirs.y,
                    w * own.z + (1 - w) * theirs.z};
    };
    Point3 N;
    if (weight(a) < 1 || weight(b) < 1 || weight(c) < 1) {
      N = cross(minus(view(c2), view(v0)), minus(view(a2), view(v0)));
      if (!front) N = {-N.x, -N.y, -N.z};
    } else {
      Point3 n = cross(minus(mesh(c2), mesh(v0)), minus(mesh(a2), mesh(v0)));
      if (!front) n = {-n.x, -n.y, -n.z};
      const Point3 ax = minus(pose.TipX, pose.Origin);
      const Point3 ay = minus(pose.TipY, pose.Origin);
      const Point3 az = minus(pose.TipZ, pose.Origin);
      N = {ax.x * n.x + ay.x * n.y + az.x * n.z, ax.y * n.x + ay.y * n.y + az.y * n.z,
           ax.z * n.x + ay.z * n.y + az.z * n.z};
    }
    const TriangleShade shade = ShadeTriangle(scene, N);
    if (!(N.z < 0)) continue;

    const auto texture = [&](GridVertex v) {
      return Point2{scene.TexU[k][v.i][v.j], scene.TexV[k][v.i][v.j]};
    };
    const TriangleSide projected{
        k, side, {view(a), view(b), view(c)}, {texture(a), texture(b), texture(c)}, N};
    if (scene.OutlineMode) {
      const IntPoint corners[] = {{TruncInt(projected.view[0].x), TruncInt(projected.view[0].y)},
                                  {TruncInt(projected.view[1].x), TruncInt(projected.view[1].y)},
                                  {TruncInt(projected.view[2].x), TruncInt(projected.view[2].y)}};
      Polygon(scene.ViewBitmap, corners);
    } else {
      PlainFillShadedTriangle(scene, projected, shade);
    }
  }
}

inline void drawCell(Scene& scene, int k, int i, int j) {
  if (j % 2 == 0) {
    drawTriangle(scene, k, {i, j}, {i, j + 1}, {i + 1, j + 1}, {i, j}, {i, j + 1}, {i + 1, j + 1});
    drawTriangle(scene, k, {i, j}, {i + 1, j}, {i + 1, j + 1}, {i + 1, j + 1}, {i + 1, j}, {i, j});
  } else {
    drawTriangle(scene, k, {i, j}, {i + 1, j}, {i, j + 1}, {i + 1, j}, {i, j}, {i, j + 1});
    drawTriangle(scene, k, {i + 1, j}, {i, j + 1}, {i + 1, j + 1}, {i, j + 1}, {i + 1, j + 1},
                 {i + 1, j});
  }
}

}  // namespace plain

inline void PlainDrawScene3D(Scene& scene) {
  for (int x = 0; x < scene.ViewWidth; ++x) {
    for (int y = 0; y < scene.ViewHeight; ++y) {
      scene.DepthBuffer(x, y) = 99999999.0;
      scene.OwnerBuffer(x, y) = -1;
    }
  }
  if (!scene.BackgroundName.empty()) {
    Draw(scene.ViewBitmap, 0, 0, scene.BackgroundBitmap);
  } else {
    scene.ViewBitmap.canvas.brushColour = 0;
    Rectangle(scene.ViewBitmap, -1, -1, scene.ViewWidth + 2, scene.ViewHeight + 2);
  }

  for (int k = 0; k < scene.PartCount; ++k) scene.RenderFrame[k] = scene.PartFrame[k];
  for (int j = 0; j < scene.PartCount; ++j) {
    int b = j;
    for (int p = scene.PartCount - 1; p >= 0; --p) {
      if (scene.AncestorMatrix[j + 1][p + 1] == 1) b = p;
    }
    const Frame& f = scene.PartFrame[j];
    const Point3 z = plain::minus(f.TipZ, f.Origin);
    const double s = std::sqrt(z.x * z.x + z.y * z.y + z.z * z.z);
    const Point3& o = f.Origin;
    const Point3& q = scene.PartFrame[b].Origin;
    const Point3 t{s * o.x + (1 - s) * q.x, s * o.y + (1 - s) * q.y, s * o.z + (1 - s) * q.z};
    for (Point3* point : {&scene.RenderFrame[j].Origin, &scene.RenderFrame[j].TipX,
                          &scene.RenderFrame[j].TipY, &scene.RenderFrame[j].TipZ}) {
      point->x += t.x - o.x;
      point->y += t.y - o.y;
      point->z += t.z - o.z;
    }
  }

  if (scene.OutlineMode) {
    scene.ViewBitmap.canvas.penColour = 0xFFFFFF;
    scene.ViewBitmap.canvas.brushColour = 0;
  }
  for (int k = 0; k < scene.PartCount; ++k) {
    const Frame& f = scene.PartFrame[k];
    int order;
    if (std::abs(f.TipX.z) > std::abs(f.TipY.z)) {
      order = f.TipX.z >= f.Origin.z ? 4 : 3;
    } else {
      order = f.TipY.z >= f.Origin.z ? 2 : 1;
    }
    const int nx = scene.GridColumns[k];
    const int ny = scene.GridRows[k];
    if (order == 1) {
      for (int j = 1; j <= ny - 1; ++j) {
        for (int i = 1; i <= nx - 1; ++i) plain::drawCell(scene, k, i, j);
      }
    } else if (order == 2) {
      for (int j = ny - 1; j >= 1; --j) {
        for (int i = 1; i <= nx - 1; ++i) plain::drawCell(scene, k, i, j);
      }
    } else if (order == 3) {
      for (int i = 1; i <= nx - 1; ++i) {
        for (int j = 1; j <= ny - 1; ++j) plain::drawCell(scene, k, i, j);
      }
    } else {
      for (int i = nx - 1; i >= 1; --i) {
        for (int j = 1; j <= ny - 1; ++j) plain::drawCell(scene, k, i, j);
      }
    }
  }
}

}  // namespace puffel::test
