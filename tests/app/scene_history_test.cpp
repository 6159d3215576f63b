#include "app/scene_history.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/part_window.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "project/project_save.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::ScriptedApp;

class History : public ::testing::Test {
 protected:
  History() {
    program.Dispatch([&] { program.form2().ReportClientSize(80, 80); });
    SaveBitmapFile(obj("a.bmp"), test::DiscPicture(24, 24, 12, 12, 10, 0x2050C0, 0xFFFFFF));
    SaveBitmapFile(obj("b.bmp"), test::CheckerDiscPicture(30, 13, 0xC03020, 0x20A040));
  }

  std::string obj(const std::string& name) { return program.folder().Path() + "obj/" + name; }
  void add(const std::string& name) {
    program.Answer(obj(name));
    click(program.form1().Button1);
  }
  void click(Control& control) {
    program.Dispatch([&] { control.Click(); });
  }
  void undo() {
    program.Dispatch([&] { program.form1().Undo.Click(); });
  }
  void redo() {
    program.Dispatch([&] { program.form1().Redo.Click(); });
  }
  // A left drag in the part window from (x0, y0) to (x1, y1).
  void drag(int x0, int y0, int x1, int y1) {
    TForm2& form = program.form2();
    const ShiftState left{true, false, false};
    program.Dispatch([&] { form.OnMouseDown(MouseButton::Left, left, x0, y0); });
    program.Dispatch([&] { form.OnMouseMove(left, x1, y1); });
    program.Dispatch([&] { form.OnMouseUp(MouseButton::Left, ShiftState{}, x1, y1); });
  }
  // A left press and release at (x, y) with no move between.
  void pressAndRelease(int x, int y) {
    TForm2& form = program.form2();
    program.Dispatch([&] { form.OnMouseDown(MouseButton::Left, {true, false, false}, x, y); });
    program.Dispatch([&] { form.OnMouseUp(MouseButton::Left, ShiftState{}, x, y); });
  }
  const SceneHistory& history() { return program.app().history; }
  std::string project() { return EncodeProject(program.scene()); }

  ScriptedApp program;
};

TEST_F(History, GesturesThatChangeNothingRecordNoStep) {
  TForm1& form1 = program.form1();
  click(form1.Button4);  // no parts: the view stays flat
  program.Answer(std::nullopt);
  click(form1.Button1);  // cancelled
  click(form1.SpeedButton2);
  click(form1.Button3);  // no background to clear
  form1.TrackBar1.SetPosition(3);
  form1.CheckBox3.SetChecked(true);
  form1.CheckBox3.SetChecked(false);
  add("a.bmp");
  ASSERT_EQ(history().StepCount(), 1u);

  drag(2, 2, 9, 9);  // the background of the flat view: nothing to move
  program.Dispatch([&] { program.form2().OnDblClick(); });  // flat: no drawing mode
  program.Dispatch([&] { program.form2().OnMouseWheelUp(ShiftState{}, 40, 40); });  // flat
  program.Answer(program.folder().Path() + "pic_hozon/v.bmp");
  click(form1.SpeedButton1);  // export the view
  program.Answer(program.folder().Path() + "save/p.dat");
  click(form1.SpeedButton4);  // save
  pressAndRelease(46, 46);    // the part's picture, not moved
  pressAndRelease(40, 40);    // its joint marker: the mesh kept for the drag stays the same
  pressAndRelease(2, 2);
  EXPECT_EQ(history().StepCount(), 1u);
  EXPECT_TRUE(program.errors.empty());
}

TEST_F(History, UndoesARemovalAndAnAddOverTheRemovedPartWithItsOwnPictures) {
  add("a.bmp");
  const std::string withA = project();
  const Bitmap pictureA = program.scene().PartPicture[0];
  click(program.form1().SpeedButton2);
  add("b.bmp");
  ASSERT_EQ(program.scene().PartCount, 1);
  ASSERT_NE(project(), withA);

  undo();
  undo();
  EXPECT_EQ(program.scene().PartCount, 1);
  EXPECT_EQ(project(), withA);
  EXPECT_TRUE(program.scene().PartPicture[0] == pictureA);
  EXPECT_EQ(PartFilePath(program.scene(), 0), obj("a.bmp"));
  redo();
  redo();
  EXPECT_EQ(PartFilePath(program.scene(), 0), obj("b.bmp"));
}

TEST_F(History, ANewChangeAfterUndoDropsTheStepsThatCouldHaveBeenRedone) {
  add("a.bmp");
  click(program.form1().SpeedButton2);
  add("b.bmp");
  undo();
  undo();
  ASSERT_TRUE(history().CanRedo());
  const size_t keptBefore = history().Builds().KeptCount();

  drag(40, 40, 50, 45);  // moves part a
  EXPECT_FALSE(history().CanRedo());
  EXPECT_FALSE(program.form1().Redo.Enabled());
  EXPECT_EQ(history().StepCount(), 2u);
  // Part b, which no step names any more, is no longer kept.
  EXPECT_LT(history().Builds().KeptCount(), keptBefore);
  redo();
  EXPECT_EQ(PartFilePath(program.scene(), 0), obj("a.bmp"));
  undo();
  undo();
  undo();
  EXPECT_EQ(program.scene().PartCount, 0);
}

TEST_F(History, ARefusedLoadKeepsTheHistoryAndALoadStartsANewOne) {
  add("a.bmp");
  add("b.bmp");
  program.Answer(program.folder().Path() + "save/two.dat");
  click(program.form1().SpeedButton4);
  WriteFileBytes(program.folder().Path() + "save/bad.dat", "not a project");

  program.Answer(std::nullopt);
  click(program.form1().SpeedButton5);  // cancelled
  program.Answer(program.folder().Path() + "save/bad.dat");
  click(program.form1().SpeedButton5);  // damaged
  program.Answer(program.folder().Path() + "save/missing.dat");
  click(program.form1().SpeedButton5);  // not there
  EXPECT_EQ(program.messages, std::vector<std::string>{"データファイルが壊れています！"});
  EXPECT_EQ(history().StepCount(), 2u);
  EXPECT_TRUE(program.form1().Undo.Enabled());

  undo();
  program.Answer(program.folder().Path() + "save/two.dat");
  click(program.form1().SpeedButton5);
  EXPECT_EQ(program.scene().PartCount, 2);
  EXPECT_EQ(history().StepCount(), 0u);
  EXPECT_FALSE(program.form1().Undo.Enabled());
  EXPECT_FALSE(program.form1().Redo.Enabled());
  undo();
  EXPECT_EQ(program.scene().PartCount, 2);

  // The loaded parts are the new history's start, also under a new add.
  const std::string loaded = project();
  add("a.bmp");
  undo();
  EXPECT_EQ(project(), loaded);
}

TEST_F(History, KeepsTheLastThousandSteps) {
  add("a.bmp");
  click(program.form1().Button4);
  // Every double click in the 3D view switches the drawing mode.
  for (int n = 0; n < 1004; ++n) program.Dispatch([&] { program.form2().OnDblClick(); });
  EXPECT_EQ(history().StepCount(), SceneHistory::MaxSteps);
  for (size_t n = 0; n < SceneHistory::MaxSteps; ++n) undo();
  EXPECT_FALSE(history().CanUndo());
  // Back before the fifth double click: in 3D, the drawing mode switched four times.
  EXPECT_TRUE(program.scene().View3D);
  EXPECT_FALSE(program.scene().OutlineMode);
  EXPECT_EQ(program.scene().PartCount, 1);
}

TEST_F(History, LeavingThe3DViewIsUndoneWithThePose) {
  add("a.bmp");
  click(program.form1().Button4);
  drag(44, 44, 60, 50);  // a trackball turn
  const Frame posed = program.scene().PartFrame[0];
  const Bitmap view = program.form2().Surface();
  click(program.form1().Button4);
  ASSERT_FALSE(program.scene().View3D);

  undo();
  EXPECT_TRUE(program.scene().View3D);
  EXPECT_EQ(std::memcmp(&program.scene().PartFrame[0], &posed, sizeof posed), 0);
  EXPECT_TRUE(program.form2().Surface() == view);
}

TEST_F(History, UndoWaitsForTheDragInProgress) {
  add("a.bmp");
  const ShiftState left{true, false, false};
  TForm2& form = program.form2();
  program.Dispatch([&] { form.OnMouseDown(MouseButton::Left, left, 40, 40); });
  program.Dispatch([&] { form.OnMouseMove(left, 50, 50); });
  EXPECT_FALSE(history().CanUndo());
  undo();
  EXPECT_EQ(program.scene().PartCount, 1);
  program.Dispatch([&] { form.OnMouseUp(MouseButton::Left, ShiftState{}, 50, 50); });
  EXPECT_EQ(history().StepCount(), 2u);
  undo();
  undo();
  EXPECT_EQ(program.scene().PartCount, 0);
}

TEST_F(History, BringsBackTheBackgroundWithItsWindowSizeAndBorder) {
  const std::string haikei = program.folder().Path() + "haikei/";
  SaveBitmapFile(haikei + "sky.bmp", test::SolidPicture(60, 50, 0x4080F0));
  SaveBitmapFile(haikei + "dusk.bmp", test::SolidPicture(70, 64, 0x402060));
  add("a.bmp");
  const std::string start = project();
  program.Answer(haikei + "sky.bmp");
  click(program.form1().Button2);
  program.Answer(haikei + "dusk.bmp");
  click(program.form1().Button2);
  click(program.form1().Button3);
  TForm2& form2 = program.form2();
  EXPECT_EQ(form2.ClientWidth(), 70);

  undo();
  EXPECT_EQ(program.form1().Label1.Caption(), "背景：dusk");
  EXPECT_EQ(form2.GetBorderStyle(), BorderStyle::Single);
  undo();
  EXPECT_EQ(program.form1().Label1.Caption(), "背景：sky");
  EXPECT_EQ(form2.ClientWidth(), 60);
  EXPECT_EQ(form2.ClientHeight(), 50);
  EXPECT_EQ(program.scene().BackgroundBitmap.Width(), 60);
  EXPECT_EQ(program.scene().ViewBitmap.Row(0)[0] & 0xFFFFFF, 0x4080F0u);
  undo();
  EXPECT_EQ(program.form1().Label1.Caption(), "背景：なし");
  EXPECT_EQ(form2.GetBorderStyle(), BorderStyle::Sizeable);
  EXPECT_EQ(form2.ClientWidth(), 80);
  EXPECT_EQ(project(), start);
}

TEST_F(History, OneUndoOrRedoRedrawsThePartWindowOnce) {
  for (int k = 0; k < MaxParts; ++k) add("a.bmp");
  const std::string sky = program.folder().Path() + "haikei/sky.bmp";
  SaveBitmapFile(sky, test::SolidPicture(60, 50, 0x4080F0));
  program.Answer(sky);
  click(program.form1().Button2);  // the part window takes the picture's size
  click(program.form1().Button4);
  int redraws = 0;
  program.form2().SurfaceChanged = [&redraws] { ++redraws; };
  for (const bool back : {true, true, false, false}) {
    redraws = 0;
    back ? undo() : redo();
    EXPECT_EQ(redraws, 1);
  }
}

TEST_F(History, AResizedWindowStaysAsItIsWhenTheStepAfterTheResizeIsUndone) {
  add("a.bmp");
  program.Dispatch([&] { program.form2().ReportClientSize(120, 100); });
  const std::string resized = project();
  drag(60, 50, 70, 55);
  undo();
  EXPECT_EQ(program.form2().ClientWidth(), 120);
  EXPECT_EQ(project(), resized);
  undo();  // the add, made in the 80 x 80 window
  EXPECT_EQ(program.form2().ClientWidth(), 80);
  EXPECT_EQ(program.scene().PartCount, 0);
}

TEST_F(History, AnAddThatStopsHalfWayIsAStepThatGivesBackTheStaleSlot) {
  add("a.bmp");
  click(program.form1().SpeedButton2);
  const std::string removed = project();
  WriteFileBytes(obj("broken.bmp"), "BM not a picture");
  add("broken.bmp");
  // The failed add wrote its file name into the free slot, which a project keeps.
  ASSERT_EQ(program.errors.size(), 1u);
  ASSERT_EQ(PartFilePath(program.scene(), 0), obj("broken.bmp"));
  ASSERT_EQ(history().StepCount(), 3u);
  undo();
  EXPECT_EQ(project(), removed);
  undo();
  EXPECT_EQ(program.scene().PartCount, 1);
  EXPECT_EQ(PartFilePath(program.scene(), 0), obj("a.bmp"));
}

TEST_F(History, APressAfterALostReleaseEndsTheGestureBeforeIt) {
  add("a.bmp");
  TForm2& form = program.form2();
  const ShiftState left{true, false, false};
  program.Dispatch([&] { form.OnMouseDown(MouseButton::Left, left, 40, 40); });
  program.Dispatch([&] { form.OnMouseMove(left, 50, 50); });
  // The release went to another window; the next press starts afresh.
  program.Dispatch([&] { form.OnMouseDown(MouseButton::Left, left, 2, 2); });
  EXPECT_EQ(history().StepCount(), 2u);
  program.Dispatch([&] { form.OnMouseUp(MouseButton::Left, ShiftState{}, 2, 2); });
  EXPECT_TRUE(history().CanUndo());
}

TEST_F(History, DropsTheOldestStepsWhenWhatItKeepsOutgrowsItsBudget) {
  add("b.bmp");
  program.app().history.MaxKeptBytes = 1;
  // Every joint-marker drag keeps the mesh it changes.
  for (int n = 0; n < 3; ++n) drag(40 + n, 40 + n, 41 + n, 41 + n);
  EXPECT_EQ(history().StepCount(), 1u);
  const std::string dragged = project();
  undo();
  EXPECT_EQ(program.scene().PartPosX[0], 42);
  redo();
  EXPECT_EQ(project(), dragged);
}

}  // namespace
}  // namespace puffel
