#include "builder/finish.h"

#include <gtest/gtest.h>

#include <cmath>

#include "builder/grid.h"
#include "builder/part_mesh.h"
#include "builder/part_scene.h"
#include "builder/plain_scan.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

constexpr uint32_t Paper = 0xFFFFFF;
constexpr uint32_t Red = 0xFF0000;
constexpr uint32_t Blue = 0x0000FF;

TEST(Finish, BorderClearingTakesTwoLinesLeftTopAndBottomAndThreeRight) {
  Scene scene;
  test::PutPicture(scene, 0, test::SolidPicture(60, 50, Paper));
  SetUpGridTables(scene, 0, {10, 8});
  for (int i = 0; i <= 10; ++i) {
    for (int j = 0; j <= 8; ++j) scene.GridState[0][i][j] = 2;
  }
  ClearGridBorder(scene, 0);
  for (int i = 0; i <= 10; ++i) {
    for (int j = 0; j <= 8; ++j) {
      const bool cleared = i <= 1 || i >= 8 || j <= 1 || j >= 7;
      EXPECT_EQ(scene.GridState[0][i][j], cleared ? 0 : 2) << i << ", " << j;
    }
  }
}

// Two lone outline pixels in one row: red at x = 3, blue at x = 7.
struct TwoDots {
  TwoDots() : picture(test::SolidPicture(12, 9, Paper)), back(test::SolidPicture(12, 9, Paper)) {
    picture.Row(4)[3] = Red;
    picture.Row(4)[7] = Blue;
    back.Row(4)[3] = 0x111111;
    back.Row(4)[7] = 0x222222;
    outline = FindOutline(picture, SwapRedBlue(Paper));
  }
  void bleed(int x0, int x1, int y0, int y1) {
    BleedRimColours(picture, back, SwapRedBlue(Paper), outline, x0, x1, y0, y1,
                    [&](int x, int y) { return test::PlainNearestOutline(outline, x, y); });
  }
  Bitmap picture;
  Bitmap back;
  OutlineList outline;
};

TEST(Finish, BleedingTakesTheNearestOutlineColourFirstInListOrder) {
  TwoDots dots;
  ASSERT_EQ(dots.outline.Count(), 2);
  dots.bleed(4, 6, 4, 5);
  EXPECT_EQ(dots.picture.Row(4)[4], Red);
  EXPECT_EQ(dots.picture.Row(4)[5], Red);  // as near to both: the first listed wins
  EXPECT_EQ(dots.picture.Row(4)[6], Blue);
  EXPECT_EQ(dots.picture.Row(5)[6], Blue);
  EXPECT_EQ(dots.back.Row(4)[5], 0x111111u);  // the back takes its own colour there
  EXPECT_EQ(dots.back.Row(5)[6], 0x222222u);
  EXPECT_EQ(dots.picture.Row(3)[5], Paper);  // outside the rectangle
}

TEST(Finish, BleedingSkipsRectanglesReachingOutsideThePicture) {
  for (const PixelRect r : {PixelRect{-1, 5, 2, 6}, PixelRect{4, 12, 2, 6}, PixelRect{4, 6, -1, 6},
                            PixelRect{4, 6, 2, 9}}) {
    TwoDots dots;
    dots.bleed(r.x0, r.x1, r.y0, r.y1);
    EXPECT_EQ(dots.picture, TwoDots().picture);
    EXPECT_EQ(dots.back, TwoDots().back);
  }
  TwoDots whole;
  whole.bleed(0, 11, 0, 8);
  EXPECT_EQ(whole.picture.Row(0)[0], Red);
  EXPECT_EQ(whole.picture.Row(8)[11], Blue);
}

TEST(Finish, RimRectanglesBoundTheRimTrianglesInCellOrder) {
  Scene scene;
  test::PutPicture(scene, 0, test::SolidPicture(60, 50, Paper));
  SetUpGridTables(scene, 0, {4, 4});
  for (int i = 0; i <= 4; ++i) {
    for (int j = 0; j <= 4; ++j) {
      scene.FrontX[0][i][j] = 10 * i + 0.5;
      scene.FrontY[0][i][j] = 10 * j + 0.75;
    }
  }
  scene.GridState[0][2][2] = 1;  // in the triangles of cells (1,1), (1,2), (2,1), (2,2)
  const std::vector<PixelRect> rectangles = RimRectangles(scene, 0);
  // Cell (1,1), odd row: (1,1) (2,1) (1,2) misses it; (2,1) (1,2) (2,2) has it.
  // Cell (1,2), even row: (1,2) (1,3) (2,3) misses it; (1,2) (2,2) (2,3) has it.
  // Cell (2,1), odd: (2,1) (3,1) (2,2) has it; (3,1) (2,2) (3,2) has it.
  // Cell (2,2), even: (2,2) (2,3) (3,3) has it; (2,2) (3,2) (3,3) has it.
  ASSERT_EQ(rectangles.size(), 6u);
  EXPECT_EQ(rectangles[0].x0, 10);
  EXPECT_EQ(rectangles[0].x1, 20);
  EXPECT_EQ(rectangles[0].y0, 10);
  EXPECT_EQ(rectangles[0].y1, 20);
  EXPECT_EQ(rectangles[1].y1, 30);
  EXPECT_EQ(rectangles[5].x1, 30);
  EXPECT_EQ(rectangles[5].y0, 20);
}

TEST(Finish, PlacingPutsTheFrameAtThePivotAndTheMeshAroundIt) {
  Scene scene;
  test::PutPicture(scene, 0, test::SolidPicture(60, 50, Paper));
  scene.PartPosX[0] = 150;
  scene.PartPosY[0] = 200;
  scene.PartOffsetX[0] = 120.5;
  scene.PartOffsetY[0] = 175;
  SetUpGridTables(scene, 0, {4, 3});
  scene.FrontX[0][1][1] = 10;
  scene.FrontZ[0][1][1] = -0.0;
  scene.BackY[0][3][3] = 4;
  scene.FrontX[0][0][1] = 10;
  scene.TexU[0][1][1] = 10;
  PlacePartMesh(scene, 0);

  const Frame& frame = scene.PartFrame[0];
  EXPECT_EQ(frame.Origin.x, 150);
  EXPECT_EQ(frame.TipX.x, 151);
  EXPECT_EQ(frame.TipY.y, 201);
  EXPECT_EQ(frame.TipZ.z, 1);
  EXPECT_EQ(scene.FrontX[0][1][1], 10 - 29.5);
  EXPECT_FALSE(std::signbit(scene.FrontZ[0][1][1]));  // -0 + 0 is +0
  EXPECT_EQ(scene.BackY[0][3][3], 4 - 25);            // up to MaxGridRows - 1
  EXPECT_EQ(scene.FrontX[0][0][1], 10);               // the first column is not moved
  EXPECT_EQ(scene.TexU[0][1][1], 10);                 // texture stays in picture pixels
}

}  // namespace
}  // namespace puffel
