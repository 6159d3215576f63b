#include "platform/paths.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#include "platform/platform_error.h"
#include "platform/system_calls.h"

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

std::filesystem::path PathFromUtf8(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string AbsolutePath(const std::string& path, std::error_code& error) {
  return Utf8FromPath(std::filesystem::absolute(PathFromUtf8(path), error));
}

const std::string& ProgramFolder() { return programFolder(); }

std::string ExecutableFolder() {
  const std::string executable = RunningExecutablePath();
  if (executable.empty()) return "./";
  return executable.substr(0, fileNameStart(executable));
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

std::string LowerFileExt(const std::string& path) {
  std::string extension = ExtractFileExt(path);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

std::string AppendMissingExtension(const std::string& path, const std::string& extension,
                                   const std::string& upperExtension) {
  if (path.ends_with(extension) || path.ends_with(upperExtension)) return path;
  return path + extension;
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(PathFromUtf8(path), error);
}

std::string ReadFileBytes(const std::string& path, size_t maxBytes) {
  FileReader reader(path);
  std::string bytes(std::min(reader.Size(), maxBytes), '\0');
  bytes.resize(reader.ReadAt(0, bytes.size(), bytes.data()));
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  FileWriter writer(path);
  writer.Write(bytes.data(), bytes.size());
  writer.Commit();
}

FileReader::FileReader(const std::string& path) : path_(path) {
  file_ = OpenSystemFile(path, "rb");
  if (file_ == nullptr) throw PlatformError("ファイルを開けません: " + path);
  // A folder opens, but it has no length and cannot be read.
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(PathFromUtf8(path), error);
  if (error) {
    std::fclose(file_);
    throw PlatformError("ファイルを読み込めません: " + path);
  }
  size_ = static_cast<size_t>(size);
}

FileReader::~FileReader() { std::fclose(file_); }

size_t FileReader::ReadAt(size_t offset, size_t count, char* out) {
  if (offset >= size_ || count == 0) return 0;
  if (!SeekSystemFile(file_, offset)) {
    throw PlatformError("ファイルを読み込めません: " + path_);
  }
  const size_t read = std::fread(out, 1, count, file_);
  if (std::ferror(file_)) throw PlatformError("ファイルを読み込めません: " + path_);
  return read;
}

FileWriter::FileWriter(const std::string& path) : path_(path), temporary_(path + ".tmp~") {
  file_ = OpenSystemFile(temporary_, "wb");
  if (file_ == nullptr) {
    throw PlatformError("ファイルを作成できません: " + path + " (" + systemReason() + ")");
  }
}

FileWriter::~FileWriter() {
  if (committed_) return;
  if (file_ != nullptr) std::fclose(file_);
  RemoveSystemFile(temporary_);
}

void FileWriter::Write(const char* bytes, size_t count) {
  if (std::fwrite(bytes, 1, count, file_) != count) {
    throw PlatformError("ファイルに書き込めません: " + path_);
  }
}

void FileWriter::Close() {
  const bool closed = std::fclose(std::exchange(file_, nullptr)) == 0;
  if (!closed) {
    RemoveSystemFile(temporary_);
    throw PlatformError("ファイルに書き込めません: " + path_);
  }
}

void FileWriter::Commit() {
  if (file_ != nullptr) Close();
  std::string reason;
  if (!MoveFileOver(temporary_, path_, reason)) {
    RemoveSystemFile(temporary_);
    throw PlatformError("ファイルに書き込めません: " + path_ + " (" + reason + ")");
  }
  committed_ = true;
}

}  // namespace puffel
