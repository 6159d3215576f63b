// puffel-export: a saved project written as a model file from the command
// line, loaded as the load button loads it into a freshly started program.
//
//   puffel-export [--program-dir DIR] PROJECT.dat OUT.glb|OUT.obj
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace puffel {

// Exit statuses of RunExportCommand.
constexpr int ExportWritten = 0;
constexpr int ExportFailed = 1;  // the project could not be loaded or the model written
constexpr int ExportUsage = 2;   // the arguments ask for nothing it can do

// Runs puffel-export on args (the arguments after the program's name), with
// the program folder programFolder unless --program-dir names another: loads
// PROJECT into a part window of the start size, with the picture copies from
// the program folder's "save", and writes its figure to OUT with
// ExportFigure (".glb" or ".obj" in any case; another name is a usage
// error). "--help" prints the usage on out. Every failure is one line on err,
// and then nothing has been written.
int RunExportCommand(const std::vector<std::string>& args, const std::string& programFolder,
                     std::ostream& out, std::ostream& err);

}  // namespace puffel
