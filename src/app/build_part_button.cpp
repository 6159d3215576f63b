#include "app/build_part_button.h"

#include <optional>

#include "app/main_window.h"
#include "app/part_window.h"
#include "builder/build_part.h"
#include "builder/slider_settings.h"
#include "platform/paths.h"
#include "platform/services.h"

namespace puffel {

namespace {

// The picture dialog opens in "obj" with every picture format offered, for
// the back picture as for the front.
std::optional<std::string> askPicture(FileDialog& dialog) {
  dialog.initialDir = ProgramFolder() + "obj";
  dialog.filterIndex = 1;
  if (!dialog.Execute()) return std::nullopt;
  return dialog.fileName;
}

SliderPositions readSliders(const TForm1& form1) {
  return {.polygonSize = form1.TrackBar1.Position(),
          .earPosition = form1.TrackBar3.Position(),
          .frontBulge = form1.TrackBar2.Position(),
          .backBulge = form1.TrackBar6.Position(),
          .frontStretch = form1.TrackBar4.Position(),
          .backStretch = form1.TrackBar5.Position(),
          .squareGrid = form1.CheckBox2.Checked(),
          .colourProjection = form1.CheckBox1.Checked()};
}

// The build from the front picture at path, or from one asked for when
// there is none.
void buildPart(TForm1& form1, int k, const std::optional<std::string>& dropped) {
  Scene& scene = form1.scene;
  TForm2& form2 = *form1.Form2;

  if (scene.PartCount > 31) {
    ShowMessage("これ以上は読み込めません！");
    return;
  }

  const std::optional<std::string> path = dropped ? dropped : askPicture(form1.OpenPictureDialog1);
  if (!path || !FileExists(*path)) return;
  if (!FitsPartFileName(*path)) {
    ShowMessage("ファイル名が長すぎます！");
    return;
  }
  const SliderPositions sliders = readSliders(form1);

  LoadPartPicture(scene, k, *path);
  if (!form1.CheckBox3.Checked()) {
    form1.FormPaint();
    TakeFrontAsBackPicture(scene, k);
  } else {
    const std::optional<std::string> backPath = askPicture(form1.OpenPictureDialog1);
    if (!backPath || !FileExists(*backPath)) return;
    LoadPartBackPicture(scene, k, *backPath);
    form1.FormPaint();
  }

  // The part window shows the part once it is placed, and takes the view's
  // size again once the mesh is placed (the bar at 100).
  const auto showPosition = [&form1, &form2, &scene](int position) {
    form1.ProgressBar1.SetPosition(position);
    if (position == 100) form2.SetClientSize(scene.ViewWidth, scene.ViewHeight);
  };
  const BuildProgress progress{.partPlaced = [&form2] { form2.FormPaint(); },
                               .moved = showPosition};
  BuildPartMesh(scene, k, MeshSettingsOf(sliders), ShapeSettingsOf(sliders),
                ProgramFolder() + "save/", progress);
}

}  // namespace

void BuildPart(TForm1& form1, int k) { buildPart(form1, k, std::nullopt); }

void BuildPart(TForm1& form1, int k, const std::string& path) { buildPart(form1, k, path); }

}  // namespace puffel
