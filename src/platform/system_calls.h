// The few calls to the operating system that differ between Windows and the
// POSIX systems, one implementation file for each. Paths are UTF-8 here as
// everywhere in the program; on Windows they become the wide-character paths
// its calls take, so that any file name works whatever the code page.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace puffel {

// fopen with a UTF-8 path (modes "rb" and "wb": every file is binary).
std::FILE* OpenSystemFile(const std::string& path, const char* mode);
// Removes the file at path; false when it could not be removed.
bool RemoveSystemFile(const std::string& path);
// Puts the file from in the place of to, replacing a file there in one step.
// False when that failed, with the system's reason in reason.
bool MoveFileOver(const std::string& from, const std::string& to, std::string& reason);
// Moves file's position to offset from its start; offsets past 2 GiB work
// too. False when that failed.
bool SeekSystemFile(std::FILE* file, uint64_t offset);

// The full path of the running executable ("" when the system cannot tell).
std::string RunningExecutablePath();
// The program's command-line arguments after its name, in UTF-8.
std::vector<std::string> CommandLineArguments(int argc, char** argv);
// Makes standard input, output and error binary, so that "\n" goes out as
// it is, and a console shows what is written as UTF-8.
void UseBinaryStandardStreams();

}  // namespace puffel
