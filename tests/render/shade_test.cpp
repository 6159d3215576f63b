#include "render/shade.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "render/fill.h"
#include "render/test_scenes.h"

namespace puffel {
namespace {

// The program's start light (straight from the viewer) and material, and one
// part whose front picture is a single colour.
class Shading : public ::testing::Test {
 protected:
  void SetUp() override {
    test::SetUpView(scene, 8, 8);
    test::AddDomePart(scene, {.nx = 4, .ny = 4, .step = 4, .pivotX = 4, .pivotY = 4});
    scene.PartPicture[0].Fill(0xC86432);  // red 200, green 100, blue 50
  }

  // The pixel of a side with normal n at depth z.
  uint32_t Pixel(double z, Point3 n = {0, 0, -1}) {
    scene.DepthBuffer.Fill(EmptyDepth);
    FillTriangle(scene, {0, Side::Front, {{{0, 0, z}, {16, 0, z}, {0, 16, z}}}, {}, n});
    return scene.ViewBitmap.Row(1)[1];
  }

  Scene scene;
};

TEST_F(Shading, FaceTurnedFromTheLightIsBlackUnlessTheHighlightLiftsIt) {
  EXPECT_EQ(ShadeTriangle(scene, {0, 0.2, 1}).diffuse, 0);
  EXPECT_EQ(ShadeTriangle(scene, {0, 0, 0}).diffuse, 0);  // no normal: cosine -1
  scene.SpecularGain = 0;
  EXPECT_EQ(Pixel(0, {0, 0.2, 1}), 0u);
}

TEST_F(Shading, LightStraightAtAFaceGivesTheFullDiffuseGain) {
  for (const double m1 : {0.01, 0.3, 40.0 / 79, 78.0 / 79}) {
    scene.DiffuseSharpness = m1;
    EXPECT_EQ(ShadeTriangle(scene, {0, 0, -3}).diffuse, scene.DiffuseGain) << m1;
  }
  scene.DiffuseSharpness = 0;  // x^0 = 1: no diffuse light at all
  EXPECT_EQ(ShadeTriangle(scene, {0, 0, -3}).diffuse, 0);
  scene.DiffuseSharpness = 0.5;  // the plain cosine
  EXPECT_DOUBLE_EQ(ShadeTriangle(scene, {0, 1, -1}).diffuse, scene.DiffuseGain / std::sqrt(2.0));
}

TEST_F(Shading, CosineRoundedAboveOneCountsAsOne) {
  scene.DiffuseSharpness = 0.3;  // a fractional power: a negative base would give NaN
  std::mt19937 random(5);
  std::uniform_real_distribution<double> any(-1, 1);
  int above = 0;
  for (int tries = 0; tries < 100000 && above < 20; ++tries) {
    Point3 l{any(random), any(random), any(random)};
    const double length = std::sqrt(l.x * l.x + l.y * l.y + l.z * l.z);
    l = {l.x / length, l.y / length, l.z / length};
    const double scale = 2 + any(random);
    const Point3 n{l.x * scale, l.y * scale, l.z * scale};
    if ((n.x * l.x + n.y * l.y + n.z * l.z) / std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z) <= 1) {
      continue;
    }
    ++above;
    scene.LightDirX = l.x;
    scene.LightDirY = l.y;
    scene.LightDirZ = l.z;
    EXPECT_EQ(ShadeTriangle(scene, n).diffuse, scene.DiffuseGain);
  }
  EXPECT_GT(above, 0);
}

TEST_F(Shading, SpecularSharpnessZeroLiftsEveryPixelToTheGainTimesTheLight) {
  scene.SpecularSharpness = 0;
  scene.SpecularGain = 0.5;
  for (const Point3 n : {Point3{0, 0, -1}, Point3{1, 0, 0}, Point3{0.3, -5, 2}}) {
    EXPECT_EQ(ShadeTriangle(scene, n).specular, 0.5);
  }
  EXPECT_EQ(Pixel(0, {0, 5, 0.5}), 0x7F7F7Fu);  // no diffuse light: 255 x 0.5, truncated
}

TEST_F(Shading, WhiteLightAndAFullHighlightGiveWhite) {
  scene.SpecularGain = 1;
  scene.SpecularSharpness = 0.9;
  EXPECT_EQ(Pixel(0), 0xFFFFFFu);
}

TEST_F(Shading, FadeHalvesTheDiffuseLightOneRangeBeyondItsStart) {
  scene.DiffuseGain = 1;
  scene.SpecularGain = 0;
  scene.FadeStart = 10;
  scene.FadeRange = 40;
  EXPECT_EQ(Pixel(-100), 0xC86432u);
  EXPECT_EQ(Pixel(10), 0xC86432u);
  EXPECT_EQ(Pixel(50), 0x643219u);
}

TEST_F(Shading, ColourIsCappedByTheLight) {
  scene.DiffuseGain = 1;
  scene.SpecularGain = 0;
  scene.LightRed = 150;
  scene.LightBlue = 20;
  EXPECT_EQ(Pixel(0), 0x966414u);
}

TEST_F(Shading, SharpnessAndFadeRangeAreKeptFromDividingByZero) {
  const Point3 n{0.2, 0.1, -1};
  scene.DiffuseSharpness = scene.SpecularSharpness = 78.0 / 79;
  const TriangleShade limited = ShadeTriangle(scene, n);
  const uint32_t pixel = Pixel(30, n);
  scene.DiffuseSharpness = scene.SpecularSharpness = 1;
  EXPECT_EQ(ShadeTriangle(scene, n).diffuse, limited.diffuse);
  EXPECT_EQ(ShadeTriangle(scene, n).specular, limited.specular);
  scene.FadeRange = 1;
  const uint32_t faded = Pixel(30, n);
  scene.FadeRange = 0;
  EXPECT_EQ(Pixel(30, n), faded);
  EXPECT_NE(faded, pixel);
}

TEST(ReflectedLightZ, MirrorsTheLightAboutTheNormalOrTurnsItAround) {
  EXPECT_EQ(ReflectedLightZ({0, 0, -1}, {0, 0, -2}), -1);  // straight back at the viewer
  const double s = std::sqrt(0.5);
  EXPECT_NEAR(ReflectedLightZ({s, 0, -s}, {0, 0, -1}), -s, 1e-15);
  EXPECT_NEAR(ReflectedLightZ({0, 0.6, -0.8}, {0, 0, 1}), 0.8, 1e-15);  // light behind: -L
  EXPECT_EQ(ReflectedLightZ({0, 0.6, -0.8}, {0, 0, 0}), 0.8);
}

}  // namespace
}  // namespace puffel
