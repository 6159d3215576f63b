#include "app/view_export.h"

#include "app/main_window.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "platform/services.h"

namespace puffel {

std::string ExportFilePath(const std::string& chosen) {
  return AppendMissingExtension(chosen, ".bmp", ".BMP");
}

void ExportView(TForm1& form1) {
  Scene& scene = form1.scene;
  if (scene.PartCount <= 0) {
    ShowMessage("まだ画像を読み込んでいません！");
    return;
  }
  FileDialog& dialog = form1.SaveDialog2;
  dialog.initialDir = ProgramFolder() + "pic_hozon";
  dialog.filterIndex = 1;
  if (!dialog.Execute()) return;
  scene.ExportFileName = ExportFilePath(dialog.fileName);
  SaveBitmapFile(scene.ExportFileName, scene.ViewBitmap);
}

}  // namespace puffel
