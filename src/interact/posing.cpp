#include "interact/posing.h"

#include <cmath>

#include "interact/flat_drag.h"
#include "interact/pose_geometry.h"
#include "interact/tree_queries.h"

namespace puffel {

namespace {

// Turns the four points of every part moving with part `about` about that
// part's origin, read afresh for every point.
void turnSubtree(Scene& scene, int about, const Point3& axis, double angle) {
  for (int i = 0; i < scene.PartCount; ++i) {
    if (!MovesWith(scene, i, about)) continue;
    for (Point3* point : FramePoints(scene.PartFrame[i])) {
      *point = RotateAboutAxis(*point, scene.PartFrame[about].Origin, axis, angle);
    }
  }
}

// The pointer's point on the grab sphere about the held part's render pivot,
// z toward the viewer: straight above the pointer inside the sphere's
// outline; outside it, wrapped over the rim toward the back pole.
Point3 trackballPoint(const Scene& scene, const Point3& pivot) {
  const double radius = scene.GrabRadius;
  const double x = scene.LastMouseX - pivot.x;
  const double y = scene.LastMouseY - pivot.y;
  const double w = radius * radius - x * x - y * y;
  Point3 point;
  if (w >= 0) {
    point = {x, y, std::sqrt(w)};
  } else {
    const double rho = std::sqrt(x * x + y * y);
    const double q = rho / radius;
    const double m = radius * std::pow(2 * q / (q * q + 1), 6.0);
    point.x = x * m / rho;
    point.y = y * m / rho;
    const double rest = radius * radius - point.x * point.x - point.y * point.y;
    point.z = rest >= 0 ? -std::sqrt(rest) : 0;
  }
  if (scene.GrabBehind) point.z = -point.z;
  return point;
}

}  // namespace

void ScaleTree(Scene& scene, double by) {
  if (scene.Selection >= scene.PartCount) return;
  const int root = TreeRoot(scene, scene.Selection);
  const double k = std::pow(1.01, by);
  for (int i = 0; i < scene.PartCount; ++i) {
    if (!MovesWith(scene, i, root)) continue;
    Frame& frame = scene.PartFrame[i];
    const Point3& o = frame.Origin;
    for (Point3* tip : {&frame.TipX, &frame.TipY, &frame.TipZ}) {
      tip->x = (1 - k) * o.x + k * tip->x;
      tip->y = (1 - k) * o.y + k * tip->y;
      tip->z = (1 - k) * o.z + k * tip->z;
    }
  }
}

void TranslateTree(Scene& scene, double bx, double by) {
  if (scene.Selection >= scene.PartCount) return;
  const int root = TreeRoot(scene, scene.Selection);
  for (int i = 0; i < scene.PartCount; ++i) {
    if (MovesWith(scene, i, root)) MovePartBack(scene, i, bx, by);
  }
}

void TrackballRotate(Scene& scene, bool keepChildren) {
  const int s = scene.Selection;
  if (!IsPart(scene, s)) return;
  scene.DragVector = trackballPoint(scene, scene.RenderFrame[s].Origin);
  const Point3 axis = TrackballAxis(scene.GrabVector, scene.DragVector);
  const double angle = TrackballAngle(scene.GrabVector, scene.DragVector);
  scene.GrabVector = scene.DragVector;
  // Without an axis the literal turn would scale the subtree by cos angle
  // about the pivot (a mirror for opposite vectors); a sphere of radius 0 has
  // no points to turn between.
  if (IsZero(axis) || scene.GrabRadius == 0) return;

  for (int i = 0; i < scene.PartCount; ++i) scene.SavedFrame[i] = scene.PartFrame[i];
  turnSubtree(scene, s, axis, angle);
  if (!keepChildren) return;
  for (int j = s + 1; j < scene.PartCount; ++j) {
    if (scene.ParentMatrix[j + 1][s + 1] != 1) continue;
    const Point3& moved = scene.PartFrame[j].Origin;
    const Point3& saved = scene.SavedFrame[j].Origin;
    CarrySubtree(scene, j, {moved.x - saved.x, moved.y - saved.y, moved.z - saved.z});
  }
}

void CarrySubtree(Scene& scene, int c, Point3 d) {
  for (int i = c; i < scene.PartCount; ++i) {
    if (!MovesWith(scene, i, c)) continue;
    const auto saved = FramePoints(scene.SavedFrame[i]);
    const auto points = FramePoints(scene.PartFrame[i]);
    for (int n = 0; n < 4; ++n)
      *points[n] = {saved[n]->x + d.x, saved[n]->y + d.y, saved[n]->z + d.z};
  }
}

void RotateScene(Scene& scene, double bx, double by) {
  if (scene.ViewWidth <= 0 || scene.ViewHeight <= 0) return;
  const double w = (scene.LastMouseY - scene.ViewHeight / 2.0) / scene.ViewHeight;
  const double u = (scene.ViewWidth / 2.0 - scene.LastMouseX) / scene.ViewWidth;
  const double a = (bx / 50) * (0.5 - std::abs(w));
  const double c = (-by / 50) * (0.5 - std::abs(u));
  const double d = (by / 50) * u + (bx / 50) * w;
  const Point3 centre{scene.ViewWidth * 0.5, scene.ViewHeight * 0.5, 0};
  for (int i = 0; i < scene.PartCount; ++i) {
    for (Point3* point : FramePoints(scene.PartFrame[i])) {
      *point = RotateViewEuler(*point, centre, a, c, d);
    }
  }
}

void WheelTilt(Scene& scene, double angle, int x, int y) {
  scene.CurrentPart = scene.HoverPart;
  const int k = scene.CurrentPart;
  if (!IsPart(scene, k)) return;
  const Point3 axis = WheelTiltAxis(scene, k, x, y);
  if (IsZero(axis)) return;
  turnSubtree(scene, k, axis, angle);
}

}  // namespace puffel
