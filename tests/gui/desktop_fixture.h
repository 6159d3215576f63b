// The desktop program on Qt's offscreen platform, started afresh for each
// test in a temporary program folder, with dialogs cancelled and message
// boxes recorded instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/desktop_program.h"
#include "support/temp_folder.h"

namespace puffel::test {

// Creates the process's QApplication on the offscreen platform once.
void EnsureQtApplication();

// Processes events until done() holds or a second has passed; returns done().
bool WaitFor(const std::function<bool()>& done);

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  DesktopProgram& program() { return *program_; }
  Scene& scene() { return program_->app.scene; }
  // The widget of the main window's control called name.
  template <typename WidgetType = QWidget>
  WidgetType* control(const char* name) {
    return program_->mainWindow.findChild<WidgetType*>(QString::fromLatin1(name));
  }

  std::vector<std::string> messages;  // message boxes and error reports shown

 private:
  ProgramFolderFixture folder_;
  std::unique_ptr<DesktopProgram> program_;
};

}  // namespace puffel::test
