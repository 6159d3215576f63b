#include "app/dropped_files.h"

#include <algorithm>
#include <cctype>
#include <functional>

#include "app/main_window.h"
#include "platform/paths.h"
#include "platform/picture_file.h"
#include "platform/services.h"

namespace puffel {

namespace {

bool isProjectFileName(const std::string& path) {
  std::string extension = ExtractFileExt(path);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".dat";
}

// Runs a button's handler with path chosen in its dialog. A handler that ends
// before it opens the dialog leaves the choice unused: it must not answer the
// next real dialog.
void clickWithChosenFile(FileDialog& dialog, const std::string& path,
                         const std::function<void()>& click) {
  dialog.chosen = path;
  struct Forget {
    FileDialog& dialog;
    ~Forget() { dialog.chosen.reset(); }
  } forget{dialog};
  click();
}

}  // namespace

void DropFiles(TForm1& form1, const std::vector<std::string>& paths) {
  if (paths.size() == 1 && isProjectFileName(paths[0])) {
    clickWithChosenFile(form1.OpenDialog1, paths[0], [&form1] { form1.SpeedButton5.Click(); });
    return;
  }
  const auto unreadable = std::find_if_not(paths.begin(), paths.end(), IsPictureFileName);
  if (unreadable != paths.end()) {
    ShowMessage("読み込めないファイルです：" + ExtractFileName(*unreadable));
    return;
  }
  for (const std::string& path : paths) {
    const bool full = form1.scene.PartCount > 31;
    clickWithChosenFile(form1.OpenPictureDialog1, path, [&form1] { form1.Button1.Click(); });
    if (full) return;
  }
}

}  // namespace puffel
