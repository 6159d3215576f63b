// A skeleton joint's placement: a turn and a uniform scale about the joint,
// then a move, as glTF nodes hold it; taken from a part's frame.
#pragma once

#include <optional>

#include "scene/key_pose.h"
#include "scene/scene.h"

namespace puffel {

// The model-space pose of a part posed by the view-space frame of a view of
// width x height: its origin as the translation, its axes as a turn and a
// uniform scale. Nothing when the axes are no turn with a positive scale
// (mirrored, skewed, stretched, collapsed or not finite), which no joint can
// show; the axes of a frame posed by turns and scalings agree with a turn and
// a scale to far better than the tolerance this allows (1e-6 of the scale).
std::optional<JointPose> PoseOfFrame(const Frame& frame, int width, int height);

// The pose of child relative to parent: parent composed with it gives child.
JointPose RelativePose(const JointPose& parent, const JointPose& child);

// p turned by q.
Point3 Rotate(const Quaternion& q, const Point3& p);

// The frame part k is shown by: in the 3D view its frame after the
// attachment step, in the flat view unposed at its pivot.
Frame ShownFrame(const Scene& scene, int k);

// The view-space frame of a model-space pose in a view of width x height:
// the inverse of PoseOfFrame.
Frame FrameOfPose(const JointPose& pose, int width, int height);

// child, given relative to parent, in parent's space: the inverse of
// RelativePose.
JointPose ComposePose(const JointPose& parent, const JointPose& child);

}  // namespace puffel
