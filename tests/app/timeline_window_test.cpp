// The timeline window as a person uses it: it opens with the first key,
// closes to hidden, drags keys and scrubs along its ruler, and its buttons
// act on the selected key.
#include "app/timeline_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "anim/key_poses.h"
#include "app/application.h"
#include "app/timeline_drag.h"
#include "export/posed_figures.h"

namespace puffel {
namespace {

constexpr ShiftState Held{.left = true};
constexpr ShiftState Free{};

// The figure, posed, with keys at 0, 1 and 2 seconds in a loop of 3.
std::unique_ptr<test::ScriptedApp> ThreeKeys() {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  AnimationMenu& menu = program->form2().Animation;
  for (int k = 0; k < 3; ++k) {
    test::TurnSubtree(program->scene(), 3, {0, 0, 1}, 0.4);
    program->Dispatch([&] { menu.AddKey.Click(); });
  }
  return program;
}

int ColumnOf(const TForm3& form3, double time) { return XOfTime(form3.Ruler(), time); }

TEST(TimelineWindow, OpensWithTheFirstKeyAndHidesWhenClosed) {
  auto program = test::FigureProgram();
  Application& app = program->app();
  EXPECT_FALSE(app.form3.Visible());
  program->Dispatch([&] { app.form2.Animation.AddKey.Click(); });
  EXPECT_TRUE(app.form3.Visible());
  app.form3.ReportCloseRequest();
  EXPECT_FALSE(app.form3.Visible());
  EXPECT_FALSE(app.form3.Closed());
  EXPECT_FALSE(app.form1.Closed());
  // A second key does not bring it back; the menu does.
  program->Dispatch([&] { app.form2.Animation.AddKey.Click(); });
  EXPECT_FALSE(app.form3.Visible());
  program->Dispatch([&] { app.form2.Animation.Timeline.Click(); });
  EXPECT_TRUE(app.form3.Visible());
}

// A key's mark dragged along the ruler: selected at the press, moved only in
// the picture while held, retimed at the release in one step of the history,
// and held short of its neighbour however far the drag goes.
TEST(TimelineWindow, DraggingAKeysMarkRetimesItAtTheRelease) {
  auto program = ThreeKeys();
  Application& app = program->app();
  TForm3& form3 = app.form3;
  const int y = TForm3::RulerArea.top + TForm3::RulerArea.height / 2;
  form3.ReportPress(MouseButton::Left, Held, ColumnOf(form3, 1), y);
  EXPECT_EQ(app.scene.SelectedKey, 1);
  const size_t steps = app.history.DoneCount();
  form3.ReportMove(Held, ColumnOf(form3, 1.5), y);
  EXPECT_EQ(app.scene.AnimationKeys[1].time, 1);
  form3.ReportMove(Held, ColumnOf(form3, 2.9), y);
  form3.ReportRelease(MouseButton::Left, Free, ColumnOf(form3, 2.9), y);
  const double moved = app.scene.AnimationKeys[1].time;
  EXPECT_GT(moved, 1.9);
  EXPECT_LT(moved, 2);
  EXPECT_EQ(app.history.DoneCount(), steps + 1);
  program->Dispatch([&] { app.form1.Undo.Click(); });
  EXPECT_EQ(app.scene.AnimationKeys[1].time, 1);
  program->Dispatch([&] { app.form1.Redo.Click(); });
  EXPECT_EQ(app.scene.AnimationKeys[1].time, moved);
  EXPECT_TRUE(program->messages.empty());
}

// The loop's end dragged past the window's edge lengthens the loop, in one
// step of the history.
TEST(TimelineWindow, DraggingTheLoopsEndChangesTheLoopAtTheRelease) {
  auto program = ThreeKeys();
  Application& app = program->app();
  TForm3& form3 = app.form3;
  const TimelineRuler ruler = form3.Ruler();
  const int y = TForm3::RulerArea.top + TForm3::RulerArea.height / 2;
  const size_t steps = app.history.DoneCount();
  form3.ReportPress(MouseButton::Left, Held, ruler.right, y);
  const int past = ruler.right + (ruler.right - ruler.left) / 3;
  form3.ReportMove(Held, past, y);
  EXPECT_EQ(app.scene.LoopLength, 3);
  EXPECT_DOUBLE_EQ(form3.Ruler().seconds, 4);
  form3.ReportRelease(MouseButton::Left, Free, past, y);
  EXPECT_DOUBLE_EQ(app.scene.LoopLength, 4);
  EXPECT_EQ(app.history.DoneCount(), steps + 1);
  EXPECT_TRUE(program->messages.empty());
}

// A press away from the marks shows the motion at that time, and the drag
// scrubs through it; none of it is a step of the history, and stopping puts
// back the pose from before.
TEST(TimelineWindow, ScrubbingShowsTheMotionWithoutChangingTheScene) {
  auto program = ThreeKeys();
  Application& app = program->app();
  Scene& scene = app.scene;
  TForm3& form3 = app.form3;
  const auto before = scene.PartFrame;
  const size_t steps = app.history.DoneCount();
  const int y = TForm3::RulerArea.top + 2;
  for (const double time : {0.5, 1.25, 2.6}) {
    const int x = ColumnOf(form3, time);
    if (time == 0.5) {
      form3.ReportPress(MouseButton::Left, Held, x, y);
    } else {
      form3.ReportMove(Held, x, y);
    }
    const double shown = TimeAtX(form3.Ruler(), x);
    EXPECT_EQ(app.playback.ShownTime(), shown);
    const KeyPose pose = PoseAtTime(scene.AnimationKeys, scene.LoopLength, shown);
    Scene expected = scene;
    PoseScene(expected, pose);
    EXPECT_EQ(std::memcmp(&expected.PartFrame, &scene.PartFrame, sizeof scene.PartFrame), 0);
  }
  form3.ReportRelease(MouseButton::Left, Free, 0, y);
  EXPECT_EQ(app.history.DoneCount(), steps);
  EXPECT_EQ(form3.PlayButton.Caption(), "再生");
  program->Dispatch([&] { app.form2.Animation.Stop.Click(); });
  EXPECT_EQ(std::memcmp(&before, &scene.PartFrame, sizeof before), 0);
}

// The buttons are the animation menu's entries: greyed where those are, and
// acting on the selected key; the play button turns into the stop button.
TEST(TimelineWindow, TheButtonsActOnTheSelectedKey) {
  auto program = ThreeKeys();
  Application& app = program->app();
  TForm3& form3 = app.form3;
  app.SelectKey(-1);
  EXPECT_FALSE(form3.UpdateKeyButton.Enabled());
  EXPECT_FALSE(form3.EasingSmooth.Enabled());
  app.SelectKey(0);
  program->Dispatch([&] { form3.AddKeyButton.Click(); });
  ASSERT_EQ(app.scene.AnimationKeys.size(), 4u);
  EXPECT_EQ(app.scene.SelectedKey, 1);
  program->Dispatch([&] { form3.EasingHold.Click(); });
  EXPECT_EQ(app.scene.AnimationKeys[1].easing, Easing::Hold);
  EXPECT_TRUE(form3.EasingHold.Checked());
  EXPECT_FALSE(form3.EasingLinear.Checked());
  program->Dispatch([&] { form3.DeleteKeyButton.Click(); });
  EXPECT_EQ(app.scene.AnimationKeys.size(), 3u);
  program->Dispatch([&] { form3.PlayButton.Click(); });
  EXPECT_TRUE(app.playback.Running());
  EXPECT_EQ(form3.PlayButton.Caption(), "停止");
  program->Dispatch([&] { form3.PlayButton.Click(); });
  EXPECT_FALSE(app.playback.Playing());
  EXPECT_EQ(form3.PlayButton.Caption(), "再生");
  EXPECT_TRUE(program->messages.empty());
}

}  // namespace
}  // namespace puffel
