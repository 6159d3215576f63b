#include "interact/pose_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "render/test_scenes.h"

namespace puffel {
namespace {

constexpr double Pi = std::numbers::pi;

void expectNear(const Point3& actual, const Point3& expected, double tolerance = 1e-12) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(RotateAboutAxis, TurnsAboutTheLineThroughTheCentre) {
  // A quarter turn about the view's z axis through (10, 20, 5) carries x onto y.
  expectNear(RotateAboutAxis({13, 20, 5}, {10, 20, 5}, {0, 0, 1}, Pi / 2), {10, 23, 5});
  expectNear(RotateAboutAxis({10, 20, 9}, {10, 20, 5}, {1, 0, 0}, Pi / 2), {10, 16, 5});
  // The centre itself stays put exactly.
  const Point3 centre{1.1, 2.2, 3.3};
  const Point3 turned = RotateAboutAxis(centre, centre, {0.6, 0.8, 0}, 0.7);
  EXPECT_EQ(turned.x, centre.x);
  EXPECT_EQ(turned.y, centre.y);
  EXPECT_EQ(turned.z, centre.z);
  // Without an axis the matrix is cos angle times the identity.
  expectNear(RotateAboutAxis({4, 0, 2}, {0, 0, 0}, {0, 0, 0}, Pi / 3), {2, 0, 1});
}

TEST(RotateViewEuler, EachAngleTurnsAboutOneViewAxis) {
  const Point3 centre{200, 200, 0};
  const Point3 p{230, 180, 10};
  expectNear(RotateViewEuler(p, centre, 0.3, 0, 0), RotateAboutAxis(p, centre, {0, 1, 0}, 0.3));
  expectNear(RotateViewEuler(p, centre, 0, 0.3, 0), RotateAboutAxis(p, centre, {1, 0, 0}, 0.3));
  expectNear(RotateViewEuler(p, centre, 0, 0, 0.3), RotateAboutAxis(p, centre, {0, 0, 1}, 0.3));
  // Ry first, then Rx, then Rz.
  const Point3 stepwise = RotateAboutAxis(
      RotateAboutAxis(RotateAboutAxis(p, centre, {0, 1, 0}, 0.2), centre, {1, 0, 0}, -0.1), centre,
      {0, 0, 1}, 0.4);
  expectNear(RotateViewEuler(p, centre, 0.2, -0.1, 0.4), stepwise, 1e-9);
}

TEST(Trackball, AxisAndAngleOfTheTurnFromOneVectorToAnother) {
  // x onto y (z toward the viewer) is a turn about -z in view space.
  expectNear(TrackballAxis({3, 0, 0}, {0, 2, 0}), {0, 0, -1});
  EXPECT_DOUBLE_EQ(TrackballAngle({3, 0, 0}, {0, 2, 0}), -Pi / 2);
  EXPECT_DOUBLE_EQ(TrackballAngle({1, 0, 0}, {-2, 0, 0}), -Pi);

  // Parallel, opposite or zero vectors give no axis, and the angle stays a number.
  const Point3 g{0.1, 0.7, 0.3};
  const Point3 twice{0.2, 1.4, 0.6};
  EXPECT_TRUE(IsZero(TrackballAxis(g, twice)));
  EXPECT_TRUE(IsZero(TrackballAxis(g, {0, 0, 0})));
  EXPECT_EQ(TrackballAngle(g, {0, 0, 0}), 0);
  for (double scale : {1.0, 3.0, 7.0, 1e-3, 1e8}) {
    const double angle = TrackballAngle(g, {g.x * scale, g.y * scale, g.z * scale});
    EXPECT_FALSE(std::isnan(angle));
    EXPECT_LT(std::abs(angle), 1e-7);
  }
}

TEST(WheelTiltAxis, PointsFromThePivotTowardThePointerInThePicturePlane) {
  Scene scene;
  scene.PartCount = 1;
  scene.RenderFrame[0] = ResetFrame(100, 100);
  expectNear(WheelTiltAxis(scene, 0, 130, 100), {1, 0, 0});
  expectNear(WheelTiltAxis(scene, 0, 100, 60), {0, -1, 0});
  EXPECT_TRUE(IsZero(WheelTiltAxis(scene, 0, 100, 100)));

  // A picture turned a quarter about view y: its plane is seen edge-on.
  scene.RenderFrame[0].TipX = {100, 100, 1};
  expectNear(WheelTiltAxis(scene, 0, 130, 100), {0, 0, 1});

  // Turned about view x by 60 degrees, the plane's y axis shows foreshortened.
  scene.RenderFrame[0] = ResetFrame(100, 100);
  test::TurnFrame(scene.RenderFrame[0], 1, 0, 0, Pi / 3);
  expectNear(WheelTiltAxis(scene, 0, 100, 110), {0, 0.5, std::sqrt(3) / 2}, 1e-12);
}

}  // namespace
}  // namespace puffel
