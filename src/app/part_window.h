// The part window: the one view of the scene, flat or 3D, and its window events.
#pragma once

#include "app/animation_menu.h"
#include "platform/form.h"
#include "scene/scene.h"

namespace puffel {

class TForm1;

class TForm2 : public Form {
 public:
  TForm2(Scene& scene, TForm1& form1);

  // Redraws the whole view into ViewBitmap and shows it.
  void FormPaint();
  // Keeps the scene centred when the client size changes, and redraws.
  void FormResize();
  // Gives the window and the view the client size width x height without
  // redrawing: the caller redraws once it has changed the rest.
  void ResizeWithoutRedraw(int width, int height);
  // In the 3D view: switches between filled and outline drawing.
  void FormDblClick();
  // Closing the part window closes the main window, which ends the program.
  void FormClose();

  // The pointer (pointer_input.h): a press picks a part, a joint marker or the
  // background; every move runs one drag and redraws; a release ends the drag
  // (and relinks the skeleton in the flat view). X, Y are client pixels and may
  // lie outside the view during a drag.
  void FormMouseDown(MouseButton Button, ShiftState Shift, int X, int Y);
  void FormMouseMove(ShiftState Shift, int X, int Y);
  void FormMouseUp(MouseButton Button, ShiftState Shift, int X, int Y);
  // One wheel notch with the pointer at a screen position: in the 3D view the
  // part under the pointer tilts, then the view is redrawn.
  void FormMouseWheelDown(ShiftState Shift, int screenX, int screenY);
  void FormMouseWheelUp(ShiftState Shift, int screenX, int screenY);

  // Renders the 3D view straight onto the window, band by band as the bands
  // are finished (RenderScene3D), adds the onion skin, and shows it.
  void ShowScene3D();

  Scene& scene;
  TForm1& Form1;
  // The menu bar: the animation menu (InstallAnimation gives it handlers).
  AnimationMenu Animation;

 private:
  // The flat view (DrawFlatView) shown at (0, 0); an empty scene also puts
  // back the caption "Parts No.0".
  void showFlatView();
  void wheelStep(bool down, int screenX, int screenY);

  bool redrawOnResize_ = true;
};

}  // namespace puffel
