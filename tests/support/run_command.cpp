#include "support/run_command.h"

#include <array>
#include <cstdio>
#include <memory>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "platform/paths.h"

namespace puffel::test {

namespace {

#ifdef _WIN32
// The command line of cmd.exe, which _wpopen runs.
std::string quoted(const std::string& word) { return '"' + word + '"'; }
// cmd may take "/" in a program's path for the start of an option.
std::string programPath(const std::string& path) {
  return Utf8FromPath(PathFromUtf8(path).make_preferred());
}
std::string commandLine(const std::string& run, const std::string& folder) {
  // cmd takes off the outermost quotes of the whole line.
  return '"' + (folder.empty() ? "" : "cd /d " + quoted(folder) + " && ") + run + '"';
}
using Pipe = std::unique_ptr<FILE, int (*)(FILE*)>;
Pipe openPipe(const std::string& command) {
  return Pipe(_wpopen(PathFromUtf8(command).wstring().c_str(), L"rb"), _pclose);
}
int exitStatus(int status) { return status; }
#else
// The command line of the POSIX shell, which popen runs.
std::string quoted(const std::string& word) {
  std::string text = "'";
  for (const char c : word) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return text + "'";
}
std::string programPath(const std::string& path) { return path; }
std::string commandLine(const std::string& run, const std::string& folder) {
  return (folder.empty() ? "" : "cd " + quoted(folder) + " && ") + run;
}
using Pipe = std::unique_ptr<FILE, int (*)(FILE*)>;
Pipe openPipe(const std::string& command) { return Pipe(popen(command.c_str(), "r"), pclose); }
int exitStatus(int status) { return WEXITSTATUS(status); }
#endif

}  // namespace

CommandRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& folder, const std::string& errorFile) {
  std::string run = quoted(programPath(program));
  for (const std::string& argument : arguments) run += " " + quoted(argument);
  run += errorFile.empty() ? " 2>&1" : " 2>" + quoted(errorFile);
  Pipe pipe = openPipe(commandLine(run, folder));
  if (!pipe) return {-1, "cannot run " + program};
  std::string out;
  std::array<char, 4096> buffer;
  size_t got = 0;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0) {
    out.append(buffer.data(), got);
  }
  const int status = pipe.get_deleter()(pipe.release());
  return {exitStatus(status), out};
}

}  // namespace puffel::test
