#include "app/model_export_menu.h"

#include <string>

#include "anim/playback_rate.h"
#include "app/main_window.h"
#include "app/part_window.h"
#include "export/animation_gif.h"
#include "export/export_refusal.h"
#include "export/model_export.h"
#include "platform/paths.h"
#include "platform/services.h"

namespace puffel {

namespace {

constexpr const char* ModelFilter =
    "glTF (*.glb)|*.glb|OBJ (*.obj)|*.obj|STL (*.stl)|*.stl|3MF (*.3mf)|*.3mf";
constexpr const char* PrintHeightTitle = "印刷の高さ";
constexpr const char* PrintHeightPrompt = "印刷の高さ (mm、1～1000):";
constexpr const char* BadPrintHeightMessage =
    "印刷の高さは 1 から 1000 までの整数で入れてください！";
constexpr const char* GifFilter = "GIFアニメ (*.gif)|*.gif";

void exportFromDialog(TForm1& form1) {
  if (form1.scene.PartCount < 1) {
    ShowMessage("まだ画像を読み込んでいません！");
    return;
  }
  FileDialog dialog(DialogKind::Save, ModelFilter);
  dialog.initialDir = ProgramFolder() + "pic_hozon";
  if (!dialog.Execute()) return;
  const std::string path = ModelFilePath(dialog.fileName, dialog.filterIndex);
  if (IsPrintFormat(FormatOfPath(path))) {
    const std::optional<int> height =
        AskNumber(PrintHeightTitle, PrintHeightPrompt, form1.PrintHeight, MinPrintHeight,
                  MaxPrintHeight, BadPrintHeightMessage);
    if (!height) return;
    form1.PrintHeight = *height;
  }
  try {
    ExportFigure(form1.scene, path, form1.PrintHeight);
  } catch (const ExportRefusal& refusal) {
    ShowMessage(refusal.what());
  }
}

// The animation as the 3D view plays it, into a GIF file; the view is drawn
// again as it was.
void exportGifFromDialog(TForm1& form1) {
  if (form1.scene.AnimationKeys.empty()) {
    ShowMessage(NoKeysMessage);
    return;
  }
  FileDialog dialog(DialogKind::Save, GifFilter);
  dialog.initialDir = ProgramFolder() + "pic_hozon";
  if (!dialog.Execute()) return;
  const std::string path = GifFilePath(dialog.fileName);
  std::string gif;
  try {
    gif = AnimationGif(form1.scene);
  } catch (...) {
    form1.Form2->FormPaint();
    throw;
  }
  form1.Form2->FormPaint();
  WriteFileBytes(path, gif);
}

}  // namespace

void InstallModelExport(TForm1& form1) {
  form1.Export3D.OnClick = [&form1] { exportFromDialog(form1); };
  form1.ExportGif.OnClick = [&form1] { exportGifFromDialog(form1); };
}

}  // namespace puffel
