#include "platform/file_set.h"

#include "platform/platform_error.h"
#include "platform/system_calls.h"

namespace puffel {

FileWriter& FileSet::Add(const std::string& path) {
  files_.push_back(std::make_unique<FileWriter>(path));
  paths_.push_back(path);
  return *files_.back();
}

void FileSet::Commit() {
  for (size_t n = 0; n < files_.size(); ++n) {
    try {
      files_[n]->Commit();
    } catch (const PlatformError&) {
      for (size_t done = 0; done < n; ++done) RemoveSystemFile(paths_[done]);
      files_.clear();
      throw;
    }
  }
  files_.clear();
}

}  // namespace puffel
