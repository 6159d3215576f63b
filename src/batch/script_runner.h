// The event-script runner: drives the two windows without a display, one
// command a line, through the same handlers the real windows run.
#pragma once

#include <iosfwd>
#include <string>

namespace puffel {

// Runs script with programFolder as the program folder. Message boxes print
// "message: TEXT" and error reports "error: TEXT" on out; a script error
// prints its line number and reason on err. Returns the exit status: 0 when
// the script ran to its end (or to a close), 2 on a script error.
int RunScript(std::istream& script, std::ostream& out, std::ostream& err,
              const std::string& programFolder);

}  // namespace puffel
