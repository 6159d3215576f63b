#include "scene/scene.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/test_pictures.h"

namespace puffel {
namespace {

// A part whose silhouette is the whole of a w x h picture at offset (ox, oy)
// and whose pivot is (px, py).
void placePart(Scene& scene, int k, int w, int h, double ox, double oy, double px, double py) {
  scene.PartMask[k] = test::SolidPicture(w, h, 0);
  scene.PartOffsetX[k] = ox;
  scene.PartOffsetY[k] = oy;
  scene.PartPosX[k] = px;
  scene.PartPosY[k] = py;
}

TEST(ResetFrame, HasUnitAxesAtThePivot) {
  const Frame frame = ResetFrame(150, 200);
  EXPECT_EQ(frame.Origin.x, 150);
  EXPECT_EQ(frame.Origin.y, 200);
  EXPECT_EQ(frame.Origin.z, 0);
  EXPECT_EQ(frame.TipX.x, 151);
  EXPECT_EQ(frame.TipY.y, 201);
  EXPECT_EQ(frame.TipZ.z, 1);
  EXPECT_EQ(frame.TipZ.x, 150);
}

TEST(ResetPoses, TouchesOnlyUsedSlots) {
  Scene scene;
  scene.PartCount = 1;
  scene.PartPosX = {10, 20};
  scene.PartPosY = {30, 40};
  scene.PartFrame[0].TipX.z = 5;
  scene.PartFrame[1].TipX.z = 7;
  ResetPoses(scene);
  EXPECT_EQ(scene.PartFrame[0].TipX.z, 0);
  EXPECT_EQ(scene.PartFrame[0].TipX.x, 11);
  EXPECT_EQ(scene.PartFrame[1].TipX.z, 7);
}

TEST(TranslatePartFrame, MovesAllFourPoints) {
  Scene scene;
  scene.PartFrame[3] = ResetFrame(1, 2);
  TranslatePartFrame(scene, 3, 0.5, -1, 2);
  EXPECT_EQ(scene.PartFrame[3].Origin.x, 1.5);
  EXPECT_EQ(scene.PartFrame[3].TipX.x, 2.5);
  EXPECT_EQ(scene.PartFrame[3].TipY.y, 2);
  EXPECT_EQ(scene.PartFrame[3].TipZ.z, 3);
}

TEST(Relink, ANaNPivotLiesOnNoSilhouette) {
  Scene scene;
  scene.PartCount = 2;
  placePart(scene, 0, 10, 10, 0, 0, 5, 5);
  placePart(scene, 1, 10, 10, 0, 0, std::numeric_limits<double>::quiet_NaN(), 5);
  Relink(scene);
  EXPECT_EQ(scene.ParentMatrix[2][0], 1);
  EXPECT_EQ(scene.ParentMatrix[2][1], 0);
}

TEST(Relink, StackedPartsFormAChain) {
  Scene scene;
  scene.PartCount = 3;
  for (int k = 0; k < 3; ++k) placePart(scene, k, 100, 100, 150, 150, 200, 200);
  Relink(scene);
  EXPECT_EQ(scene.ParentMatrix[1][0], 1);
  EXPECT_EQ(scene.ParentMatrix[2][1], 1);
  EXPECT_EQ(scene.ParentMatrix[3][2], 1);
  for (int c = 0; c <= 3; ++c) {
    EXPECT_EQ(scene.ParentMatrix[1][c], c == 0) << c;
    EXPECT_EQ(scene.AncestorMatrix[3][c], c <= 2) << c;
    EXPECT_EQ(scene.AncestorMatrix[2][c], c <= 1) << c;
  }
  for (int c = 0; c <= 3; ++c) EXPECT_EQ(scene.AncestorMatrix[0][c], 0);
}

TEST(Relink, ParentIsTheHighestLowerPartUnderThePivot) {
  Scene scene;
  scene.PartCount = 4;
  placePart(scene, 0, 10, 10, 0, 0, 5, 5);
  placePart(scene, 1, 50, 50, 100, 100, 500, 500);  // pivot on nothing: a root
  placePart(scene, 2, 50, 50, 110, 110, 120, 120);  // on part 1 only
  placePart(scene, 3, 10, 10, 0, 0, 130, 130);      // on parts 1 and 2
  Relink(scene);
  EXPECT_EQ(scene.ParentMatrix[2][0], 1);
  EXPECT_EQ(scene.ParentMatrix[3][2], 1);
  EXPECT_EQ(scene.ParentMatrix[4][3], 1);
  EXPECT_EQ(scene.ParentMatrix[4][2], 0);
  EXPECT_EQ(scene.AncestorMatrix[4][2], 1);
  EXPECT_EQ(scene.AncestorMatrix[4][0], 1);
  EXPECT_EQ(scene.AncestorMatrix[4][1], 0);
}

TEST(Relink, PivotOnTheTopLeftEdgeLinksButNotPastTheRightEdge) {
  Scene scene;
  scene.PartCount = 2;
  placePart(scene, 0, 20, 10, 100, 100, 110, 105);
  placePart(scene, 1, 5, 5, 0, 0, 100, 100);
  Relink(scene);
  EXPECT_EQ(scene.ParentMatrix[2][1], 1);

  scene.PartPosX[1] = 120;  // x = W of part 0
  Relink(scene);
  EXPECT_EQ(scene.ParentMatrix[2][0], 1);
  EXPECT_EQ(scene.ParentMatrix[2][1], 0);

  scene.PartPosX[1] = 119.9;  // truncates onto the last column
  Relink(scene);
  EXPECT_EQ(scene.ParentMatrix[2][1], 1);
}

TEST(Relink, TransparentMaskPixelsDoNotLink) {
  Scene scene;
  scene.PartCount = 2;
  placePart(scene, 0, 10, 10, 0, 0, 5, 5);
  scene.PartMask[0].Row(3)[4] = 0xFFFFFF;
  placePart(scene, 1, 5, 5, 0, 0, 4.5, 3.5);
  Relink(scene);
  EXPECT_EQ(scene.ParentMatrix[2][0], 1);
  EXPECT_EQ(scene.ParentMatrix[2][1], 0);
}

TEST(Relink, NegativeFractionsTruncateTowardZero) {
  Scene scene;
  scene.PartCount = 2;
  placePart(scene, 0, 10, 10, 100, 100, 105, 105);
  placePart(scene, 1, 5, 5, 0, 0, 99.5, 100);  // u = trunc(-0.5) = 0: on the picture
  Relink(scene);
  EXPECT_EQ(scene.ParentMatrix[2][1], 1);
}

TEST(Tables, RedimKeepsCellsAndZeroFillsNewOnes) {
  Table3D<double> table;
  table.Redim(1, 2, 3);
  table[0][1][2] = 7;
  table[0][0][0] = 1;
  table.Redim(2, 4, 2);
  EXPECT_EQ(table[0][0][0], 1);
  EXPECT_EQ(table[0][1][1], 0);
  EXPECT_EQ(table[1][3][1], 0);
  table.Redim(2, 4, 3);
  EXPECT_EQ(table[0][1][2], 0);  // dropped by the shrink, zero when it came back

  ViewBuffer<int> buffer;
  buffer.Redim(3, 2);
  buffer(2, 1) = 5;
  buffer.Redim(4, 4);
  EXPECT_EQ(buffer(2, 1), 5);
  EXPECT_EQ(buffer(3, 3), 0);
  EXPECT_EQ(buffer.Width(), 4);
}

}  // namespace
}  // namespace puffel
