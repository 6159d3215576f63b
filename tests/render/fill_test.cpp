#include "render/fill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "render/awkward_triangles.h"
#include "render/barycentric.h"
#include "render/plain_fill.h"
#include "render/test_scenes.h"

namespace puffel {
namespace {

// A 64 x 48 view and one part whose pictures are 40 x 30.
Scene fillScene() {
  Scene scene;
  test::SetUpView(scene, 64, 48);
  test::AddDomePart(scene, {.nx = 4, .ny = 4, .step = 10});
  scene.PartPicture[0] = test::PatternPicture(40, 30, 7);
  scene.PartBackPicture[0] = test::PatternPicture(40, 30, 8);
  scene.DepthBuffer.Fill(EmptyDepth);
  scene.OwnerBuffer.Fill(-1);
  return scene;
}

// A front side of part 0 lit head-on, with one texture position at its corners.
TriangleSide side(Point3 a, Point3 b, Point3 c, Point2 t = {0, 0}) {
  return {0, Side::Front, {a, b, c}, {t, t, t}, {0, 0, -1}};
}

int owned(const Scene& scene, int part) {
  int count = 0;
  for (int y = 0; y < scene.ViewHeight; ++y) {
    for (int x = 0; x < scene.ViewWidth; ++x) count += scene.OwnerBuffer(x, y) == part;
  }
  return count;
}

TEST(BarycentricWeights, WeighBAndCAndReadCollinearCornersAsOutside) {
  const Weights w = BarycentricWeights({0, 0}, {4, 0}, {0, 2}, {1, 0.5});
  EXPECT_EQ(w.u, 0.25);
  EXPECT_EQ(w.v, 0.25);
  const Weights flat = BarycentricWeights({0, 0}, {1, 1}, {3, 3}, {1, 1});
  EXPECT_EQ(flat.u, -1);
  EXPECT_EQ(flat.v, -1);
}

TEST(FillTriangle, CentresOnEdgesAndCornersAreInside) {
  Scene scene = fillScene();
  FillTriangle(scene, side({2.5, 2.5, 1}, {6.5, 2.5, 1}, {2.5, 6.5, 1}));
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      EXPECT_EQ(scene.OwnerBuffer(x, y), x >= 2 && y >= 2 && x + y <= 8 ? 0 : -1) << x << ", " << y;
    }
  }
}

TEST(FillTriangle, SharedEdgeStaysWithTheFirstTriangleUntilOneIsStrictlyNearer) {
  Scene scene = fillScene();
  test::AddDomePart(scene, {.nx = 4, .ny = 4, .step = 10, .seed = 9});
  // Two halves of a square sharing its diagonal through centres; depth 0, so
  // that the interpolated depths tie exactly.
  FillTriangle(scene, side({2.5, 2.5, 0}, {8.5, 2.5, 0}, {2.5, 8.5, 0}));
  const Bitmap first = scene.ViewBitmap;
  TriangleSide second = side({8.5, 8.5, 0}, {2.5, 8.5, 0}, {8.5, 2.5, 0}, {20, 20});
  second.part = 1;
  FillTriangle(scene, second);
  for (int d = 0; d <= 6; ++d) EXPECT_EQ(scene.OwnerBuffer(2 + d, 8 - d), 0) << d;
  EXPECT_EQ(scene.ViewBitmap.Row(5)[5], first.Row(5)[5]);
  EXPECT_EQ(scene.OwnerBuffer(7, 6), 1);

  second.view = {Point3{8.5, 8.5, -0.5}, Point3{2.5, 8.5, -0.5}, Point3{8.5, 2.5, -0.5}};
  FillTriangle(scene, second);
  for (int d = 0; d <= 6; ++d) EXPECT_EQ(scene.OwnerBuffer(2 + d, 8 - d), 1) << d;
  EXPECT_EQ(scene.DepthBuffer(5, 5), -0.5);
}

TEST(FillTriangle, DrawsOnlyInsideTheView) {
  Scene scene = fillScene();
  FillTriangle(scene, side({-30, -30, 0}, {-1, -30, 0}, {-30, -1, 0}));
  FillTriangle(scene, side({-30, 50, 0}, {200, 50, 0}, {-30, 90, 0}));
  EXPECT_EQ(owned(scene, 0), 0);
  FillTriangle(scene, side({-100, -100, 0}, {300, -100, 0}, {-100, 300, 0}));
  EXPECT_EQ(owned(scene, 0), 64 * 48);
}

TEST(FillTriangle, TexturePositionsOutsideThePictureFallBackToColumnAndRowZero) {
  Scene scene = fillScene();
  scene.SpecularGain = 0;
  scene.DiffuseGain = 1;  // lit head-on: the texel itself
  const Bitmap& picture = scene.PartPicture[0];
  const auto pixelAt = [&](double u, double v) {
    scene.DepthBuffer.Fill(EmptyDepth);
    FillTriangle(scene, side({0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {u, v}));
    return scene.ViewBitmap.Row(1)[1];
  };
  EXPECT_EQ(pixelAt(-0.5, 3), picture.Row(3)[0]);  // truncates to column 0
  EXPECT_EQ(pixelAt(40, 3), picture.Row(3)[0]);    // W falls back to column 0
  EXPECT_EQ(pixelAt(39.9, 3), picture.Row(3)[39]);
  EXPECT_EQ(pixelAt(-1.5, 29.5), picture.Row(29)[0]);
  EXPECT_EQ(pixelAt(5, 30), picture.Row(0)[5]);  // H falls back to row 0
}

TEST(FillTriangle, NeverReadsOutsideASmallerBackPicture) {
  Scene scene = fillScene();
  scene.PartBackPicture[0] = test::PatternPicture(10, 10, 3);
  TriangleSide back = side({0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {35, 25});
  back.side = Side::Back;
  FillTriangle(scene, back);
  scene.PartPicture[0] = Bitmap();
  FillTriangle(scene, side({10, 10, -1}, {14, 10, -1}, {10, 14, -1}));
  EXPECT_EQ(scene.OwnerBuffer(1, 1), 0);
  EXPECT_EQ(scene.OwnerBuffer(11, 11), 0);
}

TEST(FillTriangle, MatchesThePlainFillOnRandomTriangles) {
  Scene fast = fillScene();
  fast.SpecularSharpness = 0.3;
  fast.SpecularGain = 0.4;
  fast.FadeStart = -5;
  fast.FadeRange = 7;
  fast.LightRed = 250;
  fast.LightGreen = 120;
  std::mt19937 random(12345);
  for (int round = 0; round < 40; ++round) {
    fast.DepthBuffer.Fill(EmptyDepth);
    Scene plain = fast;
    for (int n = 0; n < 1000; ++n) {
      const TriangleSide t = test::AwkwardTriangle(random, n);
      FillTriangle(fast, t);
      test::PlainFillTriangle(plain, t);
      ASSERT_EQ(test::ViewDifference(fast, plain), "")
          << "round " << round << ", triangle " << n << ": (" << t.view[0].x << ", " << t.view[0].y
          << ") (" << t.view[1].x << ", " << t.view[1].y << ") (" << t.view[2].x << ", "
          << t.view[2].y << ")";
    }
  }
}

// Texture positions within a step of the last bit of -1, 0, W - 1 and W
// (or H), where the fallback to column or row 0 starts or stops.
TEST(FillTriangle, MatchesThePlainFillWithTexturePositionsAtThePicturesEdges) {
  Scene fast = fillScene();
  std::mt19937 random(4242);
  const auto nearEdge = [&](double size) {
    const double edges[] = {-1, 0, size - 1, size};
    const double edge = edges[random() % 4];
    const int steps = static_cast<int>(random() % 5) - 2;
    double t = edge;
    for (int n = 0; n < std::abs(steps); ++n) t = std::nextafter(t, steps * 100.0);
    return t;
  };
  for (int round = 0; round < 3000; ++round) {
    fast.DepthBuffer.Fill(EmptyDepth);
    Scene plain = fast;
    TriangleSide t = test::AwkwardTriangle(random, round % 2);
    for (Point2& p : t.texture) {
      p = {random() % 2 ? nearEdge(40) : p.x, random() % 2 ? nearEdge(30) : p.y};
    }
    FillTriangle(fast, t);
    test::PlainFillTriangle(plain, t);
    ASSERT_EQ(test::ViewDifference(fast, plain), "") << "round " << round;
  }
}

// Sides filled over copies of themselves whose corners lie a step of the
// last bit nearer or farther, or at the same depth, with depths from tiny to
// huge: the pixels such a side takes or leaves are those the plain fill does.
TEST(FillTriangle, MatchesThePlainFillOverAlmostEqualDepths) {
  Scene fast = fillScene();
  test::AddDomePart(fast, {.nx = 4, .ny = 4, .step = 10, .seed = 9});
  fast.PartPicture[1] = test::PatternPicture(40, 30, 5);
  std::mt19937 random(777);
  for (int round = 0; round < 2000; ++round) {
    fast.DepthBuffer.Fill(EmptyDepth);
    Scene plain = fast;
    TriangleSide under = test::AwkwardTriangle(random, round % 4);
    const double scale = std::pow(10.0, std::uniform_real_distribution<double>(-300, 300)(random));
    for (Point3& p : under.view) p.z *= scale;
    TriangleSide over = under;
    over.part = 1;
    const int direction = static_cast<int>(random() % 3) - 1;
    for (Point3& p : over.view) {
      if (direction != 0) p.z = std::nextafter(p.z, direction * EmptyDepth);
    }
    for (const TriangleSide& t : {under, over}) {
      FillTriangle(fast, t);
      test::PlainFillTriangle(plain, t);
    }
    ASSERT_EQ(test::ViewDifference(fast, plain), "") << "round " << round;
  }
}

}  // namespace
}  // namespace puffel
