#include "anim/key_poses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "export/posed_figures.h"
#include "render/render_scene.h"
#include "render/test_scenes.h"

namespace puffel {
namespace {

double largestDifference(const Scene& a, const Scene& b) {
  double largest = 0;
  for (int k = 0; k < a.PartCount; ++k) {
    const auto p = FramePoints(a.PartFrame[k]);
    const auto q = FramePoints(b.PartFrame[k]);
    for (int n = 0; n < 4; ++n) {
      largest = std::max({largest, std::abs(p[n]->x - q[n]->x), std::abs(p[n]->y - q[n]->y),
                          std::abs(p[n]->z - q[n]->z)});
    }
  }
  return largest;
}

// A figure posed by every drag, taken as a key and posed again from the key
// after its frames were reset: the frames come back to within 1e-12 of their
// size, and the view drawn from them is the same to the pixel (depths may
// differ in their last bits).
TEST(KeyPoses, AKeyPosesTheFigureAsItWasTaken) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  Scene& scene = program->scene();
  const std::optional<KeyPose> key = KeyOfScene(scene);
  ASSERT_TRUE(key.has_value());
  Scene replayed = scene;
  ResetPoses(replayed);
  PoseScene(replayed, PoseAtTime({*key}, 1, 0));
  EXPECT_LT(largestDifference(scene, replayed), 1e-12 * scene.ViewWidth);
  DrawScene3D(scene);
  DrawScene3D(replayed);
  EXPECT_TRUE(scene.ViewBitmap == replayed.ViewBitmap);
}

// A pose no joint can show (a mirrored part) makes no key.
TEST(KeyPoses, AMirroredPartMakesNoKey) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  Scene& scene = program->scene();
  Frame& frame = scene.PartFrame[2];
  frame.TipX = {2 * frame.Origin.x - frame.TipX.x, 2 * frame.Origin.y - frame.TipX.y,
                2 * frame.Origin.z - frame.TipX.z};
  EXPECT_FALSE(KeyOfScene(scene).has_value());
}

JointPose turnAboutZ(double angle) {
  return {{0.01, -0.02, 0.03}, {0, 0, std::sin(angle / 2), std::cos(angle / 2)}, 1.5};
}

double angleAboutZ(const Quaternion& q) { return 2 * std::atan2(q.z, q.w); }

// Halfway between two keys the turn is half the angle; between turns of
// +170 and -170 degrees the shorter way leads through 180, not through 0;
// translation and scale go linearly.
TEST(KeyPoses, BetweenKeysTurnsGoTheShorterWayAtAnEvenSpeed) {
  const double degree = std::numbers::pi / 180;
  KeyPose a{{turnAboutZ(10 * degree)}};
  KeyPose b{{turnAboutZ(70 * degree)}};
  b.joints[0].translation = {1.01, 0.98, -0.97};
  b.joints[0].scale = 2.5;
  const KeyPose half = Interpolate(a, b, 0.5);
  EXPECT_NEAR(angleAboutZ(half.joints[0].rotation), 40 * degree, 1e-12);
  EXPECT_NEAR(half.joints[0].translation.x, 0.51, 1e-15);
  EXPECT_NEAR(half.joints[0].translation.z, -0.47, 1e-15);
  EXPECT_DOUBLE_EQ(half.joints[0].scale, 2);
  const KeyPose quarter = Interpolate(a, b, 0.25);
  EXPECT_NEAR(angleAboutZ(quarter.joints[0].rotation), 25 * degree, 1e-12);

  const KeyPose c{{turnAboutZ(170 * degree)}};
  const KeyPose d{{turnAboutZ(-170 * degree)}};
  const double across = std::abs(angleAboutZ(Interpolate(c, d, 0.5).joints[0].rotation));
  EXPECT_NEAR(across, 180 * degree, 1e-12);
  // Nearly equal turns still give a unit quaternion between them.
  const KeyPose e{{turnAboutZ(1e-12)}};
  const Quaternion q = Interpolate(a, e, 0.3).joints[0].rotation;
  EXPECT_NEAR(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w, 1, 1e-15);
}

// On a key's time the key itself; the loop turns from the last key back into
// the first, and starts again after keys.size() intervals.
TEST(KeyPoses, PlayingLoopsThroughEveryKeyAndBackToTheFirst) {
  const double degree = std::numbers::pi / 180;
  const std::vector<KeyPose> keys{
      {{turnAboutZ(0)}, 0}, {{turnAboutZ(60 * degree)}, 0.5}, {{turnAboutZ(90 * degree)}, 1}};
  for (int n = 0; n < 7; ++n) {
    const KeyPose at = PoseAtTime(keys, 1.5, n * 0.5);
    const Quaternion& expected = keys[n % 3].joints[0].rotation;
    EXPECT_EQ(at.joints[0].rotation.z, expected.z) << n;
    EXPECT_EQ(at.joints[0].rotation.w, expected.w) << n;
  }
  EXPECT_NEAR(angleAboutZ(PoseAtTime(keys, 1.5, 0.25).joints[0].rotation), 30 * degree, 1e-12);
  EXPECT_NEAR(angleAboutZ(PoseAtTime(keys, 1.5, 1.25).joints[0].rotation), 45 * degree, 1e-12);
  EXPECT_NEAR(angleAboutZ(PoseAtTime(keys, 1.5, 1.5 + 1.25).joints[0].rotation), 45 * degree,
              1e-12);
  // One key: always that pose.
  EXPECT_EQ(PoseAtTime({{keys[1].joints}}, 1, 0.7).joints[0].rotation.z,
            keys[1].joints[0].rotation.z);
}

}  // namespace
}  // namespace puffel
