#include "support/batch_process.h"

#include "platform/paths.h"
#include "support/run_command.h"

namespace puffel::test {

BatchRun RunBatch(const std::string& folder, const std::string& script) {
  WriteFileBytes(folder + "script.txt", script);
  const CommandRun run = RunProgram(PUFFEL_BATCH_EXE, {"--program-dir", ".", "script.txt"}, folder);
  return {run.status, run.out};
}

}  // namespace puffel::test
