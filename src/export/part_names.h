// The names of the figure's parts in the model files.
#pragma once

#include <string>
#include <vector>

#include "scene/scene.h"

namespace puffel {

// One name per used part, in slot order: the file name of its picture without
// folder and extension, with blanks, control characters and bytes that are no
// UTF-8 each replaced by '_', "part" when nothing is left, and "_2", "_3", ...
// appended to a name already given, so that no two are alike.
std::vector<std::string> PartNames(const Scene& scene);

}  // namespace puffel
