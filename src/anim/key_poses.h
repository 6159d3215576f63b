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

// The share of the way from a key to the next at t in [0, 1] of the time
// between them: t itself, smoothstep's 3t² - 2t³ (easing in and out), or 0
// (held until the next key).
double Ease(Easing easing, double t);

// The pose at time seconds of keys played in a loop of loopLength seconds,
// the last key turning back into the first: between two keys Interpolate at
// the eased share of the time between them. keys must not be empty, their
// times increasing from 0 and below loopLength; time not below 0. Keys whose
// times and loop are multiples of a power of two (as those added one
// KeyInterval apart) give the same poses, bit for bit, as the even-stepped
// loop they replace: each step's share is time / step - start / step.
KeyPose PoseAtTime(const std::vector<KeyPose>& keys, double loopLength, double time);

// Keeps every key of scene at one joint per part: parts added since a key
// was made get their joint as the scene shows it now (at rest, after an
// add), parts removed lose theirs, and with no part left the keys go.
void FitKeysToParts(Scene& scene);

// Each part's joint at rest relative to the joint it hangs from, in model
// space: the move from that part's pivot to its own (from the view's middle
// for a root). A key's joint is this rest offset moved by the key.
std::vector<Point3> RestOffsets(const Scene& scene);

// Keeps the keys relative to the resting layout after parts moved or joined
// in the flat view: each part's joint in every key moves by the change of its
// rest offset since before (RestOffsets then); a joint whose offset is the
// same is left bit for bit.
void FollowRestLayout(Scene& scene, const std::vector<Point3>& before);

// Poses every part of scene by key (as many joints as parts): each part's
// PartFrame becomes the one the 3D view shows at the key's joint.
void PoseScene(Scene& scene, const KeyPose& key);

}  // namespace puffel
