// Where a run keeps its folders "obj", "save", "haikei" and "pic_hozon":
// beside the executable (the build tree, the unpacked zip), or, for an
// installed program, in a folder of the user's own.
#pragma once

#include <string>

namespace puffel {

// The program folder of a run, and where an installed run fills it from.
struct ProgramFolderPlace {
  std::string folder;   // ends with a separator
  std::string samples;  // the installed read-only data; "" when folder is beside the executable
};

// A run is installed when its executable's folder holds no "obj" but the
// installed data's "obj" lies at ../share/puffel from it (the package's
// layout, wherever it is unpacked, which a prefix compiled in would not
// allow). The user's folder is "puffel" in the XDG data folder: xdgDataHome
// when it is an absolute path, else home/.local/share. That folder is set by
// the environment alone and always there to make, where the documents folder
// would need xdg-user-dir and may be missing or named in another language.
// Throws PlatformError when an installed run has neither.
ProgramFolderPlace FindProgramFolder(const std::string& executableFolder, const char* xdgDataHome,
                                     const char* home);

// For an installed run: when the user's folder is not there yet, makes it as a
// copy of the samples (through a folder beside it renamed at the end, so that
// an interrupted first start leaves nothing half made); an existing folder's
// files are never touched, only its four folders made again when missing.
// Throws PlatformError.
void PrepareProgramFolder(const ProgramFolderPlace& place);

// The program folder of this run, found from the running executable and the
// environment, and prepared.
std::string DefaultProgramFolder();

}  // namespace puffel
