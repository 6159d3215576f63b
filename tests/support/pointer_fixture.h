// A running program whose part window is driven by pointer events, as the
// window system would deliver them.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/main_window.h"
#include "app/part_window.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel::test {

// Held-button sets.
inline constexpr ShiftState None{};
inline constexpr ShiftState Left{.left = true};
inline constexpr ShiftState Right{.right = true};
inline constexpr ShiftState Middle{.middle = true};
inline constexpr ShiftState LeftRight{.left = true, .right = true};

class PointerTest : public ::testing::Test {
 protected:
  Scene& scene() { return program.scene(); }
  TForm2& form2() { return program.form2(); }

  // Adds a disc of the given diameter on white as the next part, centred in
  // the 400 x 400 part window.
  void addDisc(int side, uint32_t colour = 0x3080F0) {
    program.AddPicture(
        DiscPicture(side, side, side / 2.0, side / 2.0, side / 2.0 - 2, colour, 0xFFFFFF),
        "disc" + std::to_string(scene().PartCount) + ".bmp");
  }

  void press(int x, int y, ShiftState held = Left) {
    program.Dispatch([&] { form2().FormMouseDown(MouseButton::Left, held, x, y); });
  }
  void move(int x, int y, ShiftState held = Left) {
    program.Dispatch([&] { form2().FormMouseMove(held, x, y); });
  }
  void release(int x, int y, ShiftState held = None) {
    program.Dispatch([&] { form2().FormMouseUp(MouseButton::Left, held, x, y); });
  }
  // A press, one move to (x2, y2) and the release there.
  void drag(int x1, int y1, int x2, int y2, ShiftState held = Left) {
    press(x1, y1, held);
    move(x2, y2, held);
    release(x2, y2);
  }
  void show3D() { program.form1().Button4.Click(); }

  ScriptedApp program;
};

}  // namespace puffel::test
