// Runs the real puffel-batch program on a script in a program folder.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace puffel::test {

struct ScriptRun {
  int status;
  std::string out;  // standard output and standard error
};

// Writes script into folder (which ends with '/') and runs it there.
inline ScriptRun RunBatch(const std::string& folder, const std::string& script) {
  const std::string scriptPath = folder + "script.txt";
  std::ofstream(scriptPath) << script;
  const std::string command =
      std::string(PUFFEL_BATCH_EXE) + " --program-dir " + folder + " " + scriptPath + " 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  std::array<char, 4096> buffer;
  size_t got = 0;
  while ((got = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0) {
    out.append(buffer.data(), got);
  }
  const int status = pclose(pipe.release());
  return {WEXITSTATUS(status), out};
}

}  // namespace puffel::test
