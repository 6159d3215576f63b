// puffel-batch: runs an event script against the program without a display.
//
//   puffel-batch [--program-dir DIR] SCRIPT     (SCRIPT "-" reads standard input)
#include <fstream>
#include <iostream>
#include <string>

#include "batch/script_runner.h"
#include "platform/paths.h"

int main(int argc, char** argv) {
  std::string programDir = puffel::ExecutableFolder();
  std::string scriptPath;
  for (int a = 1; a < argc; ++a) {
    const std::string arg = argv[a];
    if (arg == "--program-dir" && a + 1 < argc) {
      programDir = argv[++a];
    } else if (scriptPath.empty()) {
      scriptPath = arg;
    } else {
      scriptPath.clear();
      break;
    }
  }
  if (scriptPath.empty()) {
    std::cerr << "usage: puffel-batch [--program-dir DIR] SCRIPT\n";
    return 2;
  }
  if (scriptPath == "-") return puffel::RunScript(std::cin, std::cout, std::cerr, programDir);
  std::ifstream script(scriptPath);
  if (!script) {
    std::cerr << "cannot open script: " << scriptPath << '\n';
    return 2;
  }
  return puffel::RunScript(script, std::cout, std::cerr, programDir);
}
