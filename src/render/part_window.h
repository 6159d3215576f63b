// The part window: the one view of the scene, flat or 3D, and its window events.
#pragma once

#include "app/scene.h"
#include "platform/form.h"

namespace puffel {

class TForm1;

class TForm2 : public Form {
 public:
  TForm2(Scene& scene, TForm1& form1);

  // Redraws the whole view into ViewBitmap and shows it.
  void FormPaint();
  // Keeps the scene centred when the client size changes.
  void FormResize();
  // In the 3D view: switches between filled and outline drawing.
  void FormDblClick();
  // Closing the part window closes the main window, which ends the program.
  void FormClose();

  Scene& scene;
  TForm1& Form1;
};

// Paints the flat layout into ViewBitmap: background, masks (AND), cut-outs
// (XOR) and joint markers, or the help text of an empty scene; then shows it.
void DrawFlatView(Scene& scene, TForm2& form2);

}  // namespace puffel
