// Files written together, each through a temporary file beside it, and put in
// place together, so that a failed export leaves none of them behind.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/paths.h"

namespace puffel {

class FileSet {
 public:
  // Starts the file for path, written through the returned writer until
  // Commit. Throws PlatformError when it cannot be created.
  FileWriter& Add(const std::string& path);

  // Puts every file in place, in the order they were added. When one cannot
  // be, the files already put in place are removed again (a file they
  // replaced stays lost) and the others' temporary files too; then throws
  // PlatformError. A set destroyed before Commit removes its temporary files.
  void Commit();

 private:
  std::vector<std::string> paths_;
  std::vector<std::unique_ptr<FileWriter>> files_;
};

}  // namespace puffel
