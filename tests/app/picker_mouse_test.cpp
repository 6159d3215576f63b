#include <gtest/gtest.h>

#include <cmath>

#include "app/main_window.h"
#include "platform/canvas.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::ScriptedApp;

constexpr ShiftState Left{.left = true};
constexpr ShiftState Right{.right = true};
constexpr ShiftState Middle{.middle = true};

// A press and release at (x, y) of the main window.
void click(TForm1& form1, int x, int y, ShiftState held) {
  form1.FormMouseDown(MouseButton::Left, held, x, y);
  form1.FormMouseUp(MouseButton::Left, {}, x, y);
}

uint32_t shown(const TForm1& form1, int x, int y) { return form1.Surface().Row(y)[x] & 0xFFFFFF; }

TEST(Pickers, StartWithTheMarkersAtTheirDefaults) {
  ScriptedApp program;
  TForm1& form1 = program.form1();
  form1.FormPaint();
  EXPECT_EQ(shown(form1, 52, 52), 0xFFFFFFu);   // the white light disc, around the cross
  EXPECT_EQ(shown(form1, 54, 54), 0u);          // the colour cross at its centre
  EXPECT_EQ(shown(form1, 149, 18), 0xFF0000u);  // red diffuse cross
  EXPECT_EQ(shown(form1, 113, 18), 0x0000FFu);  // blue specular cross
  EXPECT_EQ(shown(form1, 149, 42), 0x008000u);  // green fade cross
  EXPECT_EQ(shown(form1, 120, 60), 0xFFFFFFu);  // inside the material box
  EXPECT_EQ(shown(form1, 108, 60), 0u);         // its border
}

TEST(Pickers, WheelTakesOnlyPointsStrictlyInsideRadius40) {
  ScriptedApp program;
  TForm1& form1 = program.form1();
  const Scene& scene = program.scene();
  click(form1, 94, 54, Left);
  EXPECT_EQ(scene.LightMarkX, 40);
  EXPECT_EQ(scene.LightDirZ, -1);

  click(form1, 93, 54, Left);
  EXPECT_EQ(scene.LightMarkX, 79);
  EXPECT_EQ(scene.LightMarkY, 40);
  EXPECT_EQ(scene.LightDirX, 0.975);
  EXPECT_EQ(scene.LightDirY, 0);
  EXPECT_EQ(scene.LightDirZ, -std::sqrt(1 - 0.975 * 0.975));
  EXPECT_EQ(scene.ColorMarkX, 40);  // the left button moves only the light
  EXPECT_EQ(scene.LightRed, 255);
}

TEST(Pickers, RightPressPicksTheLightColourUnderTheCross) {
  ScriptedApp program;
  TForm1& form1 = program.form1();
  const Scene& scene = program.scene();
  click(form1, 16, 54, Right);  // the red left end of the wheel
  EXPECT_EQ(scene.ColorMarkX, 2);
  EXPECT_EQ(scene.ColorMarkY, 40);
  EXPECT_EQ(scene.LightMarkX, 40);
  const uint32_t pixel = CanvasPixel(scene.LightPickerBitmap, 16, 54);
  EXPECT_EQ(scene.LightRed, static_cast<int>(pixel & 255));
  EXPECT_EQ(scene.LightGreen, static_cast<int>(pixel >> 8 & 255));
  EXPECT_EQ(scene.LightBlue, static_cast<int>(pixel >> 16));
  EXPECT_GT(scene.LightRed, 250);
  EXPECT_LT(scene.LightGreen, 140);
  form1.FormPaint();
  EXPECT_EQ(shown(form1, 16, 54), 0u);  // the cross moved there
}

TEST(Pickers, LeftDoubleClickPutsTheLightBehindUntilTheNext) {
  ScriptedApp program;
  TForm1& form1 = program.form1();
  const Scene& scene = program.scene();
  // The toolkit reports the double click, then the press that completes it.
  form1.FormDblClick();
  click(form1, 60, 50, Left);
  EXPECT_TRUE(scene.LightBehind);
  EXPECT_GT(scene.LightDirZ, 0);
  EXPECT_EQ(scene.LightMarkX, 46);
  EXPECT_EQ(shown(form1, 62, 48), 0u);  // the marker disc is black now

  form1.FormMouseMove({}, 60, 50);  // a move between cancels a double click
  form1.FormDblClick();
  form1.FormMouseMove({}, 61, 50);
  click(form1, 60, 50, Left);
  EXPECT_TRUE(scene.LightBehind);

  form1.FormDblClick();
  click(form1, 60, 50, Left);
  EXPECT_FALSE(scene.LightBehind);
  EXPECT_LT(scene.LightDirZ, 0);
}

TEST(Pickers, MaterialBoxMovesTheCrossOfTheButtonInsideItsEdges) {
  ScriptedApp program;
  TForm1& form1 = program.form1();
  const Scene& scene = program.scene();
  click(form1, 148, 50, Middle);
  EXPECT_EQ(scene.FadeMarkX, 39);
  EXPECT_EQ(scene.FadeMarkY, 36);
  EXPECT_EQ(scene.FadeStart, -1);
  click(form1, 149, 50, Middle);
  EXPECT_EQ(scene.FadeStart, std::pow(2500.0, 1.0 / 39));

  click(form1, 109, 93, Left);
  EXPECT_EQ(scene.DiffuseMarkX, 0);
  EXPECT_EQ(scene.DiffuseMarkY, 79);
  EXPECT_EQ(scene.DiffuseGain, 0);
  click(form1, 187, 15, Right);
  EXPECT_EQ(scene.SpecularMarkX, 78);
  EXPECT_EQ(scene.SpecularMarkY, 1);
  EXPECT_EQ(scene.SpecularSharpness, 0);

  // The box's edges are outside it.
  for (const auto& [x, y] :
       {std::pair{108, 50}, std::pair{188, 50}, std::pair{150, 14}, std::pair{150, 94}}) {
    click(form1, x, y, Left);
    EXPECT_EQ(scene.DiffuseMarkX, 0);
    EXPECT_EQ(scene.DiffuseMarkY, 79);
  }
}

TEST(Pickers, DragFollowsOnlyInsideTheAreasAndOnlyWhileHeld) {
  ScriptedApp program;
  TForm1& form1 = program.form1();
  const Scene& scene = program.scene();
  form1.FormMouseDown(MouseButton::Left, Left, 5, 300);  // outside: only the flags
  EXPECT_TRUE(scene.PickerPressed);
  EXPECT_EQ(scene.LightMarkX, 40);
  form1.FormMouseMove(Left, 30, 54);
  EXPECT_EQ(scene.LightMarkX, 16);
  form1.FormMouseMove(Left, 99, 200);
  EXPECT_EQ(scene.LightMarkX, 16);
  form1.FormMouseMove(Left, 130, 40);  // into the material box, still the left button
  EXPECT_EQ(scene.DiffuseMarkX, 21);
  form1.FormMouseUp(MouseButton::Left, {}, 130, 40);
  form1.FormMouseMove({}, 50, 50);
  EXPECT_EQ(scene.LightMarkX, 16);
}

TEST(Pickers, The3DViewIsRedrawnAtEveryChangeAndTheFlatViewNot) {
  ScriptedApp program;
  program.AddPicture(test::DiscPicture(80, 80, 40, 40, 35, 0xC0C0C0, 0xFFFFFF));
  TForm1& form1 = program.form1();
  Scene& scene = program.scene();
  uint32_t& sentinel = scene.ViewBitmap.Row(0)[0];
  sentinel = 0x123456;
  click(form1, 60, 50, Left);
  click(form1, 130, 40, Left);
  EXPECT_EQ(sentinel, 0x123456u);

  form1.Button4Click();
  const Bitmap front = scene.ViewBitmap;
  click(form1, 20, 54, Left);  // light from the left
  EXPECT_NE(scene.ViewBitmap, front);
  const Bitmap lit = scene.ViewBitmap;
  click(form1, 110, 92, Left);  // the dimmest diffuse gain
  EXPECT_NE(scene.ViewBitmap, lit);
}

}  // namespace
}  // namespace puffel
