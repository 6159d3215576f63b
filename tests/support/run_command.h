// Running another program from a test.
#pragma once

#include <string>
#include <vector>

namespace puffel::test {

struct CommandRun {
  int status;       // the exit status
  std::string out;  // what it wrote on standard output (and standard error)
};

// Runs program with arguments (UTF-8) in folder ("": the current one) and
// waits for it to end. What it writes on standard error goes to errorFile, or
// when that is "" into out with its standard output.
CommandRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& folder = "", const std::string& errorFile = "");

}  // namespace puffel::test
