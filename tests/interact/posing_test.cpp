// Posing in the 3D view through the part window's pointer and wheel handlers.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "interact/pose_geometry.h"
#include "support/pointer_fixture.h"

namespace puffel {
namespace {

using test::Left;
using test::LeftRight;
using test::Middle;
using test::None;
using test::Right;

Point3 difference(const Point3& a, const Point3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

double length(const Point3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

void expectNear(const Point3& a, const Point3& b, double tolerance = 1e-9) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

bool samePoint(const Point3& a, const Point3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

bool sameFrame(const Frame& a, const Frame& b) {
  for (int n = 0; n < 4; ++n) {
    if (!samePoint(*FramePoints(a)[n], *FramePoints(b)[n])) return false;
  }
  return true;
}

bool samePoses(const Scene& a, const Scene& b) {
  for (int k = 0; k < a.PartCount; ++k) {
    if (!sameFrame(a.PartFrame[k], b.PartFrame[k])) return false;
  }
  return true;
}

// A large root disc (part 0, pivot at the view centre) and a small disc (part
// 1) beside it, hanging from it by a pivot on its edge, shown in 3D.
class Posing : public test::PointerTest {
 protected:
  void SetUp() override {
    addDisc(200);  // 100..299
    addDisc(60);
    drag(210, 200, 340, 200);  // part 1's picture to 300..359, pivot (330, 200)
    drag(330, 200, 280, 200);  // its marker onto part 0
    ASSERT_EQ(scene().ParentMatrix[2][1], 1);
    show3D();
    ASSERT_EQ(scene().OwnerBuffer(150, 200), 0);
    ASSERT_EQ(scene().OwnerBuffer(330, 200), 1);
  }

  // A drag with the given buttons from (x, y) through points near and far
  // beyond the grab sphere.
  void turn(int x, int y, ShiftState held) {
    press(x, y, held);
    for (const auto& [dx, dy] :
         {std::pair{10, -10}, {25, -30}, {-30, -50}, {-120, -180}, {240, -190}}) {
      move(x + dx, y + dy, held);
    }
    release(x, y);
  }
};

TEST_F(Posing, ALeftDragTurnsTheSubtreeRigidlyAboutThePivot) {
  const Scene before = scene();
  turn(150, 200, Left);
  const Frame& root = scene().PartFrame[0];
  const Frame& child = scene().PartFrame[1];
  EXPECT_TRUE(samePoint(root.Origin, before.PartFrame[0].Origin));
  EXPECT_GT(length(difference(child.Origin, before.PartFrame[1].Origin)), 10);
  for (int n = 0; n < 4; ++n) {
    EXPECT_NEAR(length(difference(*FramePoints(child)[n], root.Origin)),
                length(difference(*FramePoints(before.PartFrame[1])[n], root.Origin)), 1e-9);
  }
  expectNear(difference(child.TipX, child.Origin), difference(root.TipX, root.Origin));
  expectNear(difference(child.TipZ, child.Origin), difference(root.TipZ, root.Origin));
  EXPECT_NEAR(length(difference(root.TipY, root.Origin)), 1, 1e-12);
}

TEST_F(Posing, ARightDragKeepsTheChildrensAxesAndCarriesThemByTheirPivots) {
  const Scene start = scene();
  turn(150, 200, Left);
  const Scene left = scene();
  scene() = start;
  turn(150, 200, Right);
  EXPECT_TRUE(sameFrame(scene().PartFrame[0], left.PartFrame[0]));
  const Frame& child = scene().PartFrame[1];
  expectNear(child.Origin, left.PartFrame[1].Origin);
  expectNear(difference(child.TipX, child.Origin), {1, 0, 0}, 1e-12);
  expectNear(difference(child.TipY, child.Origin), {0, 1, 0}, 1e-12);
  expectNear(difference(child.TipZ, child.Origin), {0, 0, 1}, 1e-12);

  // Without children the right button turns exactly as the left one does.
  scene() = start;
  turn(330, 200, Left);
  const Scene childless = scene();
  scene() = start;
  turn(330, 200, Right);
  EXPECT_TRUE(samePoses(scene(), childless));
}

TEST_F(Posing, TheTrackballKeepsTurningSmoothlyBeyondTheSpheresOutline) {
  press(180, 200);
  const double radius = scene().GrabRadius;
  ASSERT_GT(radius, 20);
  Frame last = scene().PartFrame[0];
  for (int x = 190; x < 400; x += 10) {
    move(x, 200);
    const Frame& frame = scene().PartFrame[0];
    const double step = length(difference(frame.TipZ, last.TipZ));
    EXPECT_GT(step, 1e-6) << x;  // still turning, also far beyond the outline
    EXPECT_LT(step, 0.5) << x;   // and never jumping
    last = frame;
  }
  // A move without motion turns nothing.
  move(390, 200);
  EXPECT_TRUE(sameFrame(scene().PartFrame[0], last));
}

TEST_F(Posing, BothButtonsScaleTheTreeAboutEachPivot) {
  press(150, 200, LeftRight);
  for (int y = 199; y >= 190; --y) move(150, y, LeftRight);  // ten pixels up
  for (int k = 0; k < 2; ++k) {
    const Frame& frame = scene().PartFrame[k];
    for (const Point3* tip : {&frame.TipX, &frame.TipY, &frame.TipZ}) {
      EXPECT_NEAR(length(difference(*tip, frame.Origin)), std::pow(1.01, 10), 1e-12);
    }
  }
  EXPECT_EQ(scene().PartFrame[1].Origin.x, 280);
  for (int y = 191; y <= 200; ++y) move(150, y, LeftRight);
  for (int k = 0; k < 2; ++k) {
    const Frame& frame = scene().PartFrame[k];
    expectNear(difference(frame.TipY, frame.Origin), {0, 1, 0}, 1e-12);
  }
}

TEST_F(Posing, AMiddleDragMovesTheTreeInBothViews) {
  const Scene before = scene();
  press(330, 200, Middle);
  move(320, 230, Middle);
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(scene().PartPosX[k], before.PartPosX[k] - 10);
    EXPECT_EQ(scene().PartOffsetY[k], before.PartOffsetY[k] + 30);
    EXPECT_EQ(scene().PartFrame[k].TipX.y, before.PartFrame[k].TipX.y + 30);
    EXPECT_EQ(scene().PartFrame[k].TipZ.z, before.PartFrame[k].TipZ.z);
  }
}

TEST_F(Posing, ABackgroundDragAtTheViewCentreTurnsWithoutRoll) {
  const Scene before = scene();
  press(200, 380);
  ASSERT_EQ(scene().Selection, -1);
  move(200, 200);  // bx 0, by 180, ending at the centre
  for (int k = 0; k < 2; ++k) {
    for (int n = 0; n < 4; ++n) {
      const Point3 expected =
          RotateViewEuler(*FramePoints(before.PartFrame[k])[n], {200, 200, 0}, 0, -180 / 100.0, 0);
      EXPECT_TRUE(samePoint(*FramePoints(scene().PartFrame[k])[n], expected)) << k << n;
    }
  }
  EXPECT_EQ(scene().PartPosX[1], before.PartPosX[1]);
}

TEST_F(Posing, TheWheelTiltsThePartUnderThePointerAtTheLastMove) {
  const Scene start = scene();
  move(150, 180, None);
  program.Dispatch([&] { form2().FormMouseWheelDown(None, 150, 180); });
  EXPECT_EQ(scene().CurrentPart, 0);
  EXPECT_FALSE(samePoses(scene(), start));
  program.Dispatch([&] { form2().FormMouseWheelUp(None, 150, 180); });
  for (int k = 0; k < 2; ++k) {
    for (int n = 0; n < 4; ++n) {
      expectNear(*FramePoints(scene().PartFrame[k])[n], *FramePoints(start.PartFrame[k])[n]);
    }
  }

  // Over the pivot the tilt has no direction; over the background nothing tilts.
  scene() = start;
  move(200, 200, None);
  program.Dispatch([&] { form2().FormMouseWheelDown(None, 200, 200); });
  EXPECT_TRUE(samePoses(scene(), start));
  move(5, 5, None);
  program.Dispatch([&] { form2().FormMouseWheelDown(None, 5, 5); });
  EXPECT_EQ(scene().CurrentPart, -1);
  EXPECT_TRUE(samePoses(scene(), start));

  // In the flat view the wheel does nothing at all.
  program.form1().Button4.Click();
  scene().CurrentPart = 5;
  program.Dispatch([&] { form2().FormMouseWheelDown(None, 150, 180); });
  EXPECT_EQ(scene().CurrentPart, 5);
}

TEST_F(Posing, MovesWithoutAHeldPartRedrawButPoseNothing) {
  const Scene start = scene();
  move(330, 200, None);
  EXPECT_EQ(scene().HoverPart, 1);
  move(300, 100, Left);  // no press since the last release: Selection -2
  EXPECT_TRUE(samePoses(scene(), start));
  EXPECT_EQ(scene().HoverPart, -1);

  // A part removed while it is held poses nothing and is never read.
  press(330, 200);
  program.form1().SpeedButton2.Click();
  move(300, 150, Left);
  move(300, 160, LeftRight);
  program.Dispatch([&] { form2().FormMouseWheelDown(None, 300, 160); });
  EXPECT_TRUE(sameFrame(scene().PartFrame[0], start.PartFrame[0]));
}

}  // namespace
}  // namespace puffel
