#include "app/dropped_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "support/picture_encoders.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::ScriptedApp;

constexpr uint32_t White = 0xFFFFFF;

// Pictures of three formats in "obj": a bitmap disc, a PNG and a GIF.
std::vector<std::string> threePictures(const ScriptedApp& program) {
  const std::string obj = program.folder() / "obj/";
  SaveBitmapFile(obj + "disc.bmp", test::DiscPicture(24, 20, 12, 10, 8, 0xFF0000, White));
  test::PngImage png{.width = 6, .height = 5, .colourType = 2};
  for (int i = 0; i < 30; ++i) {
    const bool inside = i % 6 > 0 && i % 6 < 5 && i / 6 > 0 && i / 6 < 4;
    png.samples.insert(png.samples.end(), {static_cast<uint16_t>(inside ? 0 : 255), 255, 255});
  }
  const test::Bytes pngBytes = EncodePng(png);
  WriteFileBytes(obj + "square.PNG", std::string(pngBytes.begin(), pngBytes.end()));
  test::GifImage gif{.width = 7, .height = 7, .palette = {255, 255, 255, 0, 0, 255}};
  for (int i = 0; i < 49; ++i) gif.indices.push_back(i % 7 == 3 || i / 7 == 3 ? 1 : 0);
  const test::Bytes gifBytes = EncodeGif(gif);
  WriteFileBytes(obj + "cross.gif", std::string(gifBytes.begin(), gifBytes.end()));
  return {obj + "disc.bmp", obj + "square.PNG", obj + "cross.gif"};
}

// The file a drop took is its own: the next click of the button asks for one.
void expectTheNextAddAsks(ScriptedApp& program) {
  const int parts = program.scene().PartCount;
  program.Answer(std::nullopt);
  program.Dispatch([&] { program.form1().Button1.Click(); });
  EXPECT_EQ(program.PendingAnswers(), 0u);
  EXPECT_EQ(program.scene().PartCount, parts);
}

void drop(ScriptedApp& program, Form& window, const std::vector<std::string>& paths) {
  program.Dispatch([&] { window.OnDropFiles(paths); });
}

TEST(DropFiles, PicturesBecomePartsInTheOrderDroppedOnEitherWindow) {
  ScriptedApp program;
  const std::vector<std::string> pictures = threePictures(program);
  drop(program, program.form2(), pictures);
  const Scene& scene = program.scene();
  ASSERT_EQ(scene.PartCount, 3);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(PartFilePath(scene, k), pictures[k]);
  EXPECT_EQ(scene.PartPicture[1].Width(), 6);
  EXPECT_TRUE(FileExists(program.folder() / "save/square.PNG2"));
  EXPECT_TRUE(program.messages.empty());
  EXPECT_TRUE(program.errors.empty());

  drop(program, program.form1(), {pictures[2]});
  EXPECT_EQ(scene.PartCount, 4);
  expectTheNextAddAsks(program);
}

// Each dropped picture is one step of the history, as each click of the
// button is; a dropped project starts a new history, as a load does.
TEST(DropFiles, EachPictureIsAStepAndAProjectStartsANewHistory) {
  ScriptedApp program;
  const std::vector<std::string> pictures = threePictures(program);
  drop(program, program.form2(), pictures);
  const SceneHistory& history = program.app().history;
  EXPECT_EQ(history.DoneCount(), 3u);
  program.Dispatch([&] { program.form1().Undo.Click(); });
  EXPECT_EQ(program.scene().PartCount, 2);
  const std::string project = program.folder() / "save/two.dat";
  program.Answer(project);
  program.Dispatch([&] { program.form1().SpeedButton4.Click(); });
  drop(program, program.form1(), {project});
  EXPECT_EQ(program.scene().PartCount, 2);
  EXPECT_EQ(history.StepCount(), 0u);
}

TEST(DropFiles, ADropLeavesTheThreeDViewAsTheButtonDoes) {
  ScriptedApp program;
  const std::vector<std::string> pictures = threePictures(program);
  drop(program, program.form2(), {pictures[0]});
  program.Dispatch([&] { program.form1().Button4.Click(); });
  ASSERT_TRUE(program.scene().View3D);
  drop(program, program.form2(), {pictures[1]});
  EXPECT_FALSE(program.scene().View3D);
  EXPECT_EQ(program.scene().PartCount, 2);
}

TEST(DropFiles, OneProjectIsLoadedAsTheLoadButtonLoadsIt) {
  ScriptedApp program;
  const std::vector<std::string> pictures = threePictures(program);
  drop(program, program.form2(), {pictures[0], pictures[1]});
  const std::string project = program.folder() / "save/two.dat";
  program.Answer(project);
  program.Dispatch([&] { program.form1().SpeedButton4.Click(); });
  program.Dispatch([&] { program.form1().SpeedButton3.Click(); });
  ASSERT_EQ(program.scene().PartCount, 0);

  drop(program, program.form1(), {project});
  EXPECT_EQ(program.scene().PartCount, 2);
  EXPECT_EQ(PartFilePath(program.scene(), 1), pictures[1]);
  expectTheNextAddAsks(program);

  WriteFileBytes(program.folder() / "save/short.DAT", "too short");
  drop(program, program.form2(), {program.folder() / "save/short.DAT"});
  EXPECT_EQ(program.scene().PartCount, 2);
  EXPECT_EQ(program.messages, std::vector<std::string>{"データファイルが壊れています！"});
}

TEST(DropFiles, AnythingElseIsRefusedByNameAndChangesNothing) {
  ScriptedApp program;
  const std::vector<std::string> pictures = threePictures(program);
  drop(program, program.form2(), {pictures[0]});
  program.Dispatch([&] { program.form1().Button4.Click(); });
  const std::string project = program.folder() / "save/a.dat";
  const std::vector<std::vector<std::string>> refused = {
      {pictures[1], program.folder() / "obj/notes.txt"},
      {project, pictures[1]},
      {project, project},
      {program.folder() / "obj/picture.tif"}};
  for (const auto& paths : refused) drop(program, program.form2(), paths);
  EXPECT_EQ(program.messages,
            (std::vector<std::string>{
                "読み込めないファイルです：notes.txt", "読み込めないファイルです：a.dat",
                "読み込めないファイルです：a.dat", "読み込めないファイルです：picture.tif"}));
  EXPECT_EQ(program.scene().PartCount, 1);
  EXPECT_TRUE(program.scene().View3D);
}

TEST(DropFiles, TheThirtyThirdPictureEndsTheDropWithTheButtonsMessage) {
  ScriptedApp program;
  const std::vector<std::string> pictures = threePictures(program);
  const Bitmap small = test::DiscPicture(8, 8, 4, 4, 3, 0xFF0000, White);
  for (int k = 0; k < 31; ++k) program.AddPicture(small);
  drop(program, program.form2(), pictures);
  EXPECT_EQ(program.scene().PartCount, 32);
  EXPECT_EQ(program.messages, std::vector<std::string>{"これ以上は読み込めません！"});
  // The files the drop did not use are gone: with room again, the next add asks.
  program.Dispatch([&] { program.form1().SpeedButton2.Click(); });
  expectTheNextAddAsks(program);
}

TEST(DropFiles, AnUnreadablePictureIsReportedAndEndsTheDrop) {
  ScriptedApp program;
  const std::vector<std::string> pictures = threePictures(program);
  const std::string broken = program.folder() / "obj/broken.png";
  WriteFileBytes(broken, "\x89PNG\r\n\x1a\n cut short");
  drop(program, program.form2(), {pictures[0], broken, pictures[1]});
  EXPECT_EQ(program.scene().PartCount, 1);
  ASSERT_EQ(program.errors.size(), 1u);
  EXPECT_NE(program.errors[0].find(broken), std::string::npos);
}

TEST(DropFiles, BothSidesStillAskForTheBackPicture) {
  ScriptedApp program;
  const std::vector<std::string> pictures = threePictures(program);
  program.form1().CheckBox3.SetChecked(true);
  program.Answer(pictures[2]);
  drop(program, program.form2(), {pictures[1]});
  ASSERT_EQ(program.scene().PartCount, 1);
  EXPECT_EQ(PartFilePath(program.scene(), 0), pictures[1]);
  EXPECT_EQ(program.scene().PartBackPicture[0].Width(), 6);  // the GIF, scaled to the front
  EXPECT_NE(program.scene().PartBackPicture[0], program.scene().PartPicture[0]);
}

}  // namespace
}  // namespace puffel
