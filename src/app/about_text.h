// What the About box says: the program's name and version, and the libraries
// it contains with their licences.
#pragma once

#include <string>

namespace puffel {

// The version the build gives the program, as "1.2.3".
std::string ProgramVersion();

// The box's text; toolkitNotice, when not empty, is the line of the window
// toolkit the running binding links.
std::string AboutText(const std::string& toolkitNotice);

}  // namespace puffel
