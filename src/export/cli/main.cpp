// puffel-export: writes the figure of a saved project, or of pictures added
// as parts, as a model file.
//
//   puffel-export [--program-dir DIR] PROJECT.dat OUT.glb|OUT.obj
//   puffel-export [--program-dir DIR] [BUILD OPTION...] PICTURE... OUT.glb|OUT.obj
#include <iostream>

#include "export/export_command.h"
#include "platform/paths.h"
#include "platform/system_calls.h"

int main(int argc, char** argv) {
  puffel::UseBinaryStandardStreams();
  return puffel::RunExportCommand(puffel::CommandLineArguments(argc, argv),
                                  puffel::ExecutableFolder(), std::cout, std::cerr);
}
