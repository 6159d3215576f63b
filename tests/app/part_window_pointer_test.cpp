// Pressing, moving and releasing in the part window: what the press holds,
// how moves are measured and clamped, and what the release relinks.
#include <gtest/gtest.h>

#include "support/pointer_fixture.h"

namespace puffel {
namespace {

using test::Left;
using test::Middle;
using test::None;

class PointerInput : public test::PointerTest {};

TEST_F(PointerInput, WithNoPartAPressOnlyRecordsThePointer) {
  press(-5, 450);
  EXPECT_EQ(scene().LastMouseX, 0);
  EXPECT_EQ(scene().LastMouseY, 399);
  EXPECT_EQ(scene().Selection, -2);
  EXPECT_EQ(scene().CurrentPart, -2);
  EXPECT_EQ(form2().Caption(), "Parts No.0");
}

TEST_F(PointerInput, FlatPressHoldsTheTopPictureAndMarkersWinOverPictures) {
  addDisc(100);  // pictures 150..249, pivots at (200, 200)
  addDisc(60);   // 170..229
  press(175, 200);
  EXPECT_EQ(scene().Selection, 1);
  EXPECT_EQ(form2().Caption(), "Parts No.1");
  press(155, 200);
  EXPECT_EQ(scene().Selection, 0);

  // The open hit box of the markers reaches 4 pixels from the pivot, not 5.
  press(204, 196);
  EXPECT_EQ(scene().Selection, 1001);
  EXPECT_EQ(scene().CurrentPart, 1);
  press(205, 200);
  EXPECT_EQ(scene().Selection, 1);
  press(200, 195);
  EXPECT_EQ(scene().Selection, 1);

  // A corner of the rectangle outside the disc holds nothing and keeps the caption.
  press(152, 152);
  EXPECT_EQ(scene().Selection, -1);
  EXPECT_EQ(scene().CurrentPart, -1);
  EXPECT_EQ(form2().Caption(), "Parts No.1");
}

TEST_F(PointerInput, TheMarkerOfPartSevenHoldsCode1007) {
  for (int k = 0; k < 8; ++k) addDisc(20);
  press(200, 200);
  EXPECT_EQ(scene().Selection, 1007);
  EXPECT_EQ(form2().Caption(), "Parts No.7");
}

TEST_F(PointerInput, PicturesAreHitAtTheRawPointerEvenOutsideTheView) {
  addDisc(100);
  drag(170, 200, 0, 200);  // the picture's left 20 columns now lie left of the view
  ASSERT_EQ(scene().PartOffsetX[0], -20);
  press(-10, 200);  // picture column 10, on the disc
  EXPECT_EQ(scene().Selection, 0);
  press(-19, 200);  // column 1 is off the disc; the clamped x 0 would be column 20, on it
  EXPECT_EQ(scene().Selection, -1);
  EXPECT_EQ(scene().LastMouseX, 0);
}

TEST_F(PointerInput, MovesOutsideTheViewGiveNoMotionOnThatAxis) {
  addDisc(100);
  press(170, 200);
  move(-10, 210);
  EXPECT_EQ(scene().PartPosX[0], 200);
  EXPECT_EQ(scene().PartPosY[0], 210);
  EXPECT_EQ(scene().LastMouseX, 0);
  move(5, 220);  // back inside: measured from the edge
  EXPECT_EQ(scene().PartPosX[0], 205);
  EXPECT_EQ(scene().PartPosY[0], 220);
  move(420, 430);
  EXPECT_EQ(scene().PartPosX[0], 205);
  EXPECT_EQ(scene().PartPosY[0], 220);
  move(390, 395);
  EXPECT_EQ(scene().PartPosX[0], 205 - 9);
  EXPECT_EQ(scene().PartPosY[0], 220 - 4);
  EXPECT_EQ(scene().PartFrame[0].Origin.x, scene().PartPosX[0]);
  EXPECT_EQ(scene().PartFrame[0].TipY.y, scene().PartPosY[0] + 1);
}

TEST_F(PointerInput, DraggingAMarkerMovesThePivotButNotThePictureOrTheBody) {
  addDisc(100);
  const double frontX = scene().FrontX[0][5][5];
  drag(200, 200, 230, 190);
  EXPECT_EQ(scene().PartPosX[0], 230);
  EXPECT_EQ(scene().PartPosY[0], 190);
  EXPECT_EQ(scene().PartOffsetX[0], 150);
  EXPECT_EQ(scene().PartFrame[0].Origin.x, 230);
  // The mesh is relative to the pivot, so it shifts the other way.
  EXPECT_EQ(scene().FrontX[0][5][5], frontX - 30);
}

TEST_F(PointerInput, ReleasingInTheFlatViewRelinksFromTheMarkers) {
  addDisc(100);
  addDisc(60);
  ASSERT_EQ(scene().ParentMatrix[2][1], 1);  // built hanging from part 0
  // Dragging the parent's picture away leaves the child, which the release detaches.
  drag(160, 200, 60, 200);
  EXPECT_EQ(scene().PartPosX[1], 200);
  EXPECT_EQ(scene().ParentMatrix[2][0], 1);
  EXPECT_EQ(scene().AncestorMatrix[2][1], 0);
  // The child's marker dragged onto the parent's picture hangs it there again.
  drag(200, 200, 100, 210);
  EXPECT_EQ(scene().ParentMatrix[2][1], 1);
  EXPECT_EQ(scene().ParentMatrix[2][0], 0);

  // A release relinks even when nothing was dragged; in 3D it never does.
  scene().ParentMatrix[2][1] = 0;
  press(5, 5);
  release(5, 5);
  EXPECT_EQ(scene().ParentMatrix[2][1], 1);
  show3D();
  scene().ParentMatrix[2][1] = 0;
  press(5, 5);
  release(5, 5);
  EXPECT_EQ(scene().ParentMatrix[2][1], 0);
}

TEST_F(PointerInput, AMiddleDragMovesTheWholeTreeOrEveryPart) {
  addDisc(200);  // 0 <- 1 <- 2 hang in a chain, each built over the one before
  addDisc(60);
  addDisc(60);
  addDisc(30);
  drag(200, 200, 20, 20);  // part 3's marker away from them: a root of its own
  ASSERT_EQ(scene().ParentMatrix[3][2], 1);
  ASSERT_EQ(scene().ParentMatrix[4][0], 1);

  const Scene before = scene();
  const auto movedBy = [&](int k, double dx, double dy) {
    return scene().PartPosX[k] == before.PartPosX[k] + dx &&
           scene().PartOffsetY[k] == before.PartOffsetY[k] + dy &&
           scene().PartFrame[k].TipZ.x == before.PartFrame[k].TipZ.x + dx &&
           scene().PartFrame[k].TipZ.z == before.PartFrame[k].TipZ.z;
  };
  // Started on the child 2, the drag takes its tree from the root 0 down.
  drag(175, 200, 185, 230, Middle);
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(movedBy(k, 10, 30)) << k;
  EXPECT_TRUE(movedBy(3, 0, 0));
  // Started on empty space, it takes every part.
  drag(5, 390, 0, 385, Middle);
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(movedBy(k, 5, 25)) << k;
  EXPECT_TRUE(movedBy(3, -5, -5));
}

}  // namespace
}  // namespace puffel
