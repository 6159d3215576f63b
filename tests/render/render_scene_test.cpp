#include "render/render_scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/canvas.h"
#include "render/cell_walk.h"
#include "render/plain_fill.h"
#include "render/plain_pass.h"
#include "render/test_scenes.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::AddDomePart;
using test::ViewDifference;

constexpr double Pi = std::numbers::pi;

Scene viewScene(int width = 400, int height = 400) {
  Scene scene;
  test::SetUpView(scene, width, height);
  return scene;
}

// A flat part of 6 x 6 steps of 20 pixels, every vertex off the border inside.
int addFlatPart(Scene& scene, double pivotX, double pivotY) {
  const int k = AddDomePart(
      scene, {.nx = 6, .ny = 6, .step = 20, .height = 0, .pivotX = pivotX, .pivotY = pivotY});
  for (int i = 1; i < 6; ++i) {
    for (int j = 1; j < 6; ++j) scene.GridState[k][i][j] = 2;
  }
  return k;
}

int ownedPixels(const Scene& scene, int part) {
  int count = 0;
  for (int y = 0; y < scene.ViewHeight; ++y) {
    for (int x = 0; x < scene.ViewWidth; ++x) count += scene.OwnerBuffer(x, y) == part;
  }
  return count;
}

TEST(RenderScene3D, ShowsBlackOrTheBackgroundWhereNoTriangleIsFilled) {
  Scene scene = viewScene(50, 40);
  scene.ViewBitmap.Fill(0x123456);
  scene.DepthBuffer.Fill(3);
  scene.OwnerBuffer.Fill(7);
  DrawScene3D(scene);
  EXPECT_EQ(scene.ViewBitmap, test::SolidPicture(50, 40, 0));
  EXPECT_EQ(scene.DepthBuffer(49, 39), EmptyDepth);
  EXPECT_EQ(ownedPixels(scene, -1), 50 * 40);

  scene.BackgroundName = "haikei";
  scene.BackgroundBitmap = test::PatternPicture(50, 40, 4);
  DrawScene3D(scene);
  EXPECT_EQ(scene.ViewBitmap, scene.BackgroundBitmap);
  AddDomePart(scene, {.nx = 8, .ny = 8, .step = 4, .pivotX = 25, .pivotY = 20});
  DrawScene3D(scene);
  EXPECT_EQ(scene.ViewBitmap.Row(2)[2], scene.BackgroundBitmap.Row(2)[2]);
  EXPECT_NE(scene.ViewBitmap.Row(20)[25], scene.BackgroundBitmap.Row(20)[25]);
}

// A part window shrunk to no width or no height still renders: into nothing.
TEST(RenderScene3D, AViewOfNoWidthOrNoHeightDrawsNothing) {
  for (auto [width, height] : {std::pair{0, 30}, std::pair{30, 0}}) {
    Scene scene = viewScene(width, height);
    AddDomePart(scene, {.nx = 8, .ny = 8, .step = 4, .pivotX = 0, .pivotY = 0});
    DrawScene3D(scene);
    EXPECT_TRUE(scene.ViewBitmap.Empty()) << width << " x " << height;
  }
}

TEST(RenderScene3D, PartTurnedEdgeOnDrawsNothing) {
  Scene scene = viewScene();
  addFlatPart(scene, 200, 200);
  Frame& frame = scene.PartFrame[0];
  frame.TipX = {200, 200, 1};  // x axis along the view's depth
  frame.TipZ = {199, 200, 0};
  DrawScene3D(scene);
  EXPECT_EQ(ownedPixels(scene, 0), 0);
}

TEST(RenderScene3D, PartTurnedAroundShowsItsBackSurface) {
  Scene scene = viewScene();
  AddDomePart(scene, {});
  scene.PartPicture[0].Fill(0xFF0000);
  scene.PartBackPicture[0].Fill(0x0000FF);
  scene.SpecularGain = 0;
  const auto onlyChannel = [&](uint32_t mask) {
    for (int y = 0; y < 400; ++y) {
      for (int x = 0; x < 400; ++x) {
        if (scene.OwnerBuffer(x, y) == 0 && (scene.ViewBitmap.Row(y)[x] & ~mask) != 0) return false;
      }
    }
    return ownedPixels(scene, 0) > 1000;
  };
  DrawScene3D(scene);
  EXPECT_TRUE(onlyChannel(0xFF0000));
  Frame& frame = scene.PartFrame[0];  // half a turn about the view's y axis
  frame.TipX = {199, 200, 0};
  frame.TipZ = {200, 200, -1};
  DrawScene3D(scene);
  EXPECT_TRUE(onlyChannel(0x0000FF));
}

TEST(RenderScene3D, TrianglesOfRimOnlyOrWithAnOutsideVertexAreNeverDrawn) {
  Scene scene = viewScene();
  addFlatPart(scene, 200, 200);  // vertex (i, j) shows at (140 + 20 i, 140 + 20 j)
  for (int i = 1; i < 6; ++i) {
    for (int j = 1; j < 6; ++j) scene.GridState[0][i][j] = 1;
  }
  DrawScene3D(scene);
  EXPECT_EQ(ownedPixels(scene, 0), 0);

  // One inside vertex (3, 3) at (200, 200): its six triangles are drawn.
  scene.GridState[0][3][3] = 2;
  DrawScene3D(scene);
  EXPECT_EQ(scene.OwnerBuffer(206, 206), 0);   // in (3,3) (4,3) (3,4)
  EXPECT_EQ(scene.OwnerBuffer(213, 186), -1);  // in (3,2) (4,2) (4,3), all rim

  scene.GridState[0][4][3] = 0;
  DrawScene3D(scene);
  EXPECT_EQ(scene.OwnerBuffer(206, 206), -1);
  EXPECT_EQ(scene.OwnerBuffer(194, 206), 0);  // in (3,3) (2,4) (3,4): still drawn
}

TEST(RenderScene3D, OverlappingPartsAreResolvedByDepthWithTiesToTheFirst) {
  Scene scene = viewScene();
  addFlatPart(scene, 200, 200);
  addFlatPart(scene, 210, 200);
  DrawScene3D(scene);
  EXPECT_EQ(scene.OwnerBuffer(200, 200), 0);  // equal depth: the first drawn keeps it

  TranslatePartFrame(scene, 1, 0, 0, -5);
  DrawScene3D(scene);
  EXPECT_EQ(scene.OwnerBuffer(200, 200), 1);
  EXPECT_DOUBLE_EQ(scene.DepthBuffer(200, 200), -5);

  TranslatePartFrame(scene, 1, 0, 0, 10);
  DrawScene3D(scene);
  EXPECT_EQ(scene.OwnerBuffer(200, 200), 0);
  EXPECT_EQ(scene.OwnerBuffer(245, 200), 1);  // beyond part 0's edge
}

TEST(RenderScene3D, OutlineModeDrawsHigherPartsOverLowerOnesWithoutTheBuffers) {
  Scene scene = viewScene();
  scene.OutlineMode = true;
  scene.ViewBitmap.canvas.penColour = 0x0000FF;  // the pass sets its own pen and brush
  scene.ViewBitmap.canvas.brushColour = 0x00FF00;
  addFlatPart(scene, 200, 200);  // vertical edge x = 200 from y = 180 to 200
  addFlatPart(scene, 210, 210);  // a cell from (190, 190) to (210, 210), diagonal x = y
  DrawScene3D(scene);
  EXPECT_EQ(scene.ViewBitmap.Row(195)[200], 0u);         // part 0's edge under part 1's inside
  EXPECT_EQ(scene.ViewBitmap.Row(195)[195], 0xFFFFFFu);  // part 1's diagonal
  EXPECT_EQ(scene.ViewBitmap.Row(165)[200], 0xFFFFFFu);  // part 0's edge outside part 1
  EXPECT_EQ(ownedPixels(scene, -1), 400 * 400);
  EXPECT_EQ(scene.DepthBuffer(200, 200), EmptyDepth);

  std::swap(scene.PartFrame[0], scene.PartFrame[1]);
  DrawScene3D(scene);
  EXPECT_EQ(scene.ViewBitmap.Row(195)[200], 0xFFFFFFu);
}

TEST(RenderScene3D, AttachmentPlacesScaledPartsAboutTheirTreeRoot) {
  Scene scene = viewScene();
  AddDomePart(scene, {.pivotX = 100, .pivotY = 120});
  AddDomePart(scene, {.pivotX = 150, .pivotY = 160});
  AddDomePart(scene, {.pivotX = 170, .pivotY = 190});
  scene.AncestorMatrix[2][1] = 1;  // 0 <- 1 <- 2
  scene.AncestorMatrix[3][1] = 1;
  scene.AncestorMatrix[3][2] = 1;
  test::ScaleFrame(scene.PartFrame[1], 2);
  test::ScaleFrame(scene.PartFrame[2], 3);
  test::TurnFrame(scene.PartFrame[2], 0, 0, 1, 0.5);
  DrawScene3D(scene);

  const Frame& root = scene.RenderFrame[0];
  EXPECT_EQ(root.Origin.x, 100);
  EXPECT_EQ(root.TipX.x, 101);
  EXPECT_EQ(scene.RenderFrame[1].Origin.x, 2 * 150.0 + (1 - 2.0) * 100);  // about the root
  EXPECT_EQ(scene.RenderFrame[1].Origin.y, 2 * 160.0 + (1 - 2.0) * 120);
  EXPECT_EQ(scene.RenderFrame[1].TipZ.z, 2);
  const Frame& grandchild = scene.RenderFrame[2];
  const double s = std::sqrt(scene.PartFrame[2].TipZ.z * scene.PartFrame[2].TipZ.z);
  EXPECT_EQ(grandchild.Origin.x, 170 + ((s * 170 + (1 - s) * 100) - 170));
  EXPECT_EQ(grandchild.TipX.y, scene.PartFrame[2].TipX.y + ((s * 190 + (1 - s) * 120) - 190));
  EXPECT_EQ(scene.PartFrame[2].Origin.x, 170);  // the pose itself is left alone
}

// The pass as built (on one thread and on several at once) and with the
// plain fill, against the plain pass, on copies of one scene; in outline mode
// too, where the order of the walk shows.
void expectSameAsPlainPass(const Scene& start) {
  Scene plain = start;
  test::PlainDrawScene3D(plain);
  EXPECT_GT(ownedPixels(plain, 0) + ownedPixels(plain, 1), 0);
  for (const int threads : {1, 2, 7}) {
    Scene fast = start;
    DrawScene3D(fast, FillTriangle, threads);
    EXPECT_EQ(ViewDifference(fast, plain), "") << threads << " threads";
    EXPECT_EQ(std::memcmp(fast.RenderFrame.data(), plain.RenderFrame.data(),
                          sizeof(Frame) * start.PartCount),
              0);
  }
  Scene plainFill = start;
  DrawScene3D(plainFill, test::PlainFillTriangle, 1);
  EXPECT_EQ(ViewDifference(plainFill, plain), "");

  Scene outline = start;
  outline.OutlineMode = true;
  DrawScene3D(outline);
  Scene plainOutline = outline;
  test::PlainDrawScene3D(plainOutline);
  EXPECT_EQ(ViewDifference(outline, plainOutline), "");
}

TEST(RenderScene3D, WholeScenesMatchThePlainPass) {
  Scene scene = viewScene(320, 240);
  AddDomePart(scene, {.nx = 20,
                      .ny = 14,
                      .step = 9,
                      .height = 40,
                      .pivotX = 150,
                      .pivotY = 120,
                      .jitter = 0.35,
                      .seed = 3});
  AddDomePart(scene, {.nx = 12,
                      .ny = 12,
                      .step = 7,
                      .height = 25,
                      .pivotX = 190,
                      .pivotY = 110,
                      .jitter = 0.2,
                      .seed = 4});
  AddDomePart(
      scene,
      {.nx = 30, .ny = 8, .step = 3.7, .height = 10, .pivotX = 120, .pivotY = 160, .seed = 5});
  AddDomePart(scene, {.nx = 40,
                      .ny = 27,
                      .step = 2,
                      .height = 12,
                      .pivotX = 230,
                      .pivotY = 170,
                      .jitter = 0.45,
                      .seed = 6});
  scene.AncestorMatrix[3][1] = 1;  // part 2 hangs from part 0
  expectSameAsPlainPass(scene);

  // Poses that walk the parts in all four orders, and a scaled child.
  test::TurnFrame(scene.PartFrame[0], 1, 0, 0, Pi / 6);
  test::TurnFrame(scene.PartFrame[0], 0, 1, 0, Pi / 6);
  test::TurnFrame(scene.PartFrame[1], 0, std::sqrt(0.5), std::sqrt(0.5), 2.5);
  test::ScaleFrame(scene.PartFrame[2], 1.7);
  test::TurnFrame(scene.PartFrame[2], 1, 0, 0, -0.4);
  test::TurnFrame(scene.PartFrame[3], 0, 1, 0, -0.5);
  test::TurnFrame(scene.PartFrame[3], 1, 0, 0, 0.2);
  int orders = 0;
  for (int k = 0; k < 4; ++k) orders |= 1 << ChooseDrawOrder(scene.PartFrame[k]);
  EXPECT_EQ(orders, 0b11110);
  expectSameAsPlainPass(scene);

  // A coloured light from behind and to the side, strong fade, highlights.
  scene.LightDirX = 0.6;
  scene.LightDirY = -0.48;
  scene.LightDirZ = 0.64;
  scene.LightRed = 255;
  scene.LightGreen = 180;
  scene.LightBlue = 30;
  scene.FadeStart = -20;
  scene.FadeRange = 15;
  scene.SpecularSharpness = 0.2;
  expectSameAsPlainPass(scene);

  scene.BackgroundName = "haikei";
  scene.BackgroundBitmap = test::PatternPicture(320, 240, 9);
  test::TurnFrame(scene.PartFrame[0], 0, 1, 0, Pi);
  expectSameAsPlainPass(scene);
}

// Views of sizes that fill bands only in part, or are empty, over black, a
// background larger or smaller than the view, or one drawn by exclusive-or,
// filled or outlined, shown on a window larger or smaller than the view: the
// view, its buffers and the window's picture are those of the plain pass
// followed by a plain copy onto the window.
TEST(RenderScene3D, OddViewsAndTheirWindowMatchThePlainPass) {
  const struct { int width, height; } sizes[] = {{37, 70}, {65, 97}, {1, 33}, {0, 40}, {40, 0}};
  for (const auto [width, height] : sizes) {
    Scene start = viewScene(width, height);
    start.ViewBitmap.Fill(0x345678);
    AddDomePart(start, {.nx = 10,
                        .ny = 14,
                        .step = 5,
                        .height = 20,
                        .pivotX = width / 2.0,
                        .pivotY = height / 2.0,
                        .jitter = 0.3,
                        .seed = 11});
    AddDomePart(start, {.nx = 8,
                        .ny = 8,
                        .step = 6,
                        .height = 15,
                        .pivotX = width / 3.0,
                        .pivotY = height / 2.0 + 9,
                        .seed = 12});
    test::TurnFrame(start.PartFrame[1], 0, 1, 0, 0.7);
    for (int look = 0; look < 8; ++look) {
      Scene fast = start;
      fast.OutlineMode = look % 2 == 1;
      if (look >= 2) {
        fast.BackgroundName = "haikei";
        fast.BackgroundBitmap =
            test::PatternPicture(std::max(width + (look >= 4 ? -7 : 5), 0), height + 3, 13);
      }
      if (look >= 6) fast.ViewBitmap.canvas.copyMode = CopyMode::Xor;
      Scene plain = fast;
      test::PlainDrawScene3D(plain);
      for (const int threads : {1, 3}) {
        Scene drawn = fast;
        Bitmap shown(std::max(width + (look % 4 < 2 ? 3 : -5), 0),
                     height + (look % 4 < 2 ? -4 : 6));
        shown.Fill(0x9ABCDE);
        Bitmap expected = shown;
        Draw(expected, 0, 0, plain.ViewBitmap);
        DrawScene3D(drawn, FillTriangle, threads, &shown);
        const std::string what = std::to_string(width) + " x " + std::to_string(height) +
                                 ", look " + std::to_string(look) + ", " + std::to_string(threads) +
                                 " threads";
        EXPECT_EQ(ViewDifference(drawn, plain), "") << what;
        EXPECT_EQ(drawn.ViewBitmap, plain.ViewBitmap) << what;
        EXPECT_EQ(shown, expected) << what;
      }
    }
  }
}

// Parts stacked over one another, so that the middle bands are covered many
// times over and coloured last, nearer and farther in turn, some turned and
// some with exactly equal depths, on one thread and on several.
TEST(RenderScene3D, StackedPartsMatchThePlainPass) {
  Scene scene = viewScene(200, 150);
  for (int k = 0; k < 8; ++k) {
    AddDomePart(scene, {.nx = 14,
                        .ny = 12,
                        .step = 8.0 + k % 3,
                        .height = 10.0 + 6 * (k % 4),
                        .pivotX = 100,
                        .pivotY = 75,
                        .jitter = k % 4 == 3 ? 0.0 : 0.3,
                        .seed = static_cast<uint32_t>(k % 4 == 3 ? 30 : 20 + k)});
  }
  expectSameAsPlainPass(scene);

  test::TurnFrame(scene.PartFrame[2], 1, 0, 0, 0.3);
  test::TurnFrame(scene.PartFrame[5], 0, 1, 0, Pi);
  scene.FadeStart = -12;
  scene.FadeRange = 9;
  expectSameAsPlainPass(scene);
}

}  // namespace
}  // namespace puffel
