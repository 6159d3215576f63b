// Paths, files and the program folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace puffel {

// Paths are UTF-8 strings throughout the program; these give the standard
// library's paths for them and back, whatever the system's code page.
std::filesystem::path PathFromUtf8(const std::string& path);
std::string Utf8FromPath(const std::filesystem::path& path);
// path made absolute against the current folder; error is set when it cannot
// be (an empty path, say).
std::string AbsolutePath(const std::string& path, std::error_code& error);

// The folder of the executable, where "obj", "save", "haikei" and "pic_hozon"
// are looked up; always ends with a path separator.
const std::string& ProgramFolder();
// The folder of the running executable, ending with a separator ("./" when
// the system cannot tell).
std::string ExecutableFolder();
// Sets the program folder (a separator is appended when missing).
void SetProgramFolder(std::string folder);

// The folder of path, without the trailing separator ("" when there is none).
std::string ExtractFileDir(const std::string& path);
// The file-name part of path: everything after the last '/', '\' or ':'.
std::string ExtractFileName(const std::string& path);
// The extension of path's file name, with its dot ("" when there is none).
std::string ExtractFileExt(const std::string& path);
// The same in lower case (ASCII letters only), for comparing extensions.
std::string LowerFileExt(const std::string& path);

// path with extension appended, unless its last characters are extension or
// upperExtension exactly (case-sensitive: "a.Bmp" gets ".bmp" appended).
std::string AppendMissingExtension(const std::string& path, const std::string& extension,
                                   const std::string& upperExtension);

// True when path names an existing regular file.
bool FileExists(const std::string& path);

// Reads a file, or its first maxBytes bytes; throws PlatformError when it
// cannot be read.
std::string ReadFileBytes(const std::string& path, size_t maxBytes = SIZE_MAX);
// Writes bytes to path through a temporary file beside it that then replaces
// it in one step, so a failed write leaves an existing file as it was. Throws
// PlatformError.
void WriteFileBytes(const std::string& path, const std::string& bytes);

// A regular file read in stretches, so that a large one need not be held
// whole. Throws PlatformError, naming the path, when it cannot be opened or read.
class FileReader {
 public:
  explicit FileReader(const std::string& path);
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  // The file's length when it was opened.
  size_t Size() const { return size_; }
  // Reads up to count bytes from offset on into out and returns how many there
  // were (fewer only where the file ends).
  size_t ReadAt(size_t offset, size_t count, char* out);

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
  size_t size_ = 0;
};

// A file written in pieces through a temporary file beside it that Commit
// renames over the path, as WriteFileBytes does; a writer destroyed before
// Commit removes the temporary file and leaves the path as it was. Throws
// PlatformError, naming the path.
class FileWriter {
 public:
  explicit FileWriter(const std::string& path);
  ~FileWriter();
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  void Write(const char* bytes, size_t count);
  // Closes the temporary file, written whole, so that a set of many files
  // need not hold them all open; Commit still puts it in place. Nothing can
  // be written after it.
  void Close();
  void Commit();

 private:
  std::string path_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  bool committed_ = false;
};

}  // namespace puffel
