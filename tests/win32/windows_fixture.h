// The Windows program's windows, made afresh for each test in a temporary
// program folder, with dialogs cancelled and message boxes recorded instead
// of shown. Under Wine without a display the windows exist all the same.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "win32/desktop_program.h"

namespace puffel::test {

class WindowsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  DesktopProgram& program() { return *program_; }
  HWND mainWindow() { return program_->mainWindow.Handle(); }
  HWND partWindow() { return program_->partWindow.Handle(); }
  // The child window showing control.
  HWND windowOf(const Control& control);
  // Runs the message loop until done() holds or milliseconds have passed.
  bool waitFor(const std::function<bool()>& done, int milliseconds = 2000);

  std::vector<std::string> messages;

 private:
  std::unique_ptr<ProgramFolderFixture> folder_;
  std::unique_ptr<DesktopProgram> program_;
};

// The client area's size.
SIZE ClientSize(HWND window);
// The window's text in UTF-8.
std::string WindowText(HWND window);

}  // namespace puffel::test
