#include "support/batch_process.h"

#include <fstream>

#include "support/run_command.h"

namespace puffel::test {

BatchRun RunBatch(const std::string& folder, const std::string& script) {
  std::ofstream(folder + "script.txt") << script;
  const CommandRun run = RunCommand("cd '" + folder + "' && " + std::string(PUFFEL_BATCH_EXE) +
                                    " --program-dir . script.txt 2>&1");
  return {run.status, run.out};
}

}  // namespace puffel::test
