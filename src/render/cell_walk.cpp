#include "render/cell_walk.h"

#include <algorithm>
#include <cmath>

#include "render/cell_triangles.h"

namespace puffel {

namespace {

// Takes the sides of a part's cells: two triangles per cell, each tested for
// visibility, then its front and back side each taken when it faces the
// viewer: added to the sides given, or drawn as an outline when none are.
class PartWalk {
 public:
  PartWalk(const Scene& scene, const WalkPlan& plan, Bitmap* outlines)
      : scene_(scene), mesh_(scene, plan.part), outlines_(outlines), binding_(plan.binding) {
    const Frame& f = scene.PartFrame[plan.part];
    axisX_ = {f.TipX.x - f.Origin.x, f.TipX.y - f.Origin.y, f.TipX.z - f.Origin.z};
    axisY_ = {f.TipY.x - f.Origin.x, f.TipY.y - f.Origin.y, f.TipY.z - f.Origin.z};
    axisZ_ = {f.TipZ.x - f.Origin.x, f.TipZ.y - f.Origin.y, f.TipZ.z - f.Origin.z};
  }

  void Cell(int i, int j, std::vector<TriangleSide>* sides) {
    for (const CellTriangle& t : CellTriangles(i, j)) triangle(t, sides);
  }

 private:
  void triangle(const CellTriangle& t, std::vector<TriangleSide>* sides) {
    if (!TriangleVisible(mesh_, t.a, t.b, t.c)) return;
    for (const Side side : {Side::Front, Side::Back}) {
      if (binding_.parent >= 0 && bent(t, side)) {
        bentSide(t, side, sides);
        continue;
      }
      const Point3 n = TriangleNormal(mesh_, t.normalA, t.normalV0, t.normalC, side);
      // A side seen from behind or edge-on is skipped; its shading would go
      // unused, and so would the rest of its frame-space normal.
      const double frameZ = axisX_.z * n.x + axisY_.z * n.y + axisZ_.z * n.z;
      if (!(frameZ < 0)) continue;
      const Point3 frameNormal = toFrame(n, frameZ);
      take(ProjectTriangle(scene_, mesh_, t.a, t.b, t.c, side, frameNormal), sides);
    }
  }

  void take(const TriangleSide& projected, std::vector<TriangleSide>* sides) {
    if (sides) {
      sides->push_back(projected);
    } else {
      DrawTriangleOutline(*outlines_, projected);
    }
  }

  double weight(GridVertex v, Side side) const {
    const Point3 p = mesh_.Point(v, side);
    return OwnJointWeight(p.x, p.y, binding_.reach);
  }

  // Whether a vertex of the side lies within reach of the pivot.
  bool bent(const CellTriangle& t, Side side) const {
    return weight(t.a, side) < 1 || weight(t.b, side) < 1 || weight(t.c, side) < 1;
  }

  Point3 blended(GridVertex v, Side side) const {
    return BlendedPoint(scene_.RenderFrame[mesh_.Part()], scene_.RenderFrame[binding_.parent],
                        binding_, mesh_.Point(v, side), weight(v, side));
  }

  // A side that bends: its blended view points, and as its normal the
  // view-space (c - v0) x (a - v0) of its normal vertices, negated for the
  // back, which is what the rigid side's frame-space normal is up to its length.
  void bentSide(const CellTriangle& t, Side side, std::vector<TriangleSide>* sides) {
    const std::array<Point3, 3> corners{blended(t.a, side), blended(t.b, side), blended(t.c, side)};
    // The normal vertices are the corners in another order.
    const auto corner = [&](GridVertex v) -> const Point3& {
      if (v.i == t.a.i && v.j == t.a.j) return corners[0];
      return v.i == t.b.i && v.j == t.b.j ? corners[1] : corners[2];
    };
    const Point3& pa = corner(t.normalA);
    const Point3& p0 = corner(t.normalV0);
    const Point3& pc = corner(t.normalC);
    const Point3 e{pc.x - p0.x, pc.y - p0.y, pc.z - p0.z};
    const Point3 f{pa.x - p0.x, pa.y - p0.y, pa.z - p0.z};
    const double sign = side == Side::Back ? -1 : 1;
    const Point3 n{sign * (e.y * f.z - e.z * f.y), sign * (e.z * f.x - e.x * f.z),
                   sign * (e.x * f.y - e.y * f.x)};
    if (!(n.z < 0)) return;
    take({mesh_.Part(),
          side,
          corners,
          {mesh_.Texture(t.a), mesh_.Texture(t.b), mesh_.Texture(t.c)},
          n},
         sides);
  }

  // (TX - O) n.x + (TY - O) n.y + (TZ - O) n.z, component by component, its
  // z already found.
  Point3 toFrame(const Point3& n, double z) const {
    return {axisX_.x * n.x + axisY_.x * n.y + axisZ_.x * n.z,
            axisX_.y * n.x + axisY_.y * n.y + axisZ_.y * n.z, z};
  }

  const Scene& scene_;
  const PartMesh mesh_;
  Bitmap* outlines_;
  const SoftBinding binding_;
  Point3 axisX_, axisY_, axisZ_;
};

}  // namespace

int ChooseDrawOrder(const Frame& frame) {
  if (std::abs(frame.TipX.z) > std::abs(frame.TipY.z)) {
    return frame.TipX.z >= frame.Origin.z ? 4 : 3;
  }
  return frame.TipY.z >= frame.Origin.z ? 2 : 1;
}

WalkPlan PlanWalk(const Scene& scene, int k) {
  WalkPlan plan;
  plan.part = k;
  plan.order = ChooseDrawOrder(scene.PartFrame[k]);
  if (k >= scene.GridState.Size1()) return plan;
  plan.nx = std::min(scene.GridColumns[k], scene.GridState.Size2() - 1);
  plan.ny = std::min(scene.GridRows[k], scene.GridState.Size3() - 1);
  if (plan.nx < 2 || plan.ny < 2) return plan;  // no cell
  plan.lines = plan.order <= 2 ? plan.ny - 1 : plan.nx - 1;
  plan.binding = BindingOf(scene, k, plan.nx, plan.ny);
  return plan;
}

void WalkLines(const Scene& scene, const WalkPlan& plan, int first,
               std::span<std::vector<TriangleSide>* const> out) {
  PartWalk walk(scene, plan, nullptr);
  const int count = static_cast<int>(out.size());
  if (plan.order >= 3) {
    // Columns of cells, along j as the tables store it.
    for (int n = 0; n < count; ++n) {
      const int i = plan.Line(first + n);
      for (int j = 1; j <= plan.ny - 1; ++j) walk.Cell(i, j, out[n]);
    }
    return;
  }
  // Rows of cells, side by side: each row still gets its cells in order of i.
  for (int i = 1; i <= plan.nx - 1; ++i) {
    for (int n = 0; n < count; ++n) walk.Cell(i, plan.Line(first + n), out[n]);
  }
}

void DrawOutlines(Scene& scene, const WalkPlan& plan) {
  PartWalk walk(scene, plan, &scene.ViewBitmap);
  for (int n = 0; n < plan.lines; ++n) {
    const int line = plan.Line(n);
    if (plan.order >= 3) {
      for (int j = 1; j <= plan.ny - 1; ++j) walk.Cell(line, j, nullptr);
    } else {
      for (int i = 1; i <= plan.nx - 1; ++i) walk.Cell(i, line, nullptr);
    }
  }
}

}  // namespace puffel
