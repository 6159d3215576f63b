#include "app/dropped_files.h"

#include <algorithm>
#include <cctype>

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

// Clicks button with path as the dropped file its handler takes. The file
// belongs to this click alone, also when the handler throws.
void clickWithDroppedFile(TForm1& form1, Control& button, const std::string& path) {
  form1.DroppedFile = path;
  struct Forget {
    TForm1& form1;
    ~Forget() { form1.DroppedFile.reset(); }
  } forget{form1};
  button.Click();
}

}  // namespace

void DropFiles(TForm1& form1, const std::vector<std::string>& paths) {
  if (paths.size() == 1 && isProjectFileName(paths[0])) {
    clickWithDroppedFile(form1, form1.SpeedButton5, paths[0]);
    return;
  }
  const auto unreadable = std::find_if_not(paths.begin(), paths.end(), IsPictureFileName);
  if (unreadable != paths.end()) {
    ShowMessage("読み込めないファイルです：" + ExtractFileName(*unreadable));
    return;
  }
  for (const std::string& path : paths) {
    const bool full = form1.scene.PartCount > 31;
    clickWithDroppedFile(form1, form1.Button1, path);
    if (full) return;
  }
}

}  // namespace puffel
