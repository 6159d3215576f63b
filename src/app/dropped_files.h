// Files dropped on either window from the desktop.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace puffel {

struct Scene;

// Where dropped files go: each picture is added, a project opened.
struct DropTargets {
  std::function<void(const std::string& path)> addPicture;
  std::function<void(const std::string& path)> openProject;
};

// Picture files are added in the order given, each as the add-picture button
// adds the picture its dialog asks for (with CheckBox3 checked the back
// picture is still asked for); when the 32 parts of scene are full the
// button's message ends the drop there, and so does a picture that cannot be
// read (its error goes to the error report). One project file (".dat") alone
// is opened as the load button opens one. Anything else gets the message
// "読み込めないファイルです：" with the first such file's name, and nothing
// changes.
void DropFiles(const Scene& scene, const std::vector<std::string>& paths,
               const DropTargets& targets);

}  // namespace puffel
