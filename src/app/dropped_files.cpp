#include "app/dropped_files.h"

#include <algorithm>
#include <cctype>

#include "platform/paths.h"
#include "platform/picture_file.h"
#include "platform/services.h"
#include "scene/scene.h"

namespace puffel {

namespace {

bool isProjectFileName(const std::string& path) { return LowerFileExt(path) == ".dat"; }

}  // namespace

void DropFiles(const Scene& scene, const std::vector<std::string>& paths,
               const DropTargets& targets) {
  if (paths.size() == 1 && isProjectFileName(paths[0])) {
    targets.openProject(paths[0]);
    return;
  }
  const auto unreadable = std::find_if_not(paths.begin(), paths.end(), IsPictureFileName);
  if (unreadable != paths.end()) {
    ShowMessage("読み込めないファイルです：" + ExtractFileName(*unreadable));
    return;
  }
  for (const std::string& path : paths) {
    const bool full = scene.PartCount > 31;
    targets.addPicture(path);
    if (full) return;
  }
}

}  // namespace puffel
