#include "anim/key_poses.h"

#include <algorithm>
#include <cmath>

#include "anim/model_space.h"
#include "scene/attachment.h"

namespace puffel {

namespace {

Point3 lerp(const Point3& a, const Point3& b, double t) {
  return {(1 - t) * a.x + t * b.x, (1 - t) * a.y + t * b.y, (1 - t) * a.z + t * b.z};
}

// Spherical interpolation along the shorter arc; nearly equal turns, whose
// arc is too short to divide by, linearly.
Quaternion slerp(const Quaternion& a, const Quaternion& b, double t) {
  const double dot = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
  const double sign = dot < 0 ? -1 : 1;
  const double angle = std::acos(std::min(1.0, std::abs(dot)));
  double wa = 1 - t;
  double wb = sign * t;
  if (angle > 1e-9) {
    wa = std::sin((1 - t) * angle) / std::sin(angle);
    wb = sign * std::sin(t * angle) / std::sin(angle);
  }
  Quaternion q{wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z, wa * a.w + wb * b.w};
  const double length = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
  return {q.x / length, q.y / length, q.z / length, q.w / length};
}

// The PartFrame that the attachment step moves to placed, the frames of the
// lower parts being set: the attachment step moves a part's origin o to
// s o + (1 - s) q, s its scale and q the origin of its tree's root.
Frame unattached(const Scene& scene, int k, const Frame& placed) {
  const int root = AttachmentRoot(scene, k);
  if (root == k) return placed;
  const Point3& q = scene.PartFrame[root].Origin;
  const Point3& r = placed.Origin;
  const double zx = placed.TipZ.x - r.x;
  const double zy = placed.TipZ.y - r.y;
  const double zz = placed.TipZ.z - r.z;
  const double s = std::sqrt(zx * zx + zy * zy + zz * zz);
  const Point3 o{(r.x - (1 - s) * q.x) / s, (r.y - (1 - s) * q.y) / s, (r.z - (1 - s) * q.z) / s};
  Frame frame = placed;
  TranslateFrame(frame, o.x - r.x, o.y - r.y, o.z - r.z);
  return frame;
}

}  // namespace

std::optional<KeyPose> KeyOfScene(const Scene& scene) {
  std::vector<JointPose> world(scene.PartCount);
  KeyPose key;
  key.joints.resize(scene.PartCount);
  for (int k = 0; k < scene.PartCount; ++k) {
    const auto pose = PoseOfFrame(ShownFrame(scene, k), scene.ViewWidth, scene.ViewHeight);
    if (!pose) return std::nullopt;
    world[k] = *pose;
    const int parent = JointParent(scene, k);
    key.joints[k] = parent < 0 ? *pose : RelativePose(world[parent], *pose);
  }
  return key;
}

KeyPose Interpolate(const KeyPose& a, const KeyPose& b, double t) {
  KeyPose pose;
  pose.joints.resize(a.joints.size());
  for (size_t k = 0; k < a.joints.size(); ++k) {
    const JointPose& p = a.joints[k];
    const JointPose& q = b.joints[k];
    pose.joints[k] = {lerp(p.translation, q.translation, t), slerp(p.rotation, q.rotation, t),
                      (1 - t) * p.scale + t * q.scale};
  }
  return pose;
}

double Ease(Easing easing, double t) {
  switch (easing) {
    case Easing::Linear:
      return t;
    case Easing::Smooth:
      return t * t * (3 - 2 * t);
    case Easing::Hold:
      return 0;
  }
  return t;
}

KeyPose PoseAtTime(const std::vector<KeyPose>& keys, double loopLength, double time) {
  const size_t n = keys.size();
  double loopStart = std::floor(time / loopLength) * loopLength;
  // The quotient's rounding may give the loop beside the one time is in.
  if (time < loopStart) {
    loopStart -= loopLength;
  } else if (time >= loopStart + loopLength) {
    loopStart += loopLength;
  }
  size_t from = n - 1;
  while (from > 0 && loopStart + keys[from].time > time) --from;
  const double start = loopStart + keys[from].time;
  const double step = loopStart + (from + 1 < n ? keys[from + 1].time : loopLength) - start;
  const double share = Ease(keys[from].easing, time / step - start / step);
  // On a key, held, or with one key only, the key itself.
  if (share == 0 || n == 1) return keys[from];
  return Interpolate(keys[from], keys[(from + 1) % n], share);
}

void FitKeysToParts(Scene& scene) {
  std::vector<KeyPose>& keys = scene.AnimationKeys;
  const size_t parts = static_cast<size_t>(scene.PartCount);
  if (parts == 0) {
    keys.clear();
    return;
  }
  std::optional<KeyPose> now;
  for (KeyPose& key : keys) {
    if (key.joints.size() > parts) key.joints.resize(parts);
    if (key.joints.size() == parts) continue;
    if (!now) now = KeyOfScene(scene);
    // Only a damaged pose has no joints; keys that cannot follow it go.
    if (!now) {
      keys.clear();
      return;
    }
    key.joints.insert(key.joints.end(), now->joints.begin() + key.joints.size(), now->joints.end());
  }
}

std::vector<Point3> RestOffsets(const Scene& scene) {
  std::vector<Point3> offsets(scene.PartCount);
  for (int k = 0; k < scene.PartCount; ++k) {
    const Point3 pivot =
        ModelPoint({scene.PartPosX[k], scene.PartPosY[k], 0}, scene.ViewWidth, scene.ViewHeight);
    const int parent = JointParent(scene, k);
    if (parent < 0) {
      offsets[k] = pivot;
      continue;
    }
    const Point3 from = ModelPoint({scene.PartPosX[parent], scene.PartPosY[parent], 0},
                                   scene.ViewWidth, scene.ViewHeight);
    offsets[k] = {pivot.x - from.x, pivot.y - from.y, pivot.z - from.z};
  }
  return offsets;
}

void FollowRestLayout(Scene& scene, const std::vector<Point3>& before) {
  const std::vector<Point3> after = RestOffsets(scene);
  for (size_t k = 0; k < std::min(before.size(), after.size()); ++k) {
    const Point3& a = before[k];
    const Point3& b = after[k];
    if (a.x == b.x && a.y == b.y && a.z == b.z) continue;
    for (KeyPose& key : scene.AnimationKeys) {
      if (k >= key.joints.size()) continue;
      Point3& t = key.joints[k].translation;
      t = {t.x + (b.x - a.x), t.y + (b.y - a.y), t.z + (b.z - a.z)};
    }
  }
}

void PoseScene(Scene& scene, const KeyPose& key) {
  std::vector<JointPose> world(scene.PartCount);
  for (int k = 0; k < scene.PartCount; ++k) {
    const int parent = JointParent(scene, k);
    world[k] = parent < 0 ? key.joints[k] : ComposePose(world[parent], key.joints[k]);
    const Frame placed = FrameOfPose(world[k], scene.ViewWidth, scene.ViewHeight);
    scene.PartFrame[k] = unattached(scene, k, placed);
  }
}

}  // namespace puffel
