// The animation file beside a project (".anim"): the key interval, the
// loop's length and the keys' times, easings and poses, little-endian. The project file itself
// stays as it is, so projects without animation are read and written as before.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scene/key_pose.h"

namespace puffel {

struct Animation {
  double interval = 1;
  std::vector<KeyPose> keys;
  double loopLength = 0;
};

// The path of the animation file of the project at projectPath: its
// extension (if any) replaced by ".anim".
std::string AnimationFilePath(const std::string& projectPath);

// The file: "PFAN", version 2 (4 bytes), the interval (8), the loop length
// (8), the part count (4), the key count (4), then per key its time (8), its
// easing (1: 0 linear, 1 smooth, 2 hold) and per part the joint's
// translation x, y, z, rotation x, y, z, w and scale as doubles. keys all
// hold partCount joints. Version 1 had no loop length, times or easings: its
// keys were linear, one interval apart, the loop one interval past the last.
std::string EncodeAnimation(const Animation& animation, int partCount);

// Reads an animation file (version 1 or 2) of a project of partCount parts.
// Throws DamagedProject for another magic word or version, an interval that
// is not one of KeyIntervals, another part count, a length other than the
// counts give, an easing of no kind, times that do not start at 0 and
// increase, a loop that does not end after the last key (or, without keys,
// is not 0), or a joint whose numbers are not finite, whose rotation is not of
// unit length or whose scale is not positive.
Animation DecodeAnimation(std::string_view bytes, int partCount);

}  // namespace puffel
