#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/background_picture.h"
#include "app/main_window.h"
#include "app/part_window.h"
#include "app/view_export.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::ScriptedApp;

void setBackground(ScriptedApp& program, const Bitmap& picture, const std::string& name) {
  const std::string path = program.folder() / ("haikei/" + name);
  if (!picture.Empty()) SaveBitmapFile(path, picture);
  program.Answer(path);
  program.Dispatch([&] { program.form1().Button2.Click(); });
}

TEST(Background, NamesDropTheFolderAndTheExtension) {
  EXPECT_EQ(BackgroundNameOf("/a/b/sky.bmp"), "sky");
  EXPECT_EQ(BackgroundNameOf("C:\\pics\\sky.night.bmp"), "sky.night");
  EXPECT_EQ(BackgroundNameOf("sky"), "sky");
  EXPECT_EQ(BackgroundNameOf("/a/.bmp"), ".bmp");
}

TEST(Background, TheViewTakesThePicturesSizeAndTheSceneMovesOnce) {
  ScriptedApp program;
  program.AddPicture(test::DiscPicture(60, 40, 30, 20, 18, 0xFF0000, 0xFFFFFF));
  Scene& scene = program.scene();
  scene.PartFrame[0].TipY = {10.5, -3, 2};
  const Scene before = scene;

  setBackground(program, test::SolidPicture(300, 200, 0x336699), "sky.bmp");
  ASSERT_TRUE(program.errors.empty());
  const TForm2& form2 = program.form2();
  EXPECT_EQ(program.form1().OpenPictureDialog2.initialDir, program.folder() / "haikei");
  EXPECT_EQ(scene.BackgroundName, "sky");
  EXPECT_EQ(program.form1().Label1.Caption(), "背景：sky");
  EXPECT_EQ(form2.GetBorderStyle(), BorderStyle::Single);
  EXPECT_FALSE(form2.GetBorderIcons().maximize);
  EXPECT_TRUE(form2.GetBorderIcons().minimize);
  EXPECT_EQ(form2.ClientWidth(), 300);
  EXPECT_EQ(form2.ClientHeight(), 200);
  EXPECT_EQ(scene.ViewWidth, 300);
  EXPECT_EQ(scene.ViewBitmap.Height(), 200);
  EXPECT_EQ(scene.DepthBuffer.Width(), 300);
  EXPECT_EQ(scene.OwnerBuffer.Height(), 200);
  EXPECT_EQ(scene.PartPosX[0], before.PartPosX[0] - 50);
  EXPECT_EQ(scene.PartPosY[0], before.PartPosY[0] - 100);
  EXPECT_EQ(scene.PartOffsetX[0], before.PartOffsetX[0] - 50);
  EXPECT_EQ(scene.PartOffsetY[0], before.PartOffsetY[0] - 100);
  EXPECT_EQ(scene.PartFrame[0].TipY.x, 10.5 - 50);
  EXPECT_EQ(scene.PartFrame[0].TipY.y, -3 - 100);
  EXPECT_EQ(scene.PartFrame[0].Origin.y, before.PartFrame[0].Origin.y - 100);
  EXPECT_EQ(scene.ViewBitmap.Row(0)[0], 0x336699u);  // drawn behind the flat view

  // Clearing keeps the size and makes the window sizeable; only the 3D view
  // is redrawn.
  scene.ViewBitmap.Row(0)[0] = 1;
  program.form1().Button3Click();
  EXPECT_EQ(scene.BackgroundName, "");
  EXPECT_EQ(program.form1().Label1.Caption(), "背景：なし");
  EXPECT_EQ(form2.GetBorderStyle(), BorderStyle::Sizeable);
  EXPECT_TRUE(form2.GetBorderIcons().maximize);
  EXPECT_EQ(form2.ClientWidth(), 300);
  EXPECT_EQ(scene.ViewBitmap.Row(0)[0], 1u);
  program.form1().Button4Click();
  scene.ViewBitmap.Row(0)[0] = 1;
  program.form1().Button3Click();  // nothing set: not even a redraw
  EXPECT_EQ(scene.ViewBitmap.Row(0)[0], 1u);
}

TEST(Background, SameSizeIsRedrawnAndAnUnreadablePictureKeepsTheWindow) {
  ScriptedApp program;
  Scene& scene = program.scene();
  setBackground(program, test::SolidPicture(400, 400, 0x102030), "same.bmp");
  EXPECT_EQ(scene.ViewBitmap.Row(5)[5], 0x102030u);
  program.form1().Button3Click();

  WriteFileBytes(program.folder() / "haikei/bad.bmp", "not a bitmap");
  setBackground(program, Bitmap(), "bad.bmp");
  EXPECT_EQ(program.errors.size(), 1u);
  EXPECT_EQ(scene.BackgroundName, "bad");
  EXPECT_EQ(program.form1().Label1.Caption(), "背景：bad");
  EXPECT_EQ(program.form2().GetBorderStyle(), BorderStyle::Sizeable);
  EXPECT_EQ(scene.ViewWidth, 400);

  setBackground(program, Bitmap(), "missing.bmp");
  program.Answer(std::nullopt);
  program.Dispatch([&] { program.form1().Button2.Click(); });
  EXPECT_EQ(program.errors.size(), 1u);
  EXPECT_EQ(scene.BackgroundName, "bad");
}

TEST(ViewExport, NamesEndInDotBmp) {
  EXPECT_EQ(ExportFilePath("pose"), "pose.bmp");
  EXPECT_EQ(ExportFilePath("pose.bmp"), "pose.bmp");
  EXPECT_EQ(ExportFilePath("pose.BMP"), "pose.BMP");
  EXPECT_EQ(ExportFilePath("pose.Bmp"), "pose.Bmp.bmp");
  EXPECT_EQ(ExportFilePath("ab"), "ab.bmp");
}

TEST(ViewExport, WritesTheViewAsTheLastRedrawLeftIt) {
  ScriptedApp program;
  program.Dispatch([&] { program.form1().SpeedButton1.Click(); });  // no answer queued
  EXPECT_EQ(program.messages, std::vector<std::string>{"まだ画像を読み込んでいません！"});

  program.AddPicture(test::DiscPicture(60, 40, 30, 20, 18, 0xFF0000, 0xFFFFFF));
  setBackground(program, test::SolidPicture(640, 480, 0x445566), "wide.bmp");
  Scene& scene = program.scene();
  scene.ViewBitmap.Row(479)[639] = 0x00ABCDEF;
  program.Answer(program.folder() / "pic_hozon/pose");
  program.Dispatch([&] { program.form1().SpeedButton1.Click(); });
  const FileDialog& dialog = program.form1().SaveDialog2;
  EXPECT_EQ(dialog.initialDir, program.folder() / "pic_hozon");
  EXPECT_EQ(dialog.filterIndex, 1);
  EXPECT_EQ(scene.ExportFileName, program.folder() / "pic_hozon/pose.bmp");
  const std::string bytes = ReadFileBytes(scene.ExportFileName);
  EXPECT_EQ(bytes[28], 32);  // bits per pixel
  Bitmap exported;
  LoadBitmapFile(scene.ExportFileName, exported);
  EXPECT_EQ(exported, scene.ViewBitmap);
  EXPECT_EQ(exported.Width(), 640);
}

// A failed write is reported and leaves neither a half-written file nor the
// temporary one behind; an existing file survives.
TEST(ViewExport, FailedWritesLeaveTheFolderAsItWas) {
  ScriptedApp program;
  program.AddPicture(test::DiscPicture(60, 40, 30, 20, 18, 0xFF0000, 0xFFFFFF));
  const std::string folder = program.folder() / "pic_hozon/";
  std::filesystem::create_directory(folder + "taken.bmp");
  WriteFileBytes(folder + "taken.bmp/keep", "kept");
  program.Answer(folder + "taken.bmp");
  program.Dispatch([&] { program.form1().SpeedButton1.Click(); });
  program.Answer(folder + "missing/pose.bmp");
  program.Dispatch([&] { program.form1().SpeedButton1.Click(); });
  EXPECT_EQ(program.errors.size(), 2u);
  EXPECT_EQ(ReadFileBytes(folder + "taken.bmp/keep"), "kept");
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    EXPECT_EQ(entry.path().filename(), "taken.bmp");
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace puffel
