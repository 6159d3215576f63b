#include <sys/types.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/system_calls.h"

namespace puffel {

std::FILE* OpenSystemFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool RemoveSystemFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool MoveFileOver(const std::string& from, const std::string& to, std::string& reason) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  reason = std::strerror(errno);
  return false;
}

bool SeekSystemFile(std::FILE* file, uint64_t offset) {
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

std::string RunningExecutablePath() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? "" : executable.string();
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

// POSIX streams are binary and terminals take UTF-8 already.
void UseBinaryStandardStreams() {}

}  // namespace puffel
