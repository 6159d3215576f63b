#include "interact/pose_geometry.h"

#include <algorithm>
#include <cmath>

namespace puffel {

Point3 RotateAboutAxis(const Point3& p, const Point3& centre, const Point3& axis, double angle) {
  const double vx = p.x - centre.x;
  const double vy = p.y - centre.y;
  const double vz = p.z - centre.z;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  const double t = 1 - c;
  const double ax = axis.x;
  const double ay = axis.y;
  const double az = axis.z;
  // Rodrigues' rotation matrix, row by row.
  const double xx = t * (ax * ax) + c;
  const double xy = t * ax * ay - s * az;
  const double xz = t * ax * az + s * ay;
  const double yx = t * ax * ay + s * az;
  const double yy = t * (ay * ay) + c;
  const double yz = t * ay * az - s * ax;
  const double zx = t * ax * az - s * ay;
  const double zy = t * ay * az + s * ax;
  const double zz = t * (az * az) + c;
  return {centre.x + (xx * vx + xy * vy + xz * vz), centre.y + (yx * vx + yy * vy + yz * vz),
          centre.z + (zx * vx + zy * vy + zz * vz)};
}

Point3 RotateViewEuler(const Point3& p, const Point3& centre, double a, double c, double d) {
  const double vx = p.x - centre.x;
  const double vy = p.y - centre.y;
  const double vz = p.z - centre.z;
  const double cA = std::cos(a), sA = std::sin(a);
  const double cC = std::cos(c), sC = std::sin(c);
  const double cD = std::cos(d), sD = std::sin(d);
  const double x = (cD * cA - sD * sC * sA) * vx - sD * cC * vy + (cD * sA + sD * sC * cA) * vz;
  const double y = (sD * cA + cD * sC * sA) * vx + cD * cC * vy + (sD * sA - cD * sC * cA) * vz;
  const double z = -cC * sA * vx + sC * vy + cC * cA * vz;
  return {centre.x + x, centre.y + y, centre.z + z};
}

Point3 TrackballAxis(const Point3& g, const Point3& d) {
  const Point3 n{g.y * d.z - g.z * d.y, g.z * d.x - g.x * d.z, g.x * d.y - g.y * d.x};
  const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  if (length == 0) return n;
  return {n.x / length, n.y / length, -n.z / length};
}

double TrackballAngle(const Point3& g, const Point3& d) {
  const double dot = g.x * d.x + g.y * d.y + g.z * d.z;
  const double lengths =
      std::sqrt(g.x * g.x + g.y * g.y + g.z * g.z) * std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
  if (lengths == 0) return 0;
  return -std::acos(std::clamp(dot / lengths, -1.0, 1.0));
}

Point3 WheelTiltAxis(const Scene& scene, int k, double x, double y) {
  const Frame& frame = scene.RenderFrame[k];
  const Point3& o = frame.Origin;
  const Point3 e1{frame.TipX.x - o.x, frame.TipX.y - o.y, frame.TipX.z - o.z};
  const Point3 e2{frame.TipY.x - o.x, frame.TipY.y - o.y, frame.TipY.z - o.z};
  const double det = e1.x * e2.y - e2.x * e1.y;
  if (det == 0) return {0, 0, 1};
  // The picture-plane coordinates (s, t) of the point under the pointer.
  const double qx = x - o.x;
  const double qy = y - o.y;
  const double s = (qx * e2.y - e2.x * qy) / det;
  const double t = (e1.x * qy - qx * e1.y) / det;
  const Point3 v{s * e1.x + t * e2.x, s * e1.y + t * e2.y, s * e1.z + t * e2.z};
  const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (length == 0) return {0, 0, 0};
  return {v.x / length, v.y / length, v.z / length};
}

}  // namespace puffel
