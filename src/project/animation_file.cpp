#include "project/animation_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/paths.h"
#include "project/byte_fields.h"

namespace puffel {

namespace {

constexpr char Magic[] = {'P', 'F', 'A', 'N'};
constexpr int32_t EvenVersion = 1;  // keys one interval apart, all linear
constexpr int32_t Version = 2;
constexpr size_t EvenHeaderBytes = 24;
constexpr size_t HeaderBytes = 32;
constexpr size_t JointBytes = 8 * 8;
constexpr size_t KeyHeadBytes = 8 + 1;  // time and easing
constexpr uint8_t Easings = 3;

bool isJoint(const JointPose& joint) {
  const Quaternion& q = joint.rotation;
  for (const double value : {joint.translation.x, joint.translation.y, joint.translation.z, q.x,
                             q.y, q.z, q.w, joint.scale}) {
    if (!std::isfinite(value)) return false;
  }
  return std::abs(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w - 1) <= 1e-9 && joint.scale > 0;
}

// The times and loop length hold what keys must: the first at 0, each later
// one after it, the loop ending after the last; no loop without keys.
bool isTiming(const Animation& animation) {
  const std::vector<KeyPose>& keys = animation.keys;
  if (!std::isfinite(animation.loopLength)) return false;
  if (keys.empty()) return animation.loopLength == 0;
  if (keys[0].time != 0) return false;
  for (size_t k = 1; k < keys.size(); ++k) {
    if (!(keys[k].time > keys[k - 1].time) || !std::isfinite(keys[k].time)) return false;
  }
  return animation.loopLength > keys.back().time;
}

}  // namespace

std::string AnimationFilePath(const std::string& projectPath) {
  const std::string ext = ExtractFileExt(projectPath);
  return projectPath.substr(0, projectPath.size() - ext.size()) + ".anim";
}

std::string EncodeAnimation(const Animation& animation, int partCount) {
  ByteWriter out(HeaderBytes + animation.keys.size() * (KeyHeadBytes + partCount * JointBytes));
  for (const char c : Magic) out.byte(static_cast<uint8_t>(c));
  out.int32(Version);
  out.real(animation.interval);
  out.real(animation.loopLength);
  out.int32(partCount);
  out.int32(static_cast<int32_t>(animation.keys.size()));
  for (const KeyPose& key : animation.keys) {
    out.real(key.time);
    out.byte(static_cast<uint8_t>(key.easing));
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
  const int32_t version = in.int32();
  if (version != EvenVersion && version != Version) throw DamagedProject();
  const bool even = version == EvenVersion;
  Animation animation;
  animation.interval = in.real();
  if (std::find(std::begin(KeyIntervals), std::end(KeyIntervals), animation.interval) ==
      std::end(KeyIntervals)) {
    throw DamagedProject();
  }
  if (!even) animation.loopLength = in.real();
  const int32_t parts = in.int32();
  const int32_t keys = in.int32();
  if (parts != partCount || keys < 0) throw DamagedProject();
  // The length first, so that a key count no file holds allocates nothing;
  // with no parts there is no pose to keep.
  const size_t keyBytes = static_cast<size_t>(parts) * JointBytes + (even ? 0 : KeyHeadBytes);
  const size_t keyRecords = bytes.size() - (even ? EvenHeaderBytes : HeaderBytes);
  if (parts == 0
          ? keys != 0 || keyRecords != 0
          : keyRecords % keyBytes != 0 || keyRecords / keyBytes != static_cast<size_t>(keys)) {
    throw DamagedProject();
  }
  animation.keys.resize(keys);
  for (size_t k = 0; k < animation.keys.size(); ++k) {
    KeyPose& key = animation.keys[k];
    // Keys one interval apart: a power of two, so their times are exact.
    key.time = even ? static_cast<double>(k) * animation.interval : in.real();
    if (!even) {
      const uint8_t easing = in.byte();
      if (easing >= Easings) throw DamagedProject();
      key.easing = static_cast<Easing>(easing);
    }
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
  if (even) animation.loopLength = static_cast<double>(keys) * animation.interval;
  if (!isTiming(animation)) throw DamagedProject();
  return animation;
}

}  // namespace puffel
