// Soft joints: a part that hangs from another bends near its pivot. Each of
// its vertices is bound to its own joint and to its parent's by a weight that
// depends only on where the vertex rests, and is posed by the linear blend of
// the two joints, as glTF skinning poses it.
#pragma once

#include <array>
#include <cmath>

#include "render/triangle_side.h"
#include "scene/scene.h"

namespace puffel {

// The reach of "狭い", "普通" and "広い" as a fraction of a part's size.
constexpr std::array<double, JointReachChoices> JointReachFractions = {0.25, 0.5, 0.75};

// How part's vertices are bound: to its own joint alone (parent -1), or to
// its own and to parent's, within reach of its pivot.
struct SoftBinding {
  int parent = -1;
  double reach = 0;  // in the part's mesh units, above 0 when bound to a parent
  Point3 offset;     // the part's pivot less the parent's, both at rest
};

// The weight of the own joint of a vertex resting at (x, y) from its pivot:
// w = smoothstep(0, reach, d) = t^2 (3 - 2t), t = min(d / reach, 1),
// d = sqrt(x^2 + y^2).
inline double OwnJointWeight(double x, double y, double reach) {
  const double t = std::sqrt(x * x + y * y) / reach;
  if (!(t < 1)) return 1;
  return t * t * (3 - 2 * t);
}

// Part k's binding, its cells being 1..nx-1 x 1..ny-1 (PlanWalk): with
// SoftJoints on and k hanging from a part (JointParent), reach is the chosen
// fraction of the longest distance from the pivot, in the picture's plane, of
// the vertices of those cells that lie in the silhouette, front and back;
// rigid otherwise, or when that distance is 0 or not finite.
SoftBinding BindingOf(const Scene& scene, int k, int nx, int ny);

// The local point p of a part posed by own, bound by binding with own-joint
// weight w, in view space: ToView(own, p) when w is 1, else
// w ToView(own, p) + (1 - w) ToView(parent, p + offset), component by
// component: the parent joint's pose applied to where p rests in its frame.
inline Point3 BlendedPoint(const Frame& own, const Frame& parent, const SoftBinding& binding,
                           const Point3& p, double w) {
  const Point3 mine = ToView(own, p);
  if (w == 1) return mine;
  const Point3 theirs =
      ToView(parent, {p.x + binding.offset.x, p.y + binding.offset.y, p.z + binding.offset.z});
  const double rest = 1 - w;
  return {w * mine.x + rest * theirs.x, w * mine.y + rest * theirs.y, w * mine.z + rest * theirs.z};
}

}  // namespace puffel
