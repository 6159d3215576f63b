// One triangle of a part's grid, one side at a time: whether it is drawn, its
// normal, and its projection into the view.
#pragma once

#include <array>
#include <cstddef>

#include "scene/scene.h"

namespace puffel {

// A grid vertex [i][j] of a part's mesh tables.
struct GridVertex {
  int i = 0;
  int j = 0;
};

enum class Side { Front, Back };

struct Point2 {
  double x = 0;
  double y = 0;
};

// A projected triangle side, as the fill receives it.
struct TriangleSide {
  int part = 0;
  Side side = Side::Front;
  std::array<Point3, 3> view;     // a, b, c in view space
  std::array<Point2, 3> texture;  // TexU and TexV at a, b, c
  Point3 normal;                  // frame-space normal N, the input of ShadeTriangle
};

// One part's mesh tables read at grid vertices.
class PartMesh {
 public:
  PartMesh(const Scene& scene, int part);

  int Part() const { return part_; }
  double State(GridVertex v) const { return field_[GridStateField][at(v)]; }
  Point3 Point(GridVertex v, Side side) const {
    const size_t n = at(v);
    if (side == Side::Front) {
      return {field_[FrontXField][n], field_[FrontYField][n], field_[FrontZField][n]};
    }
    return {field_[BackXField][n], field_[BackYField][n], field_[BackZField][n]};
  }
  Point2 Texture(GridVertex v) const {
    const size_t n = at(v);
    return {field_[TexUField][n], field_[TexVField][n]};
  }

 private:
  enum Field {
    GridStateField,
    FrontXField,
    FrontYField,
    FrontZField,
    BackXField,
    BackYField,
    BackZField,
    TexUField,
    TexVField,
    FieldCount
  };
  static std::array<const Table3D<double>*, FieldCount> tables(const Scene& scene);

  size_t at(GridVertex v) const { return static_cast<size_t>(v.i) * strideI_ + v.j; }

  int part_;
  size_t strideI_;  // the tables keep j contiguous
  std::array<const double*, FieldCount> field_;
};

// True when no vertex of the triangle lies outside the silhouette (GridState 0)
// and at least one lies inside (GridState above 1).
inline bool TriangleVisible(const PartMesh& mesh, GridVertex a, GridVertex b, GridVertex c) {
  const double sa = mesh.State(a);
  const double sb = mesh.State(b);
  const double sc = mesh.State(c);
  return sa > 0 && sb > 0 && sc > 0 && (sa > 1 || sb > 1 || sc > 1);
}

// The mesh-space normal (c - v0) x (a - v0) of the side's surface (Front* or
// Back* tables), negated for the back side; not normalised.
inline Point3 TriangleNormal(const PartMesh& mesh, GridVertex a, GridVertex v0, GridVertex c,
                             Side side) {
  const Point3 pa = mesh.Point(a, side);
  const Point3 p0 = mesh.Point(v0, side);
  const Point3 pc = mesh.Point(c, side);
  const Point3 e{pc.x - p0.x, pc.y - p0.y, pc.z - p0.z};  // c - v0
  const Point3 f{pa.x - p0.x, pa.y - p0.y, pa.z - p0.z};  // a - v0
  const Point3 n{e.y * f.z - e.z * f.y, e.z * f.x - e.x * f.z, e.x * f.y - e.y * f.x};
  if (side == Side::Back) return {-n.x, -n.y, -n.z};
  return n;
}

// The local point p of a part posed by frame, in view space:
// O + X (TX - O) + Y (TY - O) + Z (TZ - O), component by component.
inline Point3 ToView(const Frame& f, const Point3& p) {
  return {f.Origin.x + p.x * (f.TipX.x - f.Origin.x) + p.y * (f.TipY.x - f.Origin.x) +
              p.z * (f.TipZ.x - f.Origin.x),
          f.Origin.y + p.x * (f.TipX.y - f.Origin.y) + p.y * (f.TipY.y - f.Origin.y) +
              p.z * (f.TipZ.y - f.Origin.y),
          f.Origin.z + p.x * (f.TipX.z - f.Origin.z) + p.y * (f.TipY.z - f.Origin.z) +
              p.z * (f.TipZ.z - f.Origin.z)};
}

// The side's vertices a, b, c mapped through the part's RenderFrame into view
// space, with their texture positions and the frame-space normal.
inline TriangleSide ProjectTriangle(const Scene& scene, const PartMesh& mesh, GridVertex a,
                                    GridVertex b, GridVertex c, Side side, const Point3& normal) {
  const Frame& frame = scene.RenderFrame[mesh.Part()];
  return {mesh.Part(),
          side,
          {ToView(frame, mesh.Point(a, side)), ToView(frame, mesh.Point(b, side)),
           ToView(frame, mesh.Point(c, side))},
          {mesh.Texture(a), mesh.Texture(b), mesh.Texture(c)},
          normal};
}

// Draws the side's outline: a polygon through its view points, truncated
// toward zero, in the canvas's pen and brush.
void DrawTriangleOutline(Bitmap& view, const TriangleSide& side);

}  // namespace puffel
