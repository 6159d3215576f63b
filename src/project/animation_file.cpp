#include "project/animation_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/paths.h"
#include "project/byte_fields.h"

namespace puffel {

namespace {

constexpr char Magic[] = {'P', 'F', 'A', 'N'};
constexpr int32_t Version = 1;
constexpr size_t HeaderBytes = 24;
constexpr size_t JointBytes = 8 * 8;

bool isJoint(const JointPose& joint) {
  const Quaternion& q = joint.rotation;
  for (const double value : {joint.translation.x, joint.translation.y, joint.translation.z, q.x,
                             q.y, q.z, q.w, joint.scale}) {
    if (!std::isfinite(value)) return false;
  }
  return std::abs(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w - 1) <= 1e-9 && joint.scale > 0;
}

}  // namespace

std::string AnimationFilePath(const std::string& projectPath) {
  const std::string ext = ExtractFileExt(projectPath);
  return projectPath.substr(0, projectPath.size() - ext.size()) + ".anim";
}

std::string EncodeAnimation(const Animation& animation, int partCount) {
  ByteWriter out(HeaderBytes + animation.keys.size() * partCount * JointBytes);
  for (const char c : Magic) out.byte(static_cast<uint8_t>(c));
  out.int32(Version);
  out.real(animation.interval);
  out.int32(partCount);
  out.int32(static_cast<int32_t>(animation.keys.size()));
  for (const KeyPose& key : animation.keys) {
    for (const JointPose& joint : key.joints) {
      const Quaternion& q = joint.rotation;
      for (const double value : {joint.translation.x, joint.translation.y, joint.translation.z, q.x,
                                 q.y, q.z, q.w, joint.scale}) {
        out.real(value);
      }
    }
  }
  return out.take();
}

Animation DecodeAnimation(std::string_view bytes, int partCount) {
  ByteReader in(bytes, 0);
  for (const char c : Magic) {
    if (in.byte() != static_cast<uint8_t>(c)) throw DamagedProject();
  }
  if (in.int32() != Version) throw DamagedProject();
  Animation animation;
  animation.interval = in.real();
  if (std::find(std::begin(KeyIntervals), std::end(KeyIntervals), animation.interval) ==
      std::end(KeyIntervals)) {
    throw DamagedProject();
  }
  const int32_t parts = in.int32();
  const int32_t keys = in.int32();
  if (parts != partCount || keys < 0) throw DamagedProject();
  // The length first, so that a key count no file holds allocates nothing;
  // with no parts there is no pose to keep.
  const size_t keyBytes = static_cast<size_t>(parts) * JointBytes;
  const size_t keyRecords = bytes.size() - HeaderBytes;
  if (parts == 0
          ? keys != 0 || keyRecords != 0
          : keyRecords % keyBytes != 0 || keyRecords / keyBytes != static_cast<size_t>(keys)) {
    throw DamagedProject();
  }
  animation.keys.resize(keys);
  for (KeyPose& key : animation.keys) {
    key.joints.resize(parts);
    for (JointPose& joint : key.joints) {
      Quaternion& q = joint.rotation;
      for (double* value : {&joint.translation.x, &joint.translation.y, &joint.translation.z, &q.x,
                            &q.y, &q.z, &q.w, &joint.scale}) {
        *value = in.real();
      }
      if (!isJoint(joint)) throw DamagedProject();
    }
  }
  return animation;
}

}  // namespace puffel
