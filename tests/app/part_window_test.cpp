// The part window's own handlers: resizing, double clicks and closing.
#include "app/part_window.h"

#include <gtest/gtest.h>

#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::ScriptedApp;

constexpr uint32_t White = 0xFFFFFF;

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
