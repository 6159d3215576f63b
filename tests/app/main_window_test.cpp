#include "app/main_window.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/canvas.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::ScriptedApp;

TEST(MainWindow, StartsWithItsDefaultsAndLabels) {
  ScriptedApp program;
  TForm1& form = program.form1();
  EXPECT_EQ(form.Caption(), "Puffel!");
  EXPECT_EQ(form.ClientWidth(), 200);
  EXPECT_EQ(form.ClientHeight(), 449);
  EXPECT_EQ(form.StaticText1.Caption(), "ﾎﾟﾘｺﾞﾝｻｲｽﾞ : 8");
  EXPECT_EQ(form.StaticText3.Caption(), "耳変換 : なし");
  EXPECT_EQ(form.StaticText2.Caption(), "ふくらみ(前) : 10");
  EXPECT_EQ(form.StaticText6.Caption(), "前面伸縮 : 1.0");
  EXPECT_EQ(form.StaticText8.Caption(), "ふくらみ(背) : 10");
  EXPECT_EQ(form.StaticText7.Caption(), "背面伸縮 : 1.0");
  EXPECT_EQ(form.Label1.Caption(), "背景：なし");
  EXPECT_EQ(form.TrackBar1.Position(), 8);
  EXPECT_EQ(form.TrackBar2.Min(), -10);
  EXPECT_EQ(form.TrackBar5.Max(), 24);

  const Scene& scene = program.scene();
  EXPECT_EQ(scene.PartCount, 0);
  EXPECT_EQ(scene.Selection, -2);
  EXPECT_DOUBLE_EQ(scene.DiffuseSharpness, 40.0 / 79);
  EXPECT_DOUBLE_EQ(scene.DiffuseGain, 75.0 / 78);
  EXPECT_DOUBLE_EQ(scene.SpecularSharpness, 74.0 / 79);
  EXPECT_DOUBLE_EQ(scene.FadeStart, std::pow(2500.0, 1.0 / 39));
  EXPECT_EQ(scene.FadeRange, 412);
  EXPECT_EQ(scene.LightDirX, 0);
  EXPECT_EQ(scene.LightDirY, 0);
  EXPECT_EQ(scene.LightDirZ, -1);
  EXPECT_EQ(scene.LightRed, 255);
}

TEST(MainWindow, SliderLabelsFollowTheirSliders) {
  ScriptedApp program;
  TForm1& form = program.form1();
  form.TrackBar2.SetPosition(-10);
  EXPECT_EQ(form.StaticText2.Caption(), "ふくらみ(前) : -10");
  form.TrackBar3.SetPosition(5);
  EXPECT_EQ(form.StaticText3.Caption(), "耳変換 : 5");
  form.TrackBar3.SetPosition(0);
  EXPECT_EQ(form.StaticText3.Caption(), "耳変換 : なし");
  form.TrackBar4.SetPosition(24);
  EXPECT_EQ(form.StaticText6.Caption(), "前面伸縮 : 2.4");
  form.TrackBar5.SetPosition(5);
  EXPECT_EQ(form.StaticText7.Caption(), "背面伸縮 : 0.5");
  form.TrackBar5.SetPosition(0);
  EXPECT_EQ(form.StaticText7.Caption(), "背面伸縮 : 0.0");
  form.TrackBar6.SetPosition(99);  // clamped to the range
  EXPECT_EQ(form.StaticText8.Caption(), "ふくらみ(背) : 20");
  form.TrackBar1.SetPosition(32);
  EXPECT_EQ(form.StaticText1.Caption(), "ﾎﾟﾘｺﾞﾝｻｲｽﾞ : 32");
}

TEST(MainWindow, ViewSwitchAndRemovalDoNothingWithoutParts) {
  ScriptedApp program;
  const Bitmap before = program.scene().ViewBitmap;
  program.form1().Button4Click();
  program.form1().SpeedButton2Click();
  program.form1().SpeedButton3Click();
  EXPECT_FALSE(program.scene().View3D);
  EXPECT_EQ(program.scene().PartCount, 0);
  EXPECT_TRUE(program.messages.empty());
}

TEST(MainWindow, LeavingThe3DViewResetsEveryPose) {
  ScriptedApp program;
  program.AddPicture(test::DiscPicture(40, 40, 20, 20, 15, 0xFF0000, 0xFFFFFF));
  Scene& scene = program.scene();
  ASSERT_EQ(scene.PartCount, 1);
  program.form1().Button4Click();
  EXPECT_TRUE(scene.View3D);
  scene.PartFrame[0].TipX.z = 0.5;
  program.form1().Button4Click();
  EXPECT_FALSE(scene.View3D);
  EXPECT_EQ(scene.PartFrame[0].TipX.z, 0);
  EXPECT_EQ(scene.PartFrame[0].TipX.x, scene.PartPosX[0] + 1);
}

TEST(MainWindow, CancelledAddInThe3DViewLeavesItWithPosesReset) {
  ScriptedApp program;
  program.AddPicture(test::DiscPicture(40, 40, 20, 20, 15, 0xFF0000, 0xFFFFFF));
  Scene& scene = program.scene();
  program.form1().Button4Click();
  scene.PartFrame[0].Origin.z = 3;
  program.Answer(std::nullopt);
  program.Dispatch([&] { program.form1().Button1.Click(); });
  EXPECT_FALSE(scene.View3D);
  EXPECT_EQ(scene.PartFrame[0].Origin.z, 0);
  EXPECT_EQ(scene.PartCount, 1);
  // The part window shows the flat view again: the joint marker's white centre.
  const int x = static_cast<int>(scene.PartPosX[0]);
  const int y = static_cast<int>(scene.PartPosY[0]);
  EXPECT_EQ(scene.ViewBitmap.Row(y)[x] & 0xFFFFFF, 0xFFFFFFu);
}

TEST(MainWindow, RemovingTheLastPartReturnsToAnEmptyFlatView) {
  ScriptedApp program;
  program.AddPicture(test::DiscPicture(40, 40, 20, 20, 15, 0xFF0000, 0xFFFFFF));
  program.AddPicture(test::DiscPicture(40, 40, 20, 20, 15, 0x00FF00, 0xFFFFFF));
  Scene& scene = program.scene();
  program.form1().Button4Click();
  program.form1().SpeedButton2Click();
  EXPECT_EQ(scene.PartCount, 1);
  EXPECT_TRUE(scene.View3D);
  program.form1().SpeedButton2Click();
  EXPECT_EQ(scene.PartCount, 0);
  EXPECT_FALSE(scene.View3D);
  EXPECT_EQ(program.form2().Caption(), "Parts No.0");
  EXPECT_EQ(scene.ViewBitmap.Row(200)[200], 0u);

  program.AddPicture(test::DiscPicture(40, 40, 20, 20, 15, 0xFF0000, 0xFFFFFF));
  program.form1().SpeedButton3Click();
  EXPECT_EQ(scene.PartCount, 0);
}

TEST(LightWheel, IsWhiteInTheMiddleAndRingedInBlack) {
  ScriptedApp program;
  const Bitmap& wheel = program.scene().LightPickerBitmap;
  EXPECT_EQ(CanvasPixel(wheel, 54, 54), 0xFFFFFFu);
  EXPECT_EQ(CanvasPixel(wheel, 54, 14), 0u);  // tick mark at the top
  EXPECT_EQ(CanvasPixel(wheel, 55, 14), 0u);  // the ring just outside radius 40
  EXPECT_EQ(CanvasPixel(wheel, 54, 13), 0xF0F0F0u);
  EXPECT_EQ(CanvasPixel(wheel, 0, 0), 0xF0F0F0u);
  // Left end of the wheel: red, half-saturated (s = 39/80 at column 1).
  const uint32_t left = CanvasPixel(wheel, 15, 54);
  const double s = std::sqrt(39.0 * 39.0) / 80;
  EXPECT_EQ(left & 0xFF, static_cast<uint32_t>((1 - s) * 255 + s * 255));
  EXPECT_EQ((left >> 8) & 0xFF, static_cast<uint32_t>((1 - s) * 255));
  EXPECT_EQ(left >> 16, static_cast<uint32_t>((1 - s) * 255));
}

}  // namespace
}  // namespace puffel
