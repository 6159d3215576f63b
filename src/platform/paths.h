// Paths, files and the program folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace puffel {

// The folder of the executable, where "obj", "save", "haikei" and "pic_hozon"
// are looked up; always ends with a path separator.
const std::string& ProgramFolder();
// The folder of the running executable, ending with a separator.
std::string ExecutableFolder();
// Sets the program folder (a separator is appended when missing).
void SetProgramFolder(std::string folder);

// The folder of path, without the trailing separator ("" when there is none).
std::string ExtractFileDir(const std::string& path);
// The file-name part of path: everything after the last '/', '\' or ':'.
std::string ExtractFileName(const std::string& path);
// The extension of path's file name, with its dot ("" when there is none).
std::string ExtractFileExt(const std::string& path);

// path with extension appended, unless its last characters are extension or
// upperExtension exactly (case-sensitive: "a.Bmp" gets ".bmp" appended).
std::string AppendMissingExtension(const std::string& path, const std::string& extension,
                                   const std::string& upperExtension);

// True when path names an existing regular file.
bool FileExists(const std::string& path);

// Reads a file, or its first maxBytes bytes; throws PlatformError when it
// cannot be read.
std::string ReadFileBytes(const std::string& path, size_t maxBytes = SIZE_MAX);
// Writes bytes to path through a temporary file beside it that is renamed over
// it, so a failed write leaves an existing file as it was. Throws PlatformError.
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The same for a file too large to hold in memory at once: write puts it into
// the temporary file and returns false when a write failed. An exception from
// write is passed on; either way the temporary file is removed.
void WriteFileWith(const std::string& path, const std::function<bool(std::FILE* file)>& write);

}  // namespace puffel
