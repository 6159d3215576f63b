#include "app/project_buttons.h"

#include "app/main_window.h"
#include "app/part_window.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "project/project_load.h"
#include "project/project_save.h"

namespace puffel {

void SaveProject(TForm1& form1) {
  const Scene& scene = form1.scene;
  if (scene.PartCount < 1) {
    ShowMessage("まだ画像を読み込んでいません！");
    return;
  }
  FileDialog& dialog = form1.SaveDialog1;
  dialog.initialDir = ProgramFolder() + "save";
  dialog.filterIndex = 2;
  if (!dialog.Execute()) return;
  WriteProjectFiles(scene, ProjectFilePath(dialog.fileName));
}

void LoadProject(TForm1& form1) {
  FileDialog& dialog = form1.OpenDialog1;
  dialog.initialDir = ProgramFolder() + "save";
  if (!dialog.Execute()) return;
  LoadProject(form1, dialog.fileName);
}

void LoadProject(TForm1& form1, const std::string& path) {
  if (!FileExists(path)) return;
  try {
    LoadProjectFile(form1.scene, path, ProgramFolder());
  } catch (const DamagedProject&) {
    ShowMessage("データファイルが壊れています！");
    return;
  }
  form1.FormPaint();
  form1.Form2->FormPaint();
}

}  // namespace puffel
