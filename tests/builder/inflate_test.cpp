#include "builder/inflate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "builder/part_mesh.h"
#include "builder/part_scene.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

constexpr uint32_t Paper = 0xFFFFFF;
constexpr uint32_t Ink = 0x204080;

// A part inflated in slot 0, before its border is cleared and its mesh moved.
struct Inflated {
  Scene scene;
  std::unique_ptr<PartAnalysis> analysis;

  int nx() const { return scene.GridColumns[0]; }
  int ny() const { return scene.GridRows[0]; }
  bool inside(int i, int j) const { return scene.GridState[0][i][j] == 2; }
  // Without colour projection TexU and TexV keep the grid position.
  PointDepth depth(int i, int j) const {
    return MeasurePoint(analysis->outline, analysis->measures,
                        analysis->measures.NearestOutline[i][j], scene.TexU[0][i][j],
                        scene.TexV[0][i][j]);
  }
  double d(int i, int j) const { return depth(i, j).d; }
  double t(int i, int j) const { return depth(i, j).t; }
};

Inflated inflate(const Bitmap& picture, const MeshSettings& settings, const ShapeSettings& shape) {
  Inflated part;
  test::PutPicture(part.scene, 0, picture);
  const BuildProgress silent;
  ProgressBarPosition progressBar{silent};
  part.analysis = AnalysePart(part.scene, 0, settings, progressBar);
  InflatePart(part.scene, 0, *part.analysis, settings, shape);
  return part;
}

Bitmap disc() { return test::DiscPicture(90, 80, 45, 40, 33, Ink, Paper); }

const MeshSettings Fine{.polygonSize = 3};

TEST(Inflate, BulgeExponents) {
  EXPECT_DOUBLE_EQ(BulgeExponent(-10), 4);
  EXPECT_NEAR(BulgeExponent(-1), 2.1161, 1e-4);
  EXPECT_DOUBLE_EQ(BulgeExponent(0), 2);
  EXPECT_NEAR(BulgeExponent(5), 1.4142, 1e-4);
  EXPECT_DOUBLE_EQ(BulgeExponent(10), 1);
  EXPECT_NEAR(BulgeExponent(11), 0.99861, 1e-5);
  EXPECT_NEAR(BulgeExponent(15), 0.84090, 1e-5);
  EXPECT_DOUBLE_EQ(BulgeExponent(20), 0.25);
}

// The inflation takes x^1 as x without calling the power: the library's power
// must agree to the bit, over the profile's range [0, 1] and beyond.
TEST(Inflate, PowerOfOneIsTheNumberItself) {
  std::mt19937_64 random(41);
  std::uniform_real_distribution<double> unit(0, 1);
  volatile double one = 1;  // the library's power, not the compiler's folding
  for (int n = 0; n < 200000; ++n) {
    const double x = n % 2 == 0 ? unit(random) : std::ldexp(unit(random), -(n % 1100));
    ASSERT_TRUE(test::SameBits(std::pow(x, one), x)) << x;
  }
  for (const double x : {0.0, -0.0, 1.0, 6.123233995736766e-17, 4.9e-324, 1e300}) {
    EXPECT_TRUE(test::SameBits(std::pow(x, one), x)) << x;
  }
}

// Default sliders: front and back mirror each other, and every inside point
// lies on the quarter circle of radius t about its far point Q.
TEST(Inflate, DefaultSlidersGiveAMirrorSymmetricRoundBody) {
  const Inflated part = inflate(disc(), Fine, {});
  const Scene& s = part.scene;
  int checked = 0;
  for (int i = 1; i < part.nx(); ++i) {
    for (int j = 1; j < part.ny(); ++j) {
      if (!part.inside(i, j) || !(part.d(i, j) > 0)) continue;
      EXPECT_EQ(s.FrontX[0][i][j], s.BackX[0][i][j]);
      EXPECT_EQ(s.FrontY[0][i][j], s.BackY[0][i][j]);
      EXPECT_EQ(s.FrontZ[0][i][j], -s.BackZ[0][i][j]);
      const int n = part.analysis->measures.NearestOutline[i][j];
      const double bx = part.analysis->outline.OutlineX[n];
      const double by = part.analysis->outline.OutlineY[n];
      const double r = part.d(i, j) / part.t(i, j);
      // TexU/TexV keep the grid position P (no colour projection).
      const double qx = (s.TexU[0][i][j] - bx) / r + bx;
      const double qy = (s.TexV[0][i][j] - by) / r + by;
      const double ex = s.BackX[0][i][j] - qx;
      const double ey = s.BackY[0][i][j] - qy;
      EXPECT_NEAR(std::sqrt(ex * ex + ey * ey + s.BackZ[0][i][j] * s.BackZ[0][i][j]), part.t(i, j),
                  1e-9 * part.t(i, j));
      ++checked;
    }
  }
  EXPECT_GT(checked, 150);
}

TEST(Inflate, PointWithRatioOneLandsOnItsFarPoint) {
  const Inflated part = inflate(disc(), Fine, {});
  const Scene& s = part.scene;
  int found = 0;
  for (int i = 1; i < part.nx(); ++i) {
    for (int j = 1; j < part.ny(); ++j) {
      if (!part.inside(i, j) || part.d(i, j) != part.t(i, j) || !(part.d(i, j) > 0)) continue;
      // Q = P when r = 1: the point rises straight up to depth t.
      const double t = part.t(i, j);
      EXPECT_NEAR(s.FrontX[0][i][j], s.TexU[0][i][j], 1e-9 * t);
      EXPECT_NEAR(s.FrontY[0][i][j], s.TexV[0][i][j], 1e-9 * t);
      EXPECT_NEAR(s.FrontZ[0][i][j], -t, 1e-9 * t);
      EXPECT_NEAR(s.BackZ[0][i][j], t, 1e-9 * t);
      ++found;
    }
  }
  EXPECT_GT(found, 0);
}

TEST(Inflate, StretchZeroFlattensOneSide) {
  const Inflated flatFront = inflate(disc(), Fine, {.frontStretch = 0});
  const Inflated flatBack = inflate(disc(), Fine, {.backStretch = 0});
  double deepestBack = 0;
  double deepestFront = 0;
  for (int i = 0; i <= flatFront.nx(); ++i) {
    for (int j = 0; j <= flatFront.ny(); ++j) {
      EXPECT_EQ(flatFront.scene.FrontZ[0][i][j], 0);
      EXPECT_EQ(flatBack.scene.BackZ[0][i][j], 0);
      deepestBack = std::max(deepestBack, flatFront.scene.BackZ[0][i][j]);
      deepestFront = std::min(deepestFront, flatBack.scene.FrontZ[0][i][j]);
    }
  }
  EXPECT_GT(deepestBack, 20);
  EXPECT_LT(deepestFront, -20);
}

TEST(Inflate, EarPosition32MakesAThinShell) {
  const Inflated part = inflate(disc(), Fine, {.earPosition = 32});
  const Scene& s = part.scene;
  for (int i = 1; i < part.nx(); ++i) {
    for (int j = 1; j < part.ny(); ++j) {
      if (!part.inside(i, j) || !(part.d(i, j) > 0)) continue;
      EXPECT_EQ(s.FrontX[0][i][j], s.BackX[0][i][j]);
      EXPECT_EQ(s.FrontY[0][i][j], s.BackY[0][i][j]);
      EXPECT_NEAR(s.FrontZ[0][i][j], s.BackZ[0][i][j], 1e-9 * part.t(i, j));
      EXPECT_GT(s.FrontZ[0][i][j], 0);
    }
  }
}

// Ear position 1: the lobe (r <= 31/32) toward the viewer, the hollow behind.
TEST(Inflate, EarPositionOneRollsTheRimOverAHollow) {
  const Inflated part = inflate(disc(), Fine, {.earPosition = 1});
  int lobe = 0;
  int hollow = 0;
  for (int i = 1; i < part.nx(); ++i) {
    for (int j = 1; j < part.ny(); ++j) {
      if (!part.inside(i, j) || !(part.d(i, j) > 0)) continue;
      if (part.d(i, j) / part.t(i, j) <= 31.0 / 32) {
        EXPECT_LE(part.scene.FrontZ[0][i][j], 0);
        ++lobe;
      } else {
        EXPECT_GE(part.scene.FrontZ[0][i][j], 0);
        ++hollow;
      }
    }
  }
  EXPECT_GT(lobe, 100);
  EXPECT_GT(hollow, 0);
}

// Foreground everywhere but the top-left pixel: no outline pixel at all.
TEST(Inflate, PictureWithoutOutlineIsAFlatCard) {
  Bitmap card = test::SolidPicture(40, 30, Ink);
  card.Row(0)[0] = Paper;
  const Inflated part = inflate(card, Fine, {});
  ASSERT_EQ(part.analysis->outline.Count(), 0);
  const Scene& s = part.scene;
  int inside = 0;
  for (int i = 0; i <= part.nx(); ++i) {
    for (int j = 0; j <= part.ny(); ++j) {
      if (s.GridState[0][i][j] == 0) continue;
      inside += part.inside(i, j);
      EXPECT_EQ(s.FrontX[0][i][j], s.TexU[0][i][j]);
      EXPECT_EQ(s.FrontY[0][i][j], s.TexV[0][i][j]);
      EXPECT_EQ(s.FrontZ[0][i][j], 0);
      EXPECT_EQ(s.BackX[0][i][j], s.FrontX[0][i][j]);
      EXPECT_EQ(s.BackY[0][i][j], s.FrontY[0][i][j]);
      EXPECT_EQ(s.BackZ[0][i][j], 0);
    }
  }
  EXPECT_GT(inside, 50);
  // And nothing to bleed from.
  Scene finished = part.scene;
  FinishPartMesh(finished, 0, *part.analysis);
  EXPECT_EQ(finished.PartPicture[0], part.scene.PartPicture[0]);
  EXPECT_EQ(finished.PartBackPicture[0], part.scene.PartBackPicture[0]);
}

// A square grid of even step puts points on whole pixels: the point on the
// outline pixel beside a one-pixel hole has d = 0.
TEST(Inflate, PointOnTheOutlineKeepsItsPlaceFrontAndBack) {
  Bitmap block = test::SolidPicture(30, 30, Paper);
  test::PaintBlock(block, 2, 2, 28, 28, Ink);
  block.Row(15)[14] = Paper;  // the pixel (15, 15) left of it becomes an outline pixel
  const Inflated part = inflate(block, {.polygonSize = 1, .triangularGrid = false}, {});
  const Scene& s = part.scene;
  ASSERT_EQ(s.TexU[0][8][8], 15);
  ASSERT_EQ(s.TexV[0][8][8], 15);
  ASSERT_TRUE(part.inside(8, 8));
  EXPECT_EQ(part.d(8, 8), 0);
  EXPECT_EQ(s.FrontX[0][8][8], 15);
  EXPECT_EQ(s.FrontY[0][8][8], 15);
  EXPECT_EQ(s.FrontZ[0][8][8], 0);
  EXPECT_EQ(s.BackX[0][8][8], 15);
  EXPECT_EQ(s.BackY[0][8][8], 15);
  EXPECT_EQ(s.BackZ[0][8][8], 0);
}

// Rim points whose sample lies outside the picture have no nearest outline
// pixel: their back vertex is their front vertex, not the picture's corner.
TEST(Inflate, RimPointWithoutNearestOutlineKeepsBackOnFront) {
  Bitmap edge = test::SolidPicture(13, 13, Paper);
  test::PaintBlock(edge, 4, 1, 13, 12, Ink);  // runs off the right edge
  const Inflated part = inflate(edge, {.polygonSize = 1, .triangularGrid = false}, {});
  const Scene& s = part.scene;
  ASSERT_EQ(s.GridState[0][7][3], 1);  // x = 13, beyond the picture
  EXPECT_EQ(part.analysis->measures.NearestOutline[7][3], -1);
  EXPECT_EQ(s.FrontX[0][7][3], 13);
  EXPECT_EQ(s.BackX[0][7][3], 13);
  EXPECT_EQ(s.BackY[0][7][3], s.FrontY[0][7][3]);
  EXPECT_EQ(s.BackZ[0][7][3], 0);
  // A rim point that has one sits on it, front and back.
  ASSERT_EQ(s.GridState[0][2][3], 1);
  EXPECT_EQ(s.FrontX[0][2][3], 4);
  EXPECT_EQ(s.BackX[0][2][3], 4);
}

}  // namespace
}  // namespace puffel
