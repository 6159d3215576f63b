#include "app/background_picture.h"

#include "app/main_window.h"
#include "app/part_window.h"
#include "platform/paths.h"
#include "platform/picture_file.h"

namespace puffel {

std::string BackgroundNameOf(const std::string& path) {
  const std::string name = ExtractFileName(path);
  const size_t extension = ExtractFileExt(name).size();
  if (extension == name.size()) return name;
  return name.substr(0, name.size() - extension);
}

void SetBackground(TForm1& form1) {
  Scene& scene = form1.scene;
  TForm2& form2 = *form1.Form2;
  FileDialog& dialog = form1.OpenPictureDialog2;
  dialog.initialDir = ProgramFolder() + "haikei";
  dialog.filterIndex = 1;
  if (!dialog.Execute()) return;
  const std::string path = dialog.fileName;
  if (!FileExists(path)) return;

  scene.BackgroundName = BackgroundNameOf(path);
  form1.Label1.SetCaption("背景：" + scene.BackgroundName);
  LoadPictureFile(path, scene.BackgroundBitmap);

  form2.SetBorder(BorderStyle::Single, {.systemMenu = true, .minimize = true, .maximize = false});
  // The window runs its own size handling at once when the size changes, so
  // the bookkeeping below then finds no change left and moves nothing again.
  form2.SetClientSize(scene.BackgroundBitmap.Width(), scene.BackgroundBitmap.Height());
  ResizeView(scene, form2.ClientWidth(), form2.ClientHeight());
  // A window whose size stayed the same is not repainted by the size change.
  form2.FormPaint();
}

void ClearBackground(TForm1& form1) {
  Scene& scene = form1.scene;
  if (scene.BackgroundName.empty()) return;
  form1.Label1.SetCaption("背景：なし");
  scene.BackgroundName.clear();
  form1.Form2->SetBorder(BorderStyle::Sizeable,
                         {.systemMenu = true, .minimize = true, .maximize = true});
  if (scene.View3D) form1.Form2->FormPaint();
}

}  // namespace puffel
