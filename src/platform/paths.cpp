#include "platform/paths.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/platform_error.h"

namespace puffel {

namespace {

std::string& programFolder() {
  static std::string folder = "./";
  return folder;
}

size_t fileNameStart(const std::string& path) {
  const size_t cut = path.find_last_of("/\\:");
  return cut == std::string::npos ? 0 : cut + 1;
}

std::string systemReason() { return std::strerror(errno); }

}  // namespace

const std::string& ProgramFolder() { return programFolder(); }

std::string ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "./";
  return executable.parent_path().string() + "/";
}

void SetProgramFolder(std::string folder) {
  if (folder.empty()) folder = ".";
  if (folder.back() != '/' && folder.back() != '\\') folder += '/';
  programFolder() = std::move(folder);
}

std::string ExtractFileDir(const std::string& path) {
  const size_t start = fileNameStart(path);
  if (start == 0) return "";
  if (start == 1) return path.substr(0, 1);
  return path.substr(0, start - 1);
}

std::string ExtractFileName(const std::string& path) { return path.substr(fileNameStart(path)); }

std::string ExtractFileExt(const std::string& path) {
  const std::string name = ExtractFileName(path);
  const size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? "" : name.substr(dot);
}

std::string AppendMissingExtension(const std::string& path, const std::string& extension,
                                   const std::string& upperExtension) {
  if (path.ends_with(extension) || path.ends_with(upperExtension)) return path;
  return path + extension;
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

std::string ReadFileBytes(const std::string& path, size_t maxBytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw PlatformError("ファイルを開けません: " + path);
  std::string bytes;
  std::array<char, 65536> chunk;
  while (bytes.size() < maxBytes && in) {
    in.read(chunk.data(),
            static_cast<std::streamsize>(std::min<size_t>(chunk.size(), maxBytes - bytes.size())));
    bytes.append(chunk.data(), static_cast<size_t>(in.gcount()));
  }
  if (in.bad()) throw PlatformError("ファイルを読み込めません: " + path);
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  WriteFileWith(path, [&](std::FILE* out) {
    return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  });
}

void WriteFileWith(const std::string& path, const std::function<bool(std::FILE* file)>& write) {
  const std::string temporary = path + ".tmp~";
  std::FILE* out = std::fopen(temporary.c_str(), "wb");
  if (out == nullptr) {
    throw PlatformError("ファイルを作成できません: " + path + " (" + systemReason() + ")");
  }
  bool written = false;
  try {
    written = write(out);
  } catch (...) {
    std::fclose(out);
    std::remove(temporary.c_str());
    throw;
  }
  const bool closed = std::fclose(out) == 0;
  if (!written || !closed) {
    std::remove(temporary.c_str());
    throw PlatformError("ファイルに書き込めません: " + path);
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string reason = systemReason();
    std::remove(temporary.c_str());
    throw PlatformError("ファイルに書き込めません: " + path + " (" + reason + ")");
  }
}

}  // namespace puffel
