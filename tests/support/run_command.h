// Running another program from a test.
#pragma once

#include <string>

namespace puffel::test {

struct CommandRun {
  int status;       // the exit status
  std::string out;  // what it wrote on standard output (and on standard error with 2>&1)
};

// Runs command through the shell and waits for it to end.
CommandRun RunCommand(const std::string& command);

}  // namespace puffel::test
