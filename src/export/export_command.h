// puffel-export: a saved project, or pictures added as parts, written as a
// model file from the command line, into the scene of a freshly started
// program.
//
//   puffel-export [--program-dir DIR] [--height MM] PROJECT.dat OUT
//   puffel-export [--program-dir DIR] [--height MM] [--polygon-size N]
//                 [--bulge F B] [--stretch F B] [--ears N] [--square]
//                 [--colour-projection] PICTURE... OUT
// OUT ends in .glb, .obj, .stl, .3mf or .png (a sprite sheet), followed for a
// sheet by SHEET OPTIONs: --directions N, --size W H, --frame-files.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace puffel {

// Exit statuses of RunExportCommand.
constexpr int ExportWritten = 0;
constexpr int ExportFailed = 1;  // the figure could not be made or the model written
constexpr int ExportUsage = 2;   // the arguments ask for nothing it can do

// Runs puffel-export on args (the arguments after the program's name), with
// the program folder programFolder unless --program-dir names another, in a
// scene as the program starts it with the part window at its start size:
// loads PROJECT with the picture copies from the program folder's "save", or
// adds every PICTURE in order as the add-picture button adds it with the
// build options as its sliders and check boxes (the picture copies written
// into "save", the parts placed where the button places them and linked as
// its build links them); then writes the figure to OUT with ExportFigure
// (".glb", ".obj", ".stl" or ".3mf" in any case, the last two printHeight
// millimetres tall), or, for ".png", the part window resized to --size, its
// sprite sheet with ExportSpriteSheet; another name is a usage error. "--help"
// prints the usage on out. Every failure is one line on err, and then no
// model has been written (the copies of pictures added before a picture
// that cannot be read stay in "save").
int RunExportCommand(const std::vector<std::string>& args, const std::string& programFolder,
                     std::ostream& out, std::ostream& err);

}  // namespace puffel
