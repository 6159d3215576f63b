// puffel-export: writes a saved project's figure as a model file.
//
//   puffel-export [--program-dir DIR] PROJECT.dat OUT.glb|OUT.obj
#include <iostream>

#include "export/export_command.h"
#include "platform/paths.h"
#include "platform/system_calls.h"

int main(int argc, char** argv) {
  puffel::UseBinaryStandardStreams();
  return puffel::RunExportCommand(puffel::CommandLineArguments(argc, argv),
                                  puffel::ExecutableFolder(), std::cout, std::cerr);
}
