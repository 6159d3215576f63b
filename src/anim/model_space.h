// Model space, where exported figures live: metres, x to the right, y up and
// the viewer looking along -z, centred on the middle of the view, so that the
// same project gives the same model in a window of any size.
#pragma once

#include "scene/scene.h"

namespace puffel {

// One view pixel is one millimetre.
constexpr double MetresPerPixel = 0.001;

// The view point p of a view of width x height pixels in model space:
// ((x - width/2), -(y - height/2), -z) millimetres.
inline Point3 ModelPoint(const Point3& p, int width, int height) {
  return {(p.x - width / 2.0) * MetresPerPixel, -(p.y - height / 2.0) * MetresPerPixel,
          -p.z * MetresPerPixel};
}

// A direction of view space (or of a part's unposed local axes, which are
// view-aligned) in model space, its length kept; also the way back.
inline Point3 ModelDirection(const Point3& d) { return {d.x, -d.y, -d.z}; }

// The model point m in the view space of a view of width x height: the
// inverse of ModelPoint.
inline Point3 ViewPoint(const Point3& m, int width, int height) {
  return {m.x / MetresPerPixel + width / 2.0, -m.y / MetresPerPixel + height / 2.0,
          -m.z / MetresPerPixel};
}

}  // namespace puffel
