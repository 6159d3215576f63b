#include "export/model_export.h"

#include <algorithm>
#include <cctype>

#include "app/main_window.h"
#include "export/animation_gif.h"
#include "export/export_refusal.h"
#include "export/figure_model.h"
#include "export/glb_file.h"
#include "export/obj_files.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "render/part_window.h"

namespace puffel {

namespace {

constexpr const char* ModelFilter = "glTF (*.glb)|*.glb|OBJ (*.obj)|*.obj";
constexpr const char* GifFilter = "GIFアニメ (*.gif)|*.gif";

std::string lowerExtension(const std::string& path) {
  std::string extension = ExtractFileExt(path);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

void exportFromDialog(TForm1& form1) {
  if (form1.scene.PartCount < 1) {
    ShowMessage("まだ画像を読み込んでいません！");
    return;
  }
  FileDialog dialog(DialogKind::Save, ModelFilter);
  dialog.initialDir = ProgramFolder() + "pic_hozon";
  if (!dialog.Execute()) return;
  try {
    ExportFigure(form1.scene, ModelFilePath(dialog.fileName, dialog.filterIndex));
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
  const std::string path =
      lowerExtension(dialog.fileName) == ".gif" ? dialog.fileName : dialog.fileName + ".gif";
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

ModelFormat FormatOfPath(const std::string& path) {
  return lowerExtension(path) == ".obj" ? ModelFormat::Obj : ModelFormat::Glb;
}

std::string ModelFilePath(const std::string& chosen, int filterIndex) {
  const std::string extension = lowerExtension(chosen);
  if (extension == ".glb" || extension == ".obj") return chosen;
  return chosen + (filterIndex == 2 ? ".obj" : ".glb");
}

void ExportFigure(const Scene& scene, const std::string& path) {
  const FigureModel model = BuildFigureModel(scene);
  if (FormatOfPath(path) == ModelFormat::Glb) {
    WriteGlbFile(scene, model, path);
  } else {
    WriteObjFiles(scene, model, path);
  }
}

void InstallModelExport(TForm1& form1) {
  form1.Export3D.OnClick = [&form1] { exportFromDialog(form1); };
  form1.ExportGif.OnClick = [&form1] { exportGifFromDialog(form1); };
}

}  // namespace puffel
