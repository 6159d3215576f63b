// puffel-export: writes the figure of a saved project, or of pictures added
// as parts, as a model file.
//
//   puffel-export [--program-dir DIR] [--height MM] PROJECT.dat OUT
//   puffel-export [--program-dir DIR] [--height MM] [BUILD OPTION...] PICTURE... OUT
// OUT ends in .glb, .obj, .stl or .3mf.
#include <algorithm>
#include <iostream>

#include "export/export_command.h"
#include "platform/platform_error.h"
#include "platform/program_folder.h"
#include "platform/system_calls.h"

int main(int argc, char** argv) {
  puffel::UseBinaryStandardStreams();
  const std::vector<std::string> args = puffel::CommandLineArguments(argc, argv);
  // A folder named by --program-dir is the command's; only without one is
  // the user's folder of an installed program made.
  std::string programFolder;
  try {
    if (std::find(args.begin(), args.end(), "--program-dir") == args.end()) {
      programFolder = puffel::DefaultProgramFolder();
    }
  } catch (const puffel::PlatformError& error) {
    std::cerr << error.what() << '\n';
    return puffel::ExportFailed;
  }
  return puffel::RunExportCommand(args, programFolder, std::cout, std::cerr);
}
