#include "app/start_arguments.h"

#include <system_error>

#include "platform/paths.h"
#include "platform/program_folder.h"

namespace puffel {

std::vector<std::string> PrepareStart(const std::vector<std::string>& args) {
  std::string folder;
  std::vector<std::string> files;
  for (size_t a = 0; a < args.size(); ++a) {
    if (args[a] == "--program-dir" && a + 1 < args.size()) {
      folder = args[++a];
      continue;
    }
    // Dropped files come with absolute paths; one the system cannot make
    // absolute stays as given, and the drop reports it as it reports any.
    std::error_code error;
    const std::string absolute = AbsolutePath(args[a], error);
    files.push_back(error ? args[a] : absolute);
  }
  SetProgramFolder(folder.empty() ? DefaultProgramFolder() : folder);
  return files;
}

}  // namespace puffel
