// Projects with soft joints: the switch and the reach saved beside the
// project file, loaded with it and kept by the history; damaged settings files
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

// Chooses the entry, with the dialog's answer first when one is given.
void choose(test::ScriptedApp& program, MenuEntry& entry, const std::string& answer = "") {
  if (!answer.empty()) program.Answer(answer);
  program.Dispatch([&] { entry.Click(); });
}

// The scene's soft joints as a settings file's bytes, and whether the menu
// shows them so.
std::string shown(test::ScriptedApp& program) {
  const AnimationMenu& menu = program.form2().Animation;
  const JointSettings settings{program.scene().SoftJoints, program.scene().JointReach};
  bool checks = menu.SoftJoints.Checked() == settings.soft;
  for (size_t n = 0; n < menu.JointReach.size(); ++n) {
    checks &= menu.JointReach[n].Checked() == (settings.reach == static_cast<int>(n) + 1);
  }
  return EncodeJointSettings(settings) + (checks ? "" : " not shown");
}

TEST(SoftJointsProject, TheSettingIsSavedLoadedUndoneAndDamagedFilesAreRefused) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  TForm1& f = program->form1();
  AnimationMenu& a = program->form2().Animation;
  const std::string dat = program->folder() / "save/figure.dat";
  const std::string joints = program->folder() / "save/figure.joints";
  choose(*program, f.Save, dat);
  EXPECT_FALSE(FileExists(joints));  // off, reaching 2: the project as it always was
  program->Dispatch([&] { program->form2().FormPaint(); });
  const Bitmap rigidView = program->scene().ViewBitmap;

  choose(*program, a.SoftJoints);
  choose(*program, a.JointReach[2]);
  EXPECT_FALSE(program->scene().ViewBitmap == rigidView);
  choose(*program, f.Save, dat);
  EXPECT_EQ(ReadFileBytes(joints), EncodeJointSettings({true, 3}));
  choose(*program, f.Undo);
  EXPECT_EQ(shown(*program), EncodeJointSettings({true, 2}));
  choose(*program, f.Undo);
  EXPECT_EQ(shown(*program), EncodeJointSettings({false, 2}));
  EXPECT_TRUE(program->scene().ViewBitmap == rigidView);
  choose(*program, f.Open, dat);
  EXPECT_EQ(shown(*program), EncodeJointSettings({true, 3}));
  // Switched off and saved over: the file beside says so.
  choose(*program, a.SoftJoints);
  choose(*program, f.Save, dat);
  choose(*program, a.JointReach[0]);
  choose(*program, f.Open, dat);
  EXPECT_EQ(shown(*program), EncodeJointSettings({false, 3}));
  ASSERT_TRUE(program->messages.empty());

  const std::string good = ReadFileBytes(joints);
  for (const std::string& bad :
       {good.substr(0, 9), good + "x", "PFSX" + good.substr(4),
        good.substr(0, 4) + '\2' + good.substr(5), good.substr(0, 8) + '\2' + good.substr(9),
        good.substr(0, 9) + '\0', good.substr(0, 9) + '\4'}) {
    WriteFileBytes(joints, bad);
    choose(*program, f.Open, dat);
    EXPECT_EQ(program->messages.back(), "データファイルが壊れています！");
    EXPECT_EQ(shown(*program), EncodeJointSettings({false, 3}));
  }
  EXPECT_EQ(program->messages.size(), 7u);
}

}  // namespace
}  // namespace puffel
