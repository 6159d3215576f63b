// The arguments of the desktop program:
//
//   puffel [--program-dir DIR] [PICTURE... | PROJECT.dat]
#pragma once

#include <string>
#include <vector>

namespace puffel {

// Sets the program folder from args (the arguments after the program's name):
// the folder named after "--program-dir", else DefaultProgramFolder(). Returns
// the other arguments made absolute, the files to hand to the main window as
// a drop once the windows are up (Form::ReportDrop), which adds the pictures
// and opens a project as a drop does. Throws PlatformError when the user's
// folder of an installed program cannot be made.
std::vector<std::string> PrepareStart(const std::vector<std::string>& args);

}  // namespace puffel
