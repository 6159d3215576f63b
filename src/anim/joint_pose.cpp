#include "anim/joint_pose.h"

#include <array>
#include <cmath>

#include "anim/model_space.h"
#include "scene/attachment.h"

namespace puffel {

namespace {

using Matrix3 = std::array<std::array<double, 3>, 3>;  // [row][column]

constexpr double SimilarityTolerance = 1e-6;

Point3 minus(const Point3& a, const Point3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Point3 plus(const Point3& a, const Point3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

Point3 times(double s, const Point3& a) { return {s * a.x, s * a.y, s * a.z}; }

double dot(const Point3& a, const Point3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Point3 cross(const Point3& a, const Point3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Quaternion conjugate(const Quaternion& q) { return {-q.x, -q.y, -q.z, q.w}; }

Quaternion multiply(const Quaternion& a, const Quaternion& b) {
  return {
      a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y, a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
      a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w, a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

Quaternion normalised(const Quaternion& q) {
  const double length = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
  const double sign = q.w < 0 ? -1 : 1;  // one of the two quaternions of a turn, always the same
  return {sign * q.x / length, sign * q.y / length, sign * q.z / length, sign * q.w / length};
}

// The quaternion of a rotation matrix, from its largest diagonal term for
// accuracy (Shepperd's method).
Quaternion quaternionOf(const Matrix3& r) {
  const double trace = r[0][0] + r[1][1] + r[2][2];
  if (trace > 0) {
    const double s = std::sqrt(trace + 1) * 2;
    return normalised(
        {(r[2][1] - r[1][2]) / s, (r[0][2] - r[2][0]) / s, (r[1][0] - r[0][1]) / s, s / 4});
  }
  if (r[0][0] > r[1][1] && r[0][0] > r[2][2]) {
    const double s = std::sqrt(1 + r[0][0] - r[1][1] - r[2][2]) * 2;
    return normalised(
        {s / 4, (r[0][1] + r[1][0]) / s, (r[0][2] + r[2][0]) / s, (r[2][1] - r[1][2]) / s});
  }
  if (r[1][1] > r[2][2]) {
    const double s = std::sqrt(1 + r[1][1] - r[0][0] - r[2][2]) * 2;
    return normalised(
        {(r[0][1] + r[1][0]) / s, s / 4, (r[1][2] + r[2][1]) / s, (r[0][2] - r[2][0]) / s});
  }
  const double s = std::sqrt(1 + r[2][2] - r[0][0] - r[1][1]) * 2;
  return normalised(
      {(r[0][2] + r[2][0]) / s, (r[1][2] + r[2][1]) / s, s / 4, (r[1][0] - r[0][1]) / s});
}

}  // namespace

std::optional<JointPose> PoseOfFrame(const Frame& frame, int width, int height) {
  // The model-space images of the part's unposed local axes, which model
  // space sees as (1, 0, 0), (0, -1, 0) and (0, 0, -1).
  const Point3 ax = ModelDirection(minus(frame.TipX, frame.Origin));
  const Point3 ay = ModelDirection(minus(frame.TipY, frame.Origin));
  const Point3 az = ModelDirection(minus(frame.TipZ, frame.Origin));
  const std::array<Point3, 3> columns{ax, {-ay.x, -ay.y, -ay.z}, {-az.x, -az.y, -az.z}};

  const double det = dot(columns[0], cross(columns[1], columns[2]));
  if (!(det > 0) || !std::isfinite(det)) return std::nullopt;
  const double scale = std::cbrt(det);
  const double squared = scale * scale;
  for (int a = 0; a < 3; ++a) {
    for (int b = 0; b < 3; ++b) {
      const double expected = a == b ? squared : 0;
      if (!(std::abs(dot(columns[a], columns[b]) - expected) <= SimilarityTolerance * squared)) {
        return std::nullopt;
      }
    }
  }
  Matrix3 rotation;
  for (int c = 0; c < 3; ++c) {
    rotation[0][c] = columns[c].x / scale;
    rotation[1][c] = columns[c].y / scale;
    rotation[2][c] = columns[c].z / scale;
  }
  const Point3 origin = ModelPoint(frame.Origin, width, height);
  if (!std::isfinite(origin.x) || !std::isfinite(origin.y) || !std::isfinite(origin.z)) {
    return std::nullopt;
  }
  return JointPose{origin, quaternionOf(rotation), scale};
}

Point3 Rotate(const Quaternion& q, const Point3& p) {
  // p + 2w (u x p) + 2 u x (u x p), u the quaternion's vector part.
  const Point3 u{q.x, q.y, q.z};
  const Point3 t = cross(u, p);
  const Point3 tt = cross(u, t);
  return {p.x + 2 * (q.w * t.x + tt.x), p.y + 2 * (q.w * t.y + tt.y), p.z + 2 * (q.w * t.z + tt.z)};
}

JointPose RelativePose(const JointPose& parent, const JointPose& child) {
  const Quaternion undo = conjugate(parent.rotation);
  const Point3 moved = Rotate(undo, minus(child.translation, parent.translation));
  return {{moved.x / parent.scale, moved.y / parent.scale, moved.z / parent.scale},
          normalised(multiply(undo, child.rotation)),
          child.scale / parent.scale};
}

JointPose ComposePose(const JointPose& parent, const JointPose& child) {
  return {plus(parent.translation, times(parent.scale, Rotate(parent.rotation, child.translation))),
          normalised(multiply(parent.rotation, child.rotation)), parent.scale * child.scale};
}

Frame ShownFrame(const Scene& scene, int k) {
  if (!scene.View3D) return ResetFrame(scene.PartPosX[k], scene.PartPosY[k]);
  Frame frame = scene.PartFrame[k];
  const Point3 shift = AttachmentShift(scene, k);
  TranslateFrame(frame, shift.x, shift.y, shift.z);
  return frame;
}

Frame FrameOfPose(const JointPose& pose, int width, int height) {
  // The model-space axes are the turned unit axes times the scale; the
  // unposed local y and z axes are model space's -y and -z.
  const Point3 origin = ViewPoint(pose.translation, width, height);
  const Point3 ax = times(pose.scale, Rotate(pose.rotation, {1, 0, 0}));
  const Point3 ay = times(-pose.scale, Rotate(pose.rotation, {0, 1, 0}));
  const Point3 az = times(-pose.scale, Rotate(pose.rotation, {0, 0, 1}));
  return {origin, plus(origin, ModelDirection(ax)), plus(origin, ModelDirection(ay)),
          plus(origin, ModelDirection(az))};
}

}  // namespace puffel
