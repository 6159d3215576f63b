// puffel-export: writes a saved project's figure as a model file.
//
//   puffel-export [--program-dir DIR] PROJECT.dat OUT.glb|OUT.obj
#include <iostream>
#include <string>
#include <vector>

#include "export/export_command.h"
#include "platform/paths.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return puffel::RunExportCommand(args, puffel::ExecutableFolder(), std::cout, std::cerr);
}
