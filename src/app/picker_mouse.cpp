// The mouse in the light and material pickers of the main window.
#include <cstdint>

#include "app/main_window.h"
#include "app/part_window.h"
#include "scene/light_material.h"

namespace puffel {

void TForm1::FormMouseDown(MouseButton, ShiftState shift, int x, int y) {
  scene.PickerPressed = true;
  if (shift.left) {
    scene.PickerLeft = true;
    scene.PickerRight = false;
  } else if (shift.right) {
    scene.PickerLeft = false;
    scene.PickerRight = true;
  } else {
    scene.PickerLeft = false;
    scene.PickerRight = false;
  }
  PickerMouse(x, y);
}

void TForm1::FormMouseMove(ShiftState, int x, int y) {
  PickerMouse(x, y);
  scene.PickerDoubleClick = false;
}

void TForm1::FormMouseUp(MouseButton, ShiftState, int, int) { scene.PickerPressed = false; }

void TForm1::FormDblClick() { scene.PickerDoubleClick = true; }

void TForm1::PickerMouse(int x, int y) {
  if (!scene.PickerPressed) return;

  // The wheel: strictly inside radius 40 around (54, 54). A drag may leave the
  // window far behind, so the squares are taken in 64 bits.
  const int64_t dx = 54 - int64_t{x};
  const int64_t dy = 54 - int64_t{y};
  if (dx * dx + dy * dy < 1600) {
    if (scene.PickerLeft) {
      scene.LightMarkX = x - 14;
      scene.LightMarkY = y - 14;
    } else {
      scene.ColorMarkX = x - 14;
      scene.ColorMarkY = y - 14;
    }
    if (scene.PickerDoubleClick) {
      scene.PickerDoubleClick = false;
      scene.LightBehind = !scene.LightBehind;
    }
    FormPaint();
    UpdateLight(scene);
    UpdateLightColour(scene);
    if (scene.View3D) redrawPartWindow();
  }

  // The material box, whose edges are outside.
  if (108 < x && x < 188 && 14 < y && y < 94) {
    if (scene.PickerLeft) {
      scene.DiffuseMarkX = x - 109;
      scene.DiffuseMarkY = y - 14;
    } else if (scene.PickerRight) {
      scene.SpecularMarkX = x - 109;
      scene.SpecularMarkY = y - 14;
    } else {
      scene.FadeMarkX = x - 109;
      scene.FadeMarkY = y - 14;
    }
    FormPaint();
    UpdateMaterial(scene);
    if (scene.View3D) redrawPartWindow();
  }
}

}  // namespace puffel
