// What an animation key holds: every part's joint, as a glTF node holds it.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/geometry.h"

namespace puffel {

// A unit quaternion (x, y, z, w), w the real part.
struct Quaternion {
  double x = 0;
  double y = 0;
  double z = 0;
  double w = 1;
};

// Model space, as a point p maps: translation + scale * rotation(p).
struct JointPose {
  Point3 translation;
  Quaternion rotation;
  double scale = 1;
};

// The times between keys a person can choose, in seconds.
constexpr double KeyIntervals[] = {0.25, 0.5, 1, 2};

// How the motion leaves a key for the next: evenly, easing in and out, or
// held until the next key.
enum class Easing : uint8_t { Linear, Smooth, Hold };

// Every part's joint relative to the joint it hangs from, in model space, as
// the model export writes the skeleton's pose; its time in the loop and the
// easing towards the next key.
struct KeyPose {
  std::vector<JointPose> joints;  // per part slot
  double time = 0;                // seconds from the loop's start
  Easing easing = Easing::Linear;
};

}  // namespace puffel
