#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "render/part_window.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::ScriptedApp;

constexpr uint32_t White = 0xFFFFFF;

struct TextCall {
  int x, y;
  std::string text;
  uint32_t colour;
};

TEST(FlatView, EmptySceneIsBlackWithFiveWhiteHelpLines) {
  std::vector<TextCall> calls;
  SetTextRenderer([&](Bitmap&, int x, int y, const std::string& text, uint32_t colour, int) {
    calls.push_back({x, y, text, colour});
  });
  ScriptedApp program;
  SetTextRenderer(nullptr);

  EXPECT_EQ(program.form2().Caption(), "Parts No.0");
  const Bitmap& view = program.scene().ViewBitmap;
  ASSERT_EQ(view.Width(), 400);
  EXPECT_EQ(view, test::SolidPicture(400, 400, 0));
  ASSERT_EQ(calls.size(), 5u);
  const int ys[] = {10, 24, 52, 66, 94};
  for (int line = 0; line < 5; ++line) {
    EXPECT_EQ(calls[line].x, 10);
    EXPECT_EQ(calls[line].y, ys[line]);
    EXPECT_EQ(calls[line].colour, White);
  }
  EXPECT_EQ(calls[0].text, "[画像追加] ボタンをクリックして、画像を読み込んで下さい。");
  EXPECT_EQ(calls[4].text, "詳しくは readme をお読み下さい。");
  EXPECT_EQ(program.form2().Surface(), view);
}

TEST(FlatView, ShowsCutOutsOverBlackAndXorsOverlaps) {
  ScriptedApp program;
  Bitmap first = test::SolidPicture(40, 40, White);
  test::PaintBlock(first, 1, 1, 40, 40, 0x00FF00);
  Bitmap second = test::SolidPicture(20, 20, White);
  test::PaintBlock(second, 1, 1, 20, 20, 0xFF0000);
  program.AddPicture(first);
  program.AddPicture(second);
  const Scene& scene = program.scene();
  const Bitmap& view = scene.ViewBitmap;
  // Picture corners: (180, 180) and (190, 190); pivots both at (200, 200).
  EXPECT_EQ(view.Row(180)[180], 0u);         // background pixel of the first picture
  EXPECT_EQ(view.Row(182)[182], 0x00FF00u);  // the first part alone
  EXPECT_EQ(view.Row(192)[192], 0xFFFF00u);  // both parts: exclusive-or of the two
  EXPECT_EQ(view.Row(191)[190], 0x00FF00u);  // the second picture's background column
  EXPECT_EQ(view.Row(100)[100], 0u);
}

TEST(FlatView, JointMarkerIsAWhitePlusWithABlackBorder) {
  ScriptedApp program;
  program.AddPicture(test::DiscPicture(60, 60, 30, 30, 29, 0x0000FF, 0xFF0000));
  const Bitmap& view = program.scene().ViewBitmap;
  const int x = 200;
  const int y = 200;
  for (int d = -6; d <= 6; ++d) {
    EXPECT_EQ(view.Row(y)[x + d], White) << d;
    EXPECT_EQ(view.Row(y + d)[x], White) << d;
  }
  EXPECT_EQ(view.Row(y)[x - 7], 0u);
  EXPECT_EQ(view.Row(y)[x + 7], 0u);
  EXPECT_EQ(view.Row(y - 7)[x], 0u);
  EXPECT_EQ(view.Row(y + 7)[x], 0u);
  EXPECT_EQ(view.Row(y - 1)[x - 3], 0u);
  EXPECT_EQ(view.Row(y + 1)[x + 3], 0u);
  EXPECT_EQ(view.Row(y - 2)[x - 3], 0x0000FFu);  // the picture again
  // The canvas is left with a white pen and a black brush.
  EXPECT_EQ(view.canvas.penColour, White);
  EXPECT_EQ(view.canvas.brushColour, 0u);
}

TEST(PartWindow, ResizeKeepsTheSceneCentred) {
  ScriptedApp program;
  program.AddPicture(test::DiscPicture(40, 40, 20, 20, 15, 0xFF0000, White));
  Scene& scene = program.scene();
  program.Dispatch([&] { program.form2().ReportClientSize(403, 398); });
  EXPECT_EQ(scene.ViewWidth, 403);
  EXPECT_EQ(scene.PrevViewWidth, 400);
  EXPECT_EQ(scene.ViewShiftX, 1.5);
  EXPECT_EQ(scene.ViewShiftY, -1);
  EXPECT_EQ(scene.PartPosX[0], 201.5);
  EXPECT_EQ(scene.PartOffsetX[0], 181.5);
  EXPECT_EQ(scene.PartPosY[0], 199);
  EXPECT_EQ(scene.PartFrame[0].TipX.x, 202.5);
  EXPECT_EQ(scene.ViewBitmap.Width(), 403);
  EXPECT_EQ(scene.DepthBuffer.Width(), 403);
  EXPECT_EQ(scene.OwnerBuffer.Height(), 398);
  // Drawn at the truncated position: the marker centre column is 201.
  EXPECT_EQ(scene.ViewBitmap.Row(199)[201 + 6], White);
  EXPECT_EQ(scene.ViewBitmap.Row(199)[201 + 7], 0u);
}

TEST(PartWindow, EmptyWindowIsLegal) {
  ScriptedApp program;
  program.AddPicture(test::DiscPicture(40, 40, 20, 20, 15, 0xFF0000, White));
  program.Dispatch([&] { program.form2().ReportClientSize(0, 0); });
  EXPECT_EQ(program.scene().ViewBitmap.Width(), 0);
  program.form1().Button4Click();
  program.form2().FormDblClick();
  program.Dispatch([&] { program.form2().ReportClientSize(50, 50); });
  EXPECT_TRUE(program.errors.empty());
}

TEST(PartWindow, DoubleClickSwitchesOutlinesOnlyIn3D) {
  ScriptedApp program;
  program.form2().FormDblClick();
  EXPECT_FALSE(program.scene().OutlineMode);
  program.AddPicture(test::DiscPicture(40, 40, 20, 20, 15, 0xFF0000, White));
  program.form1().Button4Click();
  program.form2().FormDblClick();
  EXPECT_TRUE(program.scene().OutlineMode);
  program.form2().FormDblClick();
  EXPECT_FALSE(program.scene().OutlineMode);
}

TEST(PartWindow, ClosingItClosesTheMainWindow) {
  ScriptedApp program;
  program.form2().Close();
  EXPECT_TRUE(program.form1().Closed());
  EXPECT_EQ(program.scene().ViewBitmap.Width(), 0);  // the main window freed the bitmaps
}

}  // namespace
}  // namespace puffel
