// Projects with soft joints: the switch and the reach saved beside the
// project file, loaded with it, kept by the history; damaged settings files
// refused like damaged projects.
#include <gtest/gtest.h>

#include <string>

#include "app/main_window.h"
#include "app/part_window.h"
#include "export/posed_figures.h"
#include "platform/paths.h"
#include "project/joint_settings_file.h"
#include "support/scripted_app.h"

namespace puffel {
namespace {

using test::ScriptedApp;

void choose(ScriptedApp& program, MenuEntry& entry) {
  program.Dispatch([&] { entry.Click(); });
}

void save(ScriptedApp& program, const std::string& path) {
  program.Answer(path);
  choose(program, program.form1().Save);
}

void load(ScriptedApp& program, const std::string& path) {
  program.Answer(path);
  choose(program, program.form1().Open);
}

bool shows(ScriptedApp& program, bool soft, int reach) {
  const TForm1& f = program.form1();
  return program.scene().SoftJoints == soft && program.scene().JointReach == reach &&
         f.SoftJoints.Checked() == soft && f.JointReach1.Checked() == (reach == 1) &&
         f.JointReach2.Checked() == (reach == 2) && f.JointReach3.Checked() == (reach == 3);
}

TEST(SoftJointsProject, TheSettingIsSavedBesideTheProjectLoadedAndUndone) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  TForm1& f = program->form1();
  const std::string dat = program->folder() / "save/figure.dat";
  const std::string joints = program->folder() / "save/figure.joints";
  save(*program, dat);
  EXPECT_FALSE(FileExists(joints));  // off and reaching 2: the project as it always was
  program->Dispatch([&] { program->form2().FormPaint(); });
  const Bitmap rigidView = program->scene().ViewBitmap;

  choose(*program, f.SoftJoints);
  choose(*program, f.JointReach3);
  EXPECT_TRUE(shows(*program, true, 3));
  EXPECT_FALSE(program->scene().ViewBitmap == rigidView);
  save(*program, dat);
  EXPECT_EQ(ReadFileBytes(joints), EncodeJointSettings({true, 3}));

  choose(*program, f.Undo);
  EXPECT_TRUE(shows(*program, true, 2));
  choose(*program, f.Undo);
  EXPECT_TRUE(shows(*program, false, 2));
  EXPECT_TRUE(program->scene().ViewBitmap == rigidView);
  choose(*program, f.Redo);
  EXPECT_TRUE(shows(*program, true, 2));

  load(*program, dat);
  EXPECT_TRUE(shows(*program, true, 3));
  // Switched off and saved over: the file left beside says so.
  choose(*program, f.SoftJoints);
  save(*program, dat);
  load(*program, dat);
  EXPECT_TRUE(shows(*program, false, 3));
  EXPECT_TRUE(program->errors.empty() && program->messages.empty());
}

TEST(SoftJointsProject, ADamagedSettingsFileIsRefusedAndLeavesTheScene) {
  auto program = test::FigureProgram();
  const std::string dat = program->folder() / "save/figure.dat";
  const std::string joints = program->folder() / "save/figure.joints";
  choose(*program, program->form1().SoftJoints);
  save(*program, dat);
  choose(*program, program->form1().JointReach1);
  const std::string good = ReadFileBytes(joints);
  std::string flag = good;
  flag[8] = 2;
  std::string version = good;
  version[4] = 2;
  for (const std::string& bytes : {good.substr(0, 9), good + "x", "PFSX" + good.substr(4), flag,
                                   version, good.substr(0, 9) + '\0', good.substr(0, 9) + '\4'}) {
    WriteFileBytes(joints, bytes);
    const size_t messages = program->messages.size();
    load(*program, dat);
    ASSERT_EQ(program->messages.size(), messages + 1);
    EXPECT_EQ(program->messages.back(), "データファイルが壊れています！");
    EXPECT_TRUE(shows(*program, true, 1));
  }
}

}  // namespace
}  // namespace puffel
