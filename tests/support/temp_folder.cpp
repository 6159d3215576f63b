#include "support/temp_folder.h"

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <stdexcept>

#include "platform/paths.h"

namespace puffel::test {

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  const std::filesystem::path base =
      std::filesystem::temp_directory_path() /
      ("puffel-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(base);
  if (!std::filesystem::create_directories(base)) {
    throw std::runtime_error("cannot create " + base.string());
  }
  path_ = Utf8FromPath(base) + "/";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ProgramFolderFixture::ProgramFolderFixture() {
  for (const char* folder : {"obj", "save", "haikei", "pic_hozon"}) {
    std::filesystem::create_directory(Path() + folder);
  }
}

}  // namespace puffel::test
