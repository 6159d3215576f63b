// The geometry of posing: rotations of points, the trackball's axis and angle,
// and the wheel's tilt axis. View space: x right, y down, z away from the
// viewer. The trackball's vectors count z toward the viewer instead.
#pragma once

#include "scene/scene.h"

namespace puffel {

// p turned by angle about the line through centre along axis (a unit vector,
// or zero: then the point is only scaled by cos angle about the centre).
Point3 RotateAboutAxis(const Point3& p, const Point3& centre, const Point3& axis, double angle);

// p turned about centre by Rz(d) Rx(c) Ry(a): the scene turn of a background drag.
Point3 RotateViewEuler(const Point3& p, const Point3& centre, double a, double c, double d);

// The unit axis of the turn that carries g onto d, with its z negated into view
// space; the zero vector when g and d are parallel, opposite or either is zero.
Point3 TrackballAxis(const Point3& g, const Point3& d);

// Minus the angle between g and d, the turn about TrackballAxis in view space.
// The cosine is kept within [-1, 1], so that rounding never leaves arccos
// without a value; 0 when either vector is zero.
double TrackballAngle(const Point3& g, const Point3& d);

// The unit vector from part k's render pivot to the point of its picture's
// plane under view point (x, y): the wheel tilts the part about it. (0, 0, 1)
// when the part is seen edge-on; the zero vector when the pointer lies over
// the pivot, where the tilt has no direction.
Point3 WheelTiltAxis(const Scene& scene, int k, double x, double y);

// Whether v is the zero vector.
inline bool IsZero(const Point3& v) { return v.x == 0 && v.y == 0 && v.z == 0; }

}  // namespace puffel
