#include "anim/joint_pose.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "anim/model_space.h"
#include "export/posed_figures.h"
#include "render/test_scenes.h"
#include "render/triangle_side.h"

namespace puffel {
namespace {

constexpr int Width = 400;
constexpr int Height = 300;

Point3 posed(const JointPose& pose, const Point3& p) {
  const Point3 r = Rotate(pose.rotation, p);
  return {pose.translation.x + pose.scale * r.x, pose.translation.y + pose.scale * r.y,
          pose.translation.z + pose.scale * r.z};
}

// The frame's local point p in model space, as the 3D view places it.
Point3 framed(const Frame& frame, const Point3& p) {
  return ModelPoint(ToView(frame, p), Width, Height);
}

// A local point of the mesh in model space, seen from a joint at the frame's
// origin: the mesh's axes as model space sees them at rest.
Point3 localInModel(const Point3& p) { return ModelDirection(p); }

void expectPosesAgree(const Frame& frame) {
  const std::optional<JointPose> pose = PoseOfFrame(frame, Width, Height);
  ASSERT_TRUE(pose.has_value());
  const auto& q = pose->rotation;
  EXPECT_NEAR(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w, 1, 1e-15);
  for (const Point3& p :
       {Point3{0, 0, 0}, Point3{30, 0, 0}, Point3{0, -20, 0}, Point3{5, 7, -11}}) {
    const Point3 expected = framed(frame, p);
    const Point3 actual =
        posed(*pose, Point3{localInModel(p).x * MetresPerPixel, localInModel(p).y * MetresPerPixel,
                            localInModel(p).z * MetresPerPixel});
    EXPECT_NEAR(actual.x, expected.x, 1e-12);
    EXPECT_NEAR(actual.y, expected.y, 1e-12);
    EXPECT_NEAR(actual.z, expected.z, 1e-12);
  }
}

TEST(JointPose, ResetFrameIsAnUnturnedJointAtThePivotInModelSpace) {
  const std::optional<JointPose> pose = PoseOfFrame(ResetFrame(250, 100), Width, Height);
  ASSERT_TRUE(pose.has_value());
  EXPECT_DOUBLE_EQ(pose->translation.x, 0.05);
  EXPECT_DOUBLE_EQ(pose->translation.y, 0.05);
  EXPECT_DOUBLE_EQ(pose->translation.z, 0);
  EXPECT_EQ(pose->rotation.w, 1);
  EXPECT_EQ(pose->scale, 1);
}

TEST(JointPose, TurnsAndScalesOfEveryKindMapLikeTheFrame) {
  // Half turns about each axis take every branch of the quaternion's
  // extraction; the others are general turns, scaled up and down.
  const Point3 axes[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0.6, 0.8, 0}, {0.48, -0.6, 0.64}};
  for (const Point3& axis : axes) {
    for (const double angle : {0.3, 2.0, std::numbers::pi, -2.9}) {
      for (const double scale : {1.0, 0.37, 4.5}) {
        SCOPED_TRACE(testing::Message()
                     << axis.x << "," << axis.y << "," << axis.z << " " << angle << " " << scale);
        Frame frame = ResetFrame(180, 140);
        test::TurnFrameAbout(frame, {210, 160, 30}, axis, angle);
        test::ScaleFrame(frame, scale);
        expectPosesAgree(frame);
      }
    }
  }
}

TEST(JointPose, RefusesFramesNoJointCanShow) {
  const Frame reset = ResetFrame(100, 100);
  Frame mirrored = reset;
  mirrored.TipX.x = 99;
  Frame skewed = reset;
  skewed.TipY.x += 0.01;
  Frame stretched = reset;
  stretched.TipZ.z = 1.5;
  Frame collapsed = reset;
  collapsed.TipX = collapsed.TipY = collapsed.TipZ = collapsed.Origin;
  Frame notANumber = reset;
  notANumber.TipY.y = std::numeric_limits<double>::quiet_NaN();
  Frame far = reset;
  far.Origin.x = std::numeric_limits<double>::infinity();
  for (const Frame* frame : {&mirrored, &skewed, &stretched, &collapsed, &notANumber, &far}) {
    EXPECT_FALSE(PoseOfFrame(*frame, Width, Height).has_value());
  }
}

TEST(JointPose, RelativePoseComposesBackToTheChild) {
  Frame parentFrame = ResetFrame(150, 120);
  test::TurnFrameAbout(parentFrame, {150, 120, 0}, {0.48, -0.6, 0.64}, 1.1);
  test::ScaleFrame(parentFrame, 2.5);
  Frame childFrame = ResetFrame(190, 80);
  test::TurnFrameAbout(childFrame, {10, 20, 5}, {0, 0.6, 0.8}, -2.2);
  test::ScaleFrame(childFrame, 0.8);
  const JointPose parent = *PoseOfFrame(parentFrame, Width, Height);
  const JointPose child = *PoseOfFrame(childFrame, Width, Height);
  const JointPose relative = RelativePose(parent, child);
  for (const Point3& p : {Point3{0, 0, 0}, Point3{0.1, -0.2, 0.3}}) {
    const Point3 expected = posed(child, p);
    const Point3 actual = posed(parent, posed(relative, p));
    EXPECT_NEAR(actual.x, expected.x, 1e-14);
    EXPECT_NEAR(actual.y, expected.y, 1e-14);
    EXPECT_NEAR(actual.z, expected.z, 1e-14);
  }
}

}  // namespace
}  // namespace puffel
