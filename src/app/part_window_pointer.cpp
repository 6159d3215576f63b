// The part window's pointer handlers: the scene's part of each event comes
// from pointer_input.h; the window shows the caption and the redraw.
#include <string>

#include "app/part_window.h"
#include "interact/pointer_input.h"

namespace puffel {

void TForm2::FormMouseDown(MouseButton, ShiftState, int X, int Y) {
  const int part = PressPointer(scene, X, Y);
  if (part >= 0) SetCaption("Parts No." + std::to_string(part));
}

void TForm2::FormMouseMove(ShiftState Shift, int X, int Y) {
  MovePointer(scene, Shift, X, Y);
  FormPaint();
}

void TForm2::FormMouseUp(MouseButton, ShiftState, int, int) { ReleasePointer(scene); }

void TForm2::FormMouseWheelDown(ShiftState, int screenX, int screenY) {
  wheelStep(true, screenX, screenY);
}

void TForm2::FormMouseWheelUp(ShiftState, int screenX, int screenY) {
  wheelStep(false, screenX, screenY);
}

void TForm2::wheelStep(bool down, int screenX, int screenY) {
  if (!scene.View3D) return;
  const auto [x, y] = ScreenToClient(screenX, screenY);
  TurnWheel(scene, down, x, y);
  ShowScene3D();
}

}  // namespace puffel
