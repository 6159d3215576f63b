// Saving the scene as a project file (".dat"): the light and material marks,
// the picture file names, the skeleton tables and every part's pose, placement
// and mesh, as flat little-endian bytes. The pictures themselves are the
// builder's copies in "save".
#pragma once

#include <string>

#include "scene/scene.h"

namespace puffel {

// The project file of scene: a 46-byte header, the 32 file-name slots, the
// interleaved skeleton tables and one record per part in use, with positions
// stored relative to half the view size.
std::string EncodeProject(const Scene& scene);

// The path a project is written to: the chosen path, with ".dat" appended
// unless it ends in ".dat" or ".DAT" (case-sensitive).
std::string ProjectFilePath(const std::string& chosen);

// Writes the project file of scene to path and, when it has keys or a file
// is there already, its animation file beside it (AnimationFilePath), and,
// when its soft joints are not as a new scene has them or a file is there
// already, its joint settings file (JointSettingsFilePath), each through a
// temporary file and all put in place together, replacing files of those
// names only once all new ones are complete. Throws PlatformError
// when they cannot be written.
void WriteProjectFiles(const Scene& scene, const std::string& path);

}  // namespace puffel
