// The animation menu and playback, through the windows' handlers.
#include "app/animation_menu.h"

#include <gtest/gtest.h>

#include <cstring>

#include "anim/key_poses.h"
#include "app/application.h"
#include "app/part_window.h"
#include "export/posed_figures.h"
#include "render/render_scene.h"

namespace puffel {
namespace {

using test::ScriptedApp;

bool sameFrames(const Scene& a, const std::array<Frame, MaxParts>& frames) {
  return std::memcmp(a.PartFrame.data(), frames.data(), sizeof frames) == 0;
}

void click(ScriptedApp& program, MenuEntry& entry) {
  program.Dispatch([&] { entry.Click(); });
}

TEST(AnimationMenu, KeysAreAddedDeletedAndClearedEachAsOneStep) {
  ScriptedApp empty;
  click(empty, empty.form2().Animation.AddKey);
  EXPECT_EQ(empty.messages, std::vector<std::string>{"まだ画像を読み込んでいません！"});

  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  Scene& scene = program->scene();
  TForm1& form1 = program->form1();
  const size_t steps = program->app().history.DoneCount();
  click(*program, program->form2().Animation.AddKey);
  test::TurnSubtree(scene, 1, {1, 0, 0}, 0.4);
  click(*program, program->form2().Animation.AddKey);
  ASSERT_EQ(scene.AnimationKeys.size(), 2u);
  EXPECT_TRUE(SameKeys({{KeyOfScene(scene)->joints, 1}}, {scene.AnimationKeys[1]}));
  click(*program, program->form2().Animation.DeleteKey);
  EXPECT_EQ(scene.AnimationKeys.size(), 1u);
  click(*program, program->form2().Animation.ClearKeys);
  EXPECT_TRUE(scene.AnimationKeys.empty());
  click(*program, program->form2().Animation.ClearKeys);  // nothing to clear: no step
  EXPECT_EQ(program->app().history.DoneCount(), steps + 4);
  click(*program, form1.Undo);
  EXPECT_EQ(scene.AnimationKeys.size(), 1u);
  click(*program, form1.Undo);
  EXPECT_EQ(scene.AnimationKeys.size(), 2u);

  // A mirrored part makes no key.
  Frame& frame = scene.PartFrame[2];
  frame.TipX = {2 * frame.Origin.x - frame.TipX.x, 2 * frame.Origin.y - frame.TipX.y,
                2 * frame.Origin.z - frame.TipX.z};
  click(*program, program->form2().Animation.AddKey);
  EXPECT_EQ(program->messages.back(), "このポーズはキーフレームにできません！");
  EXPECT_EQ(scene.AnimationKeys.size(), 2u);
}

TEST(AnimationMenu, KeysKeepOneJointPerPartAsPartsComeAndGo) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  Scene& scene = program->scene();
  click(*program, program->form2().Animation.AddKey);
  const KeyPose taken = scene.AnimationKeys[0];
  program->AddPicture(test::PatternDisc(40, 40, 15, 8), "tail.bmp");
  ASSERT_EQ(scene.PartCount, 6);
  ASSERT_EQ(scene.AnimationKeys[0].joints.size(), 6u);
  // The new part's joint is the one it has at rest; the others are kept.
  EXPECT_TRUE(SameKeys({KeyPose{{taken.joints.begin(), taken.joints.end()}}},
                       {KeyPose{{scene.AnimationKeys[0].joints.begin(),
                                 scene.AnimationKeys[0].joints.begin() + 5}}}));
  EXPECT_TRUE(SameKeys({KeyPose{{KeyOfScene(scene)->joints[5]}}},
                       {KeyPose{{scene.AnimationKeys[0].joints[5]}}}));
  program->Dispatch([&] { program->form1().SpeedButton2.Click(); });
  program->Dispatch([&] { program->form1().SpeedButton2.Click(); });
  EXPECT_EQ(scene.AnimationKeys[0].joints.size(), 4u);
  program->Dispatch([&] { program->form1().SpeedButton3.Click(); });
  EXPECT_TRUE(scene.AnimationKeys.empty());
  click(*program, program->form1().Undo);
  EXPECT_EQ(scene.AnimationKeys[0].joints.size(), 4u);
}

TEST(AnimationMenu, PlayingShowsTheKeysAndStoppingPutsBackThePoseAndView) {
  auto program = test::FigureProgram();
  Scene& scene = program->scene();
  TForm1& form1 = program->form1();
  EXPECT_FALSE(program->form2().Animation.Play.Enabled());  // nothing to play
  test::PoseFigure(*program);
  click(*program, program->form2().Animation.AddKey);
  test::TurnSubtree(scene, 3, {0, 0, 1}, 1.2);
  click(*program, program->form2().Animation.AddKey);
  // Back to the flat view: playing switches the 3D view on, stopping off.
  program->Dispatch([&] { form1.Button4.Click(); });
  const auto before = scene.PartFrame;
  const size_t steps = program->app().history.StepCount();

  Playback& playback = program->app().playback;
  click(*program, program->form2().Animation.Play);
  EXPECT_TRUE(playback.Playing());
  EXPECT_TRUE(scene.View3D);
  EXPECT_EQ(program->form2().TimerInterval(), 1000 / PlaybackRate);
  program->Dispatch([&] { playback.ShowTime(1.5); });  // halfway back to the first key
  Scene expected = scene;
  PoseScene(expected, PoseAtTime(scene.AnimationKeys, scene.LoopLength, 1.5));
  EXPECT_TRUE(sameFrames(scene, expected.PartFrame));
  DrawScene3D(expected);
  EXPECT_TRUE(program->form2().Surface() == expected.ViewBitmap);
  click(*program, program->form2().Animation.Stop);
  EXPECT_FALSE(playback.Playing());
  EXPECT_FALSE(scene.View3D);
  EXPECT_TRUE(sameFrames(scene, before));
  EXPECT_EQ(program->form2().TimerInterval(), 0);
  EXPECT_EQ(program->app().history.StepCount(), steps);

  // A press in the part window only stops playing: its drag moves nothing.
  program->Dispatch([&] { form1.Button4.Click(); });
  const auto posed = scene.PartFrame;
  click(*program, program->form2().Animation.Play);
  TForm2& form2 = program->form2();
  const int x = static_cast<int>(scene.PartPosX[0]);
  const int y = static_cast<int>(scene.PartPosY[0]);
  program->Dispatch([&] { form2.OnMouseDown(MouseButton::Left, {.left = true}, x, y); });
  EXPECT_FALSE(playback.Playing());
  program->Dispatch([&] { form2.OnMouseMove({.left = true}, x + 40, y + 30); });
  program->Dispatch([&] { form2.OnMouseUp(MouseButton::Left, {}, x + 40, y + 30); });
  EXPECT_TRUE(sameFrames(scene, posed));
  // The next press drags as ever.
  program->Dispatch([&] { form2.OnMouseDown(MouseButton::Left, {.left = true}, x, y); });
  program->Dispatch([&] { form2.OnMouseMove({.left = true}, x + 40, y + 30); });
  program->Dispatch([&] { form2.OnMouseUp(MouseButton::Left, {}, x + 40, y + 30); });
  EXPECT_FALSE(sameFrames(scene, posed));
}

// Undo while playing first stops, so that it takes back the last change and
// not a played pose.
TEST(AnimationMenu, UndoWhilePlayingTakesBackTheLastChange) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  Scene& scene = program->scene();
  click(*program, program->form2().Animation.AddKey);
  test::TurnSubtree(scene, 3, {0, 0, 1}, 1.2);
  click(*program, program->form2().Animation.AddKey);
  const auto posed = scene.PartFrame;
  click(*program, program->form2().Animation.Play);
  program->Dispatch([&] { program->app().playback.ShowTime(0.5); });
  click(*program, program->form1().Undo);
  EXPECT_FALSE(program->app().playback.Playing());
  EXPECT_EQ(scene.AnimationKeys.size(), 1u);
  EXPECT_TRUE(sameFrames(scene, posed));
}

}  // namespace
}  // namespace puffel
