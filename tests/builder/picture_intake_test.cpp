#include "builder/picture_intake.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::ScriptedApp;

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Red = 0xFF0000;

Bitmap smallDisc(uint32_t colour = Red) {
  return test::DiscPicture(24, 20, 12, 10, 8, colour, White);
}

TEST(PictureIntake, MaskAndCutoutFollowTheTopLeftColour) {
  ScriptedApp program;
  Bitmap picture = smallDisc();
  picture.Row(0)[0] = 0x123456;  // the top-left pixel decides the background
  picture.Row(19)[23] = 0x123456;
  program.AddPicture(picture);
  const Scene& scene = program.scene();
  ASSERT_EQ(scene.PartCount, 1);
  EXPECT_EQ(scene.BackgroundColour, 0x563412u);
  EXPECT_EQ(scene.PartMask[0].Row(19)[23], White);
  EXPECT_EQ(scene.PartCutout[0].Row(19)[23], 0u);
  EXPECT_EQ(scene.PartMask[0].Row(1)[1], 0u);  // white is foreground now
  EXPECT_EQ(scene.PartCutout[0].Row(1)[1], White);
  EXPECT_EQ(scene.PartCutout[0].Row(10)[12], Red);
  EXPECT_EQ(scene.PartPicture[0].Row(10)[12], Red);
}

TEST(PictureIntake, ComparesColoursInCanvasOrder) {
  Bitmap cutout = test::SolidPicture(2, 1, 0x0000FF);  // pure blue row pixel
  Bitmap mask = cutout;
  MakeCutoutAndMask(cutout, mask, 0xFF0000);  // pure blue canvas colour
  EXPECT_EQ(cutout.Row(0)[0], 0u);
  EXPECT_EQ(mask.Row(0)[1], White);
}

TEST(PictureIntake, AllBackgroundPictureGivesAnEmptySilhouette) {
  ScriptedApp program;
  program.AddPicture(test::SolidPicture(10, 10, 0x00FF00));
  const Scene& scene = program.scene();
  ASSERT_EQ(scene.PartCount, 1);
  EXPECT_EQ(scene.PartCutout[0], test::SolidPicture(10, 10, 0));
  EXPECT_EQ(scene.PartMask[0], test::SolidPicture(10, 10, White));
}

TEST(PictureIntake, CentresThePartInThePartWindow) {
  ScriptedApp program;
  program.Dispatch([&] { program.form2().ReportClientSize(301, 200); });
  program.AddPicture(test::DiscPicture(100, 51, 50, 25, 20, Red, White));
  const Scene& scene = program.scene();
  EXPECT_EQ(scene.PartPosX[0], 150);
  EXPECT_EQ(scene.PartOffsetX[0], 100);
  EXPECT_EQ(scene.PartPosY[0], 100);
  EXPECT_EQ(scene.PartOffsetY[0], 74);
}

TEST(PictureIntake, WritesFourCopiesNamedAfterTheWholeFileName) {
  ScriptedApp program;
  program.AddPicture(smallDisc(), "cat.bmp");
  const Scene& scene = program.scene();
  const std::string save = program.folder() / "save/";
  Bitmap copy;
  LoadBitmapFile(save + "cat.bmp1", copy);
  EXPECT_EQ(copy, scene.PartCutout[0]);
  LoadBitmapFile(save + "cat.bmp2", copy);
  EXPECT_EQ(copy, scene.PartMask[0]);
  LoadBitmapFile(save + "cat.bmp3", copy);
  EXPECT_EQ(copy, scene.PartPicture[0]);
  LoadBitmapFile(save + "cat.bmp4", copy);
  EXPECT_EQ(copy, scene.PartBackPicture[0]);
  EXPECT_EQ(PartFilePath(scene, 0), program.folder() / "obj/cat.bmp");
}

TEST(PictureIntake, BackPictureFromAnotherFileIsScaledToTheFront) {
  ScriptedApp program;
  program.form1().CheckBox3.SetChecked(true);
  Bitmap back = test::SolidPicture(12, 10, 0x0000FF);
  back.Row(9)[11] = 0x00FF00;
  const std::string backPath = program.folder() / "obj/back.bmp";
  SaveBitmapFile(backPath, back);
  program.Answer(program.folder() / "obj/front.bmp");
  program.Answer(backPath);
  SaveBitmapFile(program.folder() / "obj/front.bmp", smallDisc());
  program.Dispatch([&] { program.form1().Button1.Click(); });

  const Scene& scene = program.scene();
  ASSERT_EQ(scene.PartCount, 1);
  const Bitmap& scaled = scene.PartBackPicture[0];
  ASSERT_EQ(scaled.Width(), 24);
  ASSERT_EQ(scaled.Height(), 20);
  EXPECT_EQ(scaled.Row(0)[0], 0x0000FFu);
  EXPECT_EQ(scaled.Row(19)[23], 0x00FF00u);  // (23 * 12 / 24, 19 * 10 / 20) = (11, 9)
  EXPECT_EQ(scaled.Row(17)[21], 0x0000FFu);  // (10, 8)
  EXPECT_EQ(PartFilePath(scene, 0), program.folder() / "obj/front.bmp");
}

TEST(PictureIntake, PictureOfTheWantedSizeIsHandedOverNotCopied) {
  Bitmap source = smallDisc();
  const Bitmap original = source;
  Bitmap target;
  target.canvas.penColour = 0x0000FF;
  TakeScaledPicture(source, 24, 20, target);
  EXPECT_EQ(target, original);
  EXPECT_EQ(target.canvas.penColour, 0x0000FFu);
  EXPECT_TRUE(source.Empty());

  // A target drawn onto with another copy mode gets what drawing gives.
  Bitmap xored = test::SolidPicture(24, 20, White);
  xored.canvas.copyMode = CopyMode::Xor;
  source = original;
  TakeScaledPicture(source, 24, 20, xored);
  EXPECT_EQ(xored.Row(10)[12], Red ^ White);
  EXPECT_EQ(source, original);
}

TEST(PictureIntake, SingleFileGivesTheBackPictureTheFrontFilesPicture) {
  ScriptedApp program;
  program.AddPicture(smallDisc(0x3366CC));
  const Scene& scene = program.scene();
  ASSERT_EQ(scene.PartCount, 1);
  Bitmap file;
  LoadBitmapFile(program.folder() / "obj/part.bmp", file);
  // Away from the bled rim both pictures are the file's picture.
  for (const Bitmap* picture : {&scene.PartPicture[0], &scene.PartBackPicture[0]}) {
    ASSERT_EQ(picture->Width(), 24);
    EXPECT_EQ(picture->Row(10)[12], file.Row(10)[12]);
    EXPECT_EQ(picture->Row(0)[0], file.Row(0)[0]);
  }
  EXPECT_EQ(scene.PartPicture[0], scene.PartBackPicture[0]);
}

TEST(PictureIntake, CancelledOrMissingFilesEndSilently) {
  ScriptedApp program;
  program.Answer(std::nullopt);
  program.Dispatch([&] { program.form1().Button1.Click(); });
  program.Answer(program.folder() / "obj/missing.bmp");
  program.Dispatch([&] { program.form1().Button1.Click(); });
  program.form1().CheckBox3.SetChecked(true);
  SaveBitmapFile(program.folder() / "obj/front.bmp", smallDisc());
  program.Answer(program.folder() / "obj/front.bmp");
  program.Answer(std::nullopt);
  program.Dispatch([&] { program.form1().Button1.Click(); });
  EXPECT_EQ(program.scene().PartCount, 0);
  EXPECT_TRUE(program.messages.empty());
  EXPECT_TRUE(program.errors.empty());
}

TEST(PictureIntake, UnreadablePictureIsReportedAndNotCounted) {
  ScriptedApp program;
  const std::string path = program.folder() / "obj/broken.bmp";
  WriteFileBytes(path, "BM not really a bitmap");
  program.Answer(path);
  program.Dispatch([&] { program.form1().Button1.Click(); });
  EXPECT_EQ(program.scene().PartCount, 0);
  EXPECT_EQ(program.errors.size(), 1u);
  EXPECT_EQ(program.form2().Caption(), "Parts No.0");
}

TEST(PictureIntake, RefusesOverlongPaths) {
  ScriptedApp program;
  const std::string folder = program.folder() / std::string(200, 'd');
  std::filesystem::create_directory(folder);
  const std::string path = folder + "/" + std::string(60, 'f') + ".bmp";
  SaveBitmapFile(path, smallDisc());
  program.Answer(path);
  program.Dispatch([&] { program.form1().Button1.Click(); });
  EXPECT_EQ(program.scene().PartCount, 0);
  ASSERT_EQ(program.messages.size(), 1u);
  EXPECT_EQ(program.messages[0], "ファイル名が長すぎます！");
}

TEST(PictureIntake, AcceptsThirtyTwoPartsAndRefusesTheNext) {
  ScriptedApp program;
  const Bitmap picture = test::DiscPicture(8, 8, 4, 4, 3, Red, White);
  for (int k = 0; k < 32; ++k) program.AddPicture(picture);
  EXPECT_EQ(program.scene().PartCount, 32);
  EXPECT_TRUE(program.messages.empty());
  // No answer is queued: the refusal must come before any dialog opens.
  program.Dispatch([&] { program.form1().Button1.Click(); });
  EXPECT_EQ(program.scene().PartCount, 32);
  ASSERT_EQ(program.messages.size(), 1u);
  EXPECT_EQ(program.messages[0], "これ以上は読み込めません！");
}

TEST(PictureIntake, MissingSaveFolderStillFinishesThePart) {
  ScriptedApp program;
  program.AddPicture(smallDisc());
  std::filesystem::remove_all(program.folder() / "save");
  program.AddPicture(smallDisc(0x00FF00));
  const Scene& scene = program.scene();
  EXPECT_EQ(scene.PartCount, 2);
  EXPECT_EQ(program.errors.size(), 1u);
  EXPECT_EQ(scene.ParentMatrix[2][1], 1);  // linked to the part under its pivot
  EXPECT_EQ(program.form1().ProgressBar1.Position(), 0);
}

}  // namespace
}  // namespace puffel
