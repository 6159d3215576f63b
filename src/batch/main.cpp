// puffel-batch: runs an event script against the program without a display.
//
//   puffel-batch [--program-dir DIR] SCRIPT     (SCRIPT "-" reads standard input)
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "batch/script_runner.h"
#include "platform/paths.h"
#include "platform/platform_error.h"
#include "platform/program_folder.h"
#include "platform/system_calls.h"

int main(int argc, char** argv) {
  puffel::UseBinaryStandardStreams();
  const std::vector<std::string> args = puffel::CommandLineArguments(argc, argv);
  std::string programDir;
  std::string scriptPath;
  for (size_t a = 0; a < args.size(); ++a) {
    if (args[a] == "--program-dir" && a + 1 < args.size()) {
      programDir = args[++a];
    } else if (scriptPath.empty()) {
      scriptPath = args[a];
    } else {
      scriptPath.clear();
      break;
    }
  }
  if (scriptPath.empty()) {
    std::cerr << "usage: puffel-batch [--program-dir DIR] SCRIPT\n";
    return 2;
  }
  try {
    if (programDir.empty()) programDir = puffel::DefaultProgramFolder();
  } catch (const puffel::PlatformError& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  if (scriptPath == "-") return puffel::RunScript(std::cin, std::cout, std::cerr, programDir);
  std::istringstream script;
  try {
    script.str(puffel::ReadFileBytes(scriptPath));
  } catch (const puffel::PlatformError&) {
    std::cerr << "cannot open script: " << scriptPath << '\n';
    return 2;
  }
  return puffel::RunScript(script, std::cout, std::cerr, programDir);
}
