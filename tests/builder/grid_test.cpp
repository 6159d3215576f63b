#include "builder/grid.h"

#include <gtest/gtest.h>

#include "builder/part_scene.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

constexpr uint32_t Paper = 0xFFFFFF;
constexpr uint32_t Ink = 0x204080;

// Lays the grid of picture in slot 0 and classifies its points.
Scene classified(const Bitmap& picture, int polygonSize, bool triangular) {
  Scene scene;
  test::PutPicture(scene, 0, picture);
  const GridSpacing spacing = ComputeGridSpacing(polygonSize, triangular);
  SetUpGridTables(scene, 0, ComputeGridExtent(picture.Width(), picture.Height(), spacing));
  PlaceGridPoints(scene, 0, spacing, false);
  ClassifyGridPoints(scene, 0, scene.BackgroundColour);
  return scene;
}

TEST(Grid, SquareGridOfA100By80PictureAtPolygonSize8) {
  EXPECT_DOUBLE_EQ(ReachFactor(8), 1.10);
  const GridSpacing spacing = ComputeGridSpacing(8, false);
  EXPECT_EQ(spacing.dx, 9);
  EXPECT_EQ(spacing.dy, 9);
  const GridExtent extent = ComputeGridExtent(100, 80, spacing);
  EXPECT_EQ(extent.nx, 13);
  EXPECT_EQ(extent.ny, 10);

  const Scene scene = classified(test::SolidPicture(100, 80, Paper), 8, false);
  EXPECT_EQ(scene.FrontX[0][1][1], 4.5);
  EXPECT_EQ(scene.FrontY[0][1][1], 4.5);
  EXPECT_EQ(scene.FrontX[0][2][3], 13.5);
  EXPECT_EQ(scene.FrontX[0][2][2], scene.FrontX[0][2][3]);  // no shift in a square grid
  EXPECT_EQ(scene.TexU[0][2][3], 13.5);
  EXPECT_EQ(scene.TexV[0][2][3], 22.5);
  EXPECT_EQ(scene.MaxGridColumns, 14);
  EXPECT_EQ(scene.MaxGridRows, 11);
}

TEST(Grid, TriangularGridShiftsOddRowsHalfAStepLeft) {
  const GridSpacing spacing = ComputeGridSpacing(8, true);
  EXPECT_NEAR(spacing.dx, 9.67113, 1e-5);
  EXPECT_NEAR(spacing.dy, 8.37544, 1e-5);
  const GridExtent extent = ComputeGridExtent(100, 80, spacing);
  EXPECT_EQ(extent.nx, 13);  // Trunc(106.84 / 9.671) + 2
  EXPECT_EQ(extent.ny, 11);  // Trunc(86.19 / 8.375) + 1

  const Scene scene = classified(test::SolidPicture(100, 80, Paper), 8, true);
  const double dx = spacing.dx;
  EXPECT_EQ(scene.FrontX[0][3][2], 3 * dx - dx / 2);
  EXPECT_EQ(scene.FrontX[0][3][1], 3 * dx - dx / 2 - dx / 2);
  // The outermost lines hold no position, but odd rows are shifted all the same.
  EXPECT_EQ(scene.FrontX[0][0][1], -dx / 2);
  EXPECT_EQ(scene.FrontX[0][0][2], 0);
  EXPECT_EQ(scene.FrontY[0][0][1], 0);
}

TEST(Grid, ThinLinesOnAndBetweenGridPoints) {
  // Square grid of step 9: points sample the pixel columns 5, 14, 23, ...
  Bitmap onPoints = test::SolidPicture(60, 40, Paper);
  test::PaintBlock(onPoints, 14, 1, 15, 39, Ink);
  const Scene on = classified(onPoints, 8, false);
  EXPECT_GT(on.GridState[0][2][2], 0);

  Bitmap between = test::SolidPicture(60, 40, Paper);
  test::PaintBlock(between, 18, 1, 19, 39, Ink);
  const Scene off = classified(between, 8, false);
  for (int i = 0; i <= off.GridColumns[0]; ++i) {
    for (int j = 0; j <= off.GridRows[0]; ++j) EXPECT_NE(off.GridState[0][i][j], 2);
  }
}

// The points sampling columns 5 (inside) and 14 (outside) meet at an edge
// whose middle samples column 9: the end nearer the crossing is marked.
TEST(Grid, RimMarkGoesToTheEndNearerTheCrossing) {
  Bitmap wide = test::SolidPicture(60, 40, Paper);
  test::PaintBlock(wide, 1, 1, 12, 39, Ink);  // crossing at 12, in the outer half
  const Scene outer = classified(wide, 8, false);
  EXPECT_EQ(outer.GridState[0][2][2], 1);
  EXPECT_EQ(outer.GridState[0][1][2], 2);  // all its neighbours across edges are inside

  Bitmap narrow = test::SolidPicture(60, 40, Paper);
  test::PaintBlock(narrow, 1, 1, 9, 39, Ink);  // crossing at 9, in the inner half
  const Scene inner = classified(narrow, 8, false);
  EXPECT_EQ(inner.GridState[0][1][2], 1);
  EXPECT_EQ(inner.GridState[0][2][2], 0);
}

TEST(Grid, SamplesOutsideThePictureCountAsBackground) {
  // A square grid of step 2 on an odd width: column 7 (x = 13) is the last one
  // the border clearing keeps, and it samples beyond the picture.
  Bitmap full = test::SolidPicture(13, 13, Ink);
  full.Row(0)[0] = Paper;
  const Scene scene = classified(full, 1, false);
  ASSERT_EQ(scene.GridColumns[0], 10);
  EXPECT_EQ(scene.FrontX[0][7][3], 13);
  EXPECT_EQ(scene.GridState[0][6][3], 2);
  EXPECT_EQ(scene.GridState[0][7][3], 1);  // outside, marked as the crossing is in its half
}

TEST(Grid, RebuildingASlotStartsFromZeroedCells) {
  Scene scene;
  test::PutPicture(scene, 0, test::SolidPicture(100, 80, Paper));
  SetUpGridTables(scene, 0, {13, 10});
  scene.BackZ[0][13][10] = 7;
  scene.TexU[0][2][2] = 7;
  SetUpGridTables(scene, 0, {5, 4});
  EXPECT_EQ(scene.MaxGridColumns, 6);
  EXPECT_EQ(scene.TexU[0][2][2], 0);
  SetUpGridTables(scene, 0, {13, 10});
  EXPECT_EQ(scene.BackZ[0][13][10], 0);
  EXPECT_EQ(scene.DrawOrder, 1);
  EXPECT_FALSE(scene.OutlineMode);
}

}  // namespace
}  // namespace puffel
