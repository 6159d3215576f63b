// The real puffel-batch program run on a script, as a user would run it.
#pragma once

#include <string>

namespace puffel::test {

struct BatchRun {
  int status;       // the exit status
  std::string out;  // standard output and standard error together
};

// Writes script into folder as script.txt and runs puffel-batch on it in
// folder, which is also its program folder (so relative paths in the script
// name files there).
BatchRun RunBatch(const std::string& folder, const std::string& script);

}  // namespace puffel::test
