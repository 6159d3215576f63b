// Fuzz entry for the event-script parser: every line of the input is parsed
// as puffel-batch reads it; a line either gives a command or is refused with a
// ScriptError. Nothing runs, so no file is written.
#include <cstdint>
#include <sstream>
#include <string>

#include "batch/script_command.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
  std::string line;
  while (std::getline(script, line)) {
    try {
      puffel::ParseScriptLine(line);
    } catch (const puffel::ScriptError&) {
    }
  }
  return 0;
}
