// What an animation key holds: every part's joint, as a glTF node holds it.
#pragma once

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

// Every part's joint relative to the joint it hangs from, in model space, as
// the model export writes the skeleton's pose.
struct KeyPose {
  std::vector<JointPose> joints;  // per part slot
};

}  // namespace puffel
