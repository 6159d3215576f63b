#include "render/band_fill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "render/awkward_triangles.h"
#include "render/test_scenes.h"

namespace puffel {
namespace {

// A 64 x 48 view and two parts with 40 x 30 pictures, lit by a coloured light
// with highlights and a fade that reaches into the sides' depths.
Scene bandScene() {
  Scene scene;
  test::SetUpView(scene, 64, 48);
  for (uint32_t seed : {7u, 9u}) {
    const int k = test::AddDomePart(scene, {.nx = 4, .ny = 4, .step = 10, .seed = seed});
    scene.PartPicture[k] = test::PatternPicture(40, 30, seed);
    scene.PartBackPicture[k] = test::PatternPicture(40, 30, seed + 1);
  }
  scene.SpecularSharpness = 0.3;
  scene.SpecularGain = 0.4;
  scene.FadeStart = -5;
  scene.FadeRange = 7;
  scene.LightRed = 250;
  scene.LightGreen = 120;
  return scene;
}

// Many sides of every awkward kind over one another in bands that reach over
// and past the view: coloured last, they leave every pixel, depth (to the bit)
// and owner as FillTriangle leaves them filling the sides in turn, with its
// working memory left over from every earlier band.
TEST(FillBandColouringLast, MatchesFillingTheSidesInTurn) {
  std::mt19937 random(2024);
  ColourLastMemory memory;
  for (int round = 0; round < 300; ++round) {
    const int first = static_cast<int>(random() % 48);
    const RowBand rows{first, first + static_cast<int>(random() % 40)};
    std::vector<TriangleSide> sides(1 + random() % 80);
    std::vector<const TriangleSide*> band;
    for (TriangleSide& side : sides) {
      side = test::AwkwardTriangle(random, static_cast<int>(random() % 8));
      side.part = static_cast<int>(random() % 2);
      // Now and then a copy of an earlier side, of either part, at the same
      // depths or a step of the last bit nearer or farther; seldom a depth
      // that is not finite.
      if (band.size() > 0 && random() % 3 == 0) {
        side = *band[random() % band.size()];
        side.part = static_cast<int>(random() % 2);
        const int direction = static_cast<int>(random() % 3) - 1;
        for (Point3& p : side.view) {
          if (direction != 0) p.z = std::nextafter(p.z, direction * EmptyDepth);
        }
      }
      if (random() % 200 == 0) {
        side.view[random() % 3].z = random() % 2 ? std::numeric_limits<double>::infinity()
                                                 : std::numeric_limits<double>::quiet_NaN();
      }
      band.push_back(&side);
    }
    // Depths from tiny to too large to bound.
    const double scale = std::pow(10.0, std::uniform_real_distribution<double>(-300, 303)(random));
    for (TriangleSide& side : sides) {
      for (Point3& p : side.view) p.z *= scale;
    }
    Scene last = bandScene();
    ClearBand(last, {0, 47}, true);
    Scene inTurn = last;
    FillBandColouringLast(last, rows, band, memory);
    for (const TriangleSide& side : sides) FillTriangle(inTurn, side, rows);
    ASSERT_EQ(test::ViewDifference(last, inTurn), "") << "round " << round;
  }
}

TEST(ClearBand, ClearsOnlyTheBandsRowsAndKeepsThePictureUnlessBlack) {
  Scene scene = bandScene();
  scene.ViewBitmap.Fill(0x123456);
  scene.DepthBuffer.Fill(5);
  scene.OwnerBuffer.Fill(1);
  ClearBand(scene, {10, 19}, false);
  EXPECT_EQ(scene.DepthBuffer(3, 10), EmptyDepth);
  EXPECT_EQ(scene.OwnerBuffer(63, 19), -1);
  EXPECT_EQ(scene.ViewBitmap.Row(15)[3], 0x123456u);
  EXPECT_EQ(scene.DepthBuffer(3, 9), 5);
  EXPECT_EQ(scene.OwnerBuffer(3, 20), 1);
  ClearBand(scene, {40, 60}, true);  // rows past the view are left out
  EXPECT_EQ(scene.ViewBitmap.Row(47)[0], 0u);
  EXPECT_EQ(scene.ViewBitmap.Row(39)[0], 0x123456u);
}

}  // namespace
}  // namespace puffel
