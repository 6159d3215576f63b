// The animation file beside a project (".anim"): the key interval and the
// key poses, little-endian. The project file itself stays as it is, so
// projects without animation are read and written as before.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scene/key_pose.h"

namespace puffel {

struct Animation {
  double interval = 1;
  std::vector<KeyPose> keys;
};

// The path of the animation file of the project at projectPath: its
// extension (if any) replaced by ".anim".
std::string AnimationFilePath(const std::string& projectPath);

// The file: "PFAN", version 1 (4 bytes), the interval (8), the part count (4),
// the key count (4), then per key and part the joint's translation x, y, z,
// rotation x, y, z, w and scale as doubles. keys all hold partCount joints.
std::string EncodeAnimation(const Animation& animation, int partCount);

// Reads an animation file of a project of partCount parts. Throws
// DamagedProject for another magic word or version, an interval that is not
// one of KeyIntervals, another part count, a length other than the counts
// give, or a joint whose numbers are not finite, whose rotation is not of
// unit length or whose scale is not positive.
Animation DecodeAnimation(std::string_view bytes, int partCount);

}  // namespace puffel
