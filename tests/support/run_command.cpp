#include "support/run_command.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <memory>

namespace puffel::test {

CommandRun RunCommand(const std::string& command) {
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
