// Key poses of an animation: what they hold, the poses between them, and the
// scene posed by one.
#pragma once

#include <optional>
#include <vector>

#include "anim/joint_pose.h"
#include "scene/scene.h"

namespace puffel {

// The figure's pose as the 3D view shows it, as a key; nothing when a part's
// frame is no turn and uniform scale, which no joint can show.
std::optional<KeyPose> KeyOfScene(const Scene& scene);

// The pose at t in [0, 1] from a to b (of as many joints): translations and
// scales linear, turns along the shorter arc at an even speed, as glTF's
// linear sampler has them.
KeyPose Interpolate(const KeyPose& a, const KeyPose& b, double t);

// The pose at time seconds of keys played in a loop, interval seconds apart,
// the last key turning back into the first: a loop takes keys.size() *
// interval seconds. keys must not be empty, time not below 0.
KeyPose PoseAtTime(const std::vector<KeyPose>& keys, double interval, double time);

// Keeps every key of scene at one joint per part: parts added since a key
// was made get their joint as the scene shows it now (at rest, after an
// add), parts removed lose theirs, and with no part left the keys go.
void FitKeysToParts(Scene& scene);

// Poses every part of scene by key (as many joints as parts): each part's
// PartFrame becomes the one the 3D view shows at the key's joint.
void PoseScene(Scene& scene, const KeyPose& key);

}  // namespace puffel
