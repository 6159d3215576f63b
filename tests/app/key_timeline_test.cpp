// The keys edited through the windows' pipeline: each edit one step of the
// history, and the keys kept relative to the resting layout.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "anim/key_poses.h"
#include "app/application.h"
#include "app/scene_snapshot.h"
#include "export/posed_figures.h"
#include "interact/flat_drag.h"

namespace puffel {
namespace {

using test::ScriptedApp;

// Every edit of the timeline is one step, which undo takes back and redo
// brings again, keys, times, easings and loop alike.
TEST(KeyTimeline, EveryEditIsOneStepOfTheHistory) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  Scene& scene = program->scene();
  Application& app = program->app();
  AnimationMenu& menu = program->form2().Animation;
  const auto click = [&](MenuEntry& entry) { return [&] { entry.Click(); }; };
  const std::vector<std::pair<std::string, std::function<void()>>> edits{
      {"add", click(menu.AddKey)},
      {"turn and add",
       [&] {
         test::TurnSubtree(scene, 3, {0, 0, 1}, 0.8);
         menu.AddKey.Click();
       }},
      {"select", [&] { app.SelectKey(0); }},
      {"insert", click(menu.InsertKey)},
      {"easing", click(menu.KeyEasing[1])},
      {"retime", [&] { app.RetimeSelectedKey(0.75); }},
      {"turn and update",
       [&] {
         test::TurnSubtree(scene, 1, {1, 0, 0}, 0.3);
         menu.UpdateKey.Click();
       }},
      {"select the last", [&] { app.SelectKey(2); }},
      {"retime the last", [&] { app.RetimeSelectedKey(3.5); }},
      {"loop", [&] { app.ChangeLoopLength(5.25); }},
      {"delete", click(menu.DeleteKey)},
      {"clear", click(menu.ClearKeys)}};
  std::vector<std::pair<std::vector<KeyPose>, double>> states{{scene.AnimationKeys, 0}};
  for (const auto& [name, edit] : edits) {
    const size_t steps = app.history.DoneCount();
    program->Dispatch(edit);
    EXPECT_EQ(app.history.DoneCount(), steps + 1) << name;
    EXPECT_TRUE(program->messages.empty()) << name;
    states.emplace_back(scene.AnimationKeys, scene.LoopLength);
  }
  EXPECT_EQ(states[6].first[1].time, 0.75);
  EXPECT_EQ(states[6].first[1].easing, Easing::Smooth);
  for (size_t n = edits.size(); n-- > 0;) {
    program->Dispatch([&] { program->form1().Undo.Click(); });
    EXPECT_TRUE(SameKeys(scene.AnimationKeys, states[n].first)) << edits[n].first;
  }
  for (size_t n = 1; n <= edits.size(); ++n) {
    program->Dispatch([&] { program->form1().Redo.Click(); });
    EXPECT_TRUE(SameKeys(scene.AnimationKeys, states[n].first)) << edits[n - 1].first;
    EXPECT_EQ(scene.LoopLength, states[n].second) << edits[n - 1].first;
  }
}

// A part moved in the flat view after the keys were made plays at its new
// place: its joint in every key moves with its rest offset, the others stay
// bit for bit; undo brings the keys back with the layout.
TEST(KeyTimeline, APartMovedInTheFlatViewPlaysAtItsNewPlace) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  Scene& scene = program->scene();
  AnimationMenu& menu = program->form2().Animation;
  program->Dispatch([&] { menu.AddKey.Click(); });
  test::TurnSubtree(scene, 3, {0, 0, 1}, 0.8);
  program->Dispatch([&] { menu.AddKey.Click(); });
  program->Dispatch([&] { program->form1().Button4.Click(); });  // the flat view
  const std::vector<KeyPose> before = scene.AnimationKeys;
  // The hand moved 30 pixels right and 10 down, as a drag of it does.
  program->Dispatch([&] {
    program->app().Pass(
        {.kind = WindowEvent::Kind::Move, .form = &program->form2(), .source = nullptr, .held = {}},
        [&] { MovePartBack(scene, 4, -30, -10); });
  });
  for (size_t k = 0; k < before.size(); ++k) {
    for (int p = 0; p < scene.PartCount; ++p) {
      const JointPose& was = before[k].joints[p];
      const JointPose& is = scene.AnimationKeys[k].joints[p];
      const Point3 moved{is.translation.x - was.translation.x, is.translation.y - was.translation.y,
                         is.translation.z - was.translation.z};
      const Point3 expected = p == 4 ? Point3{0.030, -0.010, 0} : Point3{};
      EXPECT_NEAR(moved.x, expected.x, 1e-15) << k << " " << p;
      EXPECT_NEAR(moved.y, expected.y, 1e-15) << k << " " << p;
      EXPECT_EQ(moved.z, 0);
      EXPECT_EQ(std::memcmp(&was.rotation, &is.rotation, sizeof was.rotation), 0);
    }
  }
  // Shown at a key, the hand's pivot is where the key puts it moved along
  // its parent's pose: at the first key in the 3D view it is no longer
  // where it was.
  Scene played = scene;
  PoseScene(played, scene.AnimationKeys[0]);
  Scene old = scene;
  PoseScene(old, before[0]);
  EXPECT_GT(std::abs(played.PartFrame[4].Origin.x - old.PartFrame[4].Origin.x), 10);
  program->Dispatch([&] { program->form1().Undo.Click(); });
  EXPECT_TRUE(SameKeys(scene.AnimationKeys, before));
}

// The onion skin draws the selected key's neighbours only where the figure
// is not, only onto the window's picture (never into the exported view), and
// takes no step of the history.
TEST(KeyTimeline, TheOnionSkinLiesBehindTheFigureInTheWindowAlone) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  Scene& scene = program->scene();
  AnimationMenu& menu = program->form2().Animation;
  for (int k = 0; k < 3; ++k) {
    program->Dispatch([&] { menu.AddKey.Click(); });
    test::TurnSubtree(scene, 3, {0, 0, 1}, 0.9);
    test::MoveTree(scene, 0, 40, 0);
  }
  program->Dispatch([&] { program->app().SelectKey(1); });
  const Bitmap plain = program->form2().Surface();
  const size_t steps = program->app().history.DoneCount();
  program->Dispatch([&] { menu.OnionSkin.Click(); });
  EXPECT_TRUE(menu.OnionSkin.Checked());
  EXPECT_EQ(program->app().history.DoneCount(), steps);
  const Bitmap& shown = program->form2().Surface();
  EXPECT_TRUE(scene.ViewBitmap == plain);
  int outlined = 0;
  for (int y = 0; y < shown.Height(); ++y) {
    for (int x = 0; x < shown.Width(); ++x) {
      if (shown.Row(y)[x] == plain.Row(y)[x]) continue;
      ++outlined;
      EXPECT_EQ(scene.OwnerBuffer(x, y), -1) << x << " " << y;
    }
  }
  EXPECT_GT(outlined, 100);
  program->Dispatch([&] { menu.OnionSkin.Click(); });
  EXPECT_TRUE(program->form2().Surface() == plain);
}

}  // namespace
}  // namespace puffel
