#include "desktop_fixture.h"

#include <QApplication>
#include <QTest>

#include "platform/paths.h"
#include "platform/services.h"

namespace puffel::test {

void EnsureQtApplication() {
  if (QApplication::instance() != nullptr) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "gui_tests";
  static char* argv[] = {name, nullptr};
  // Lives until the process ends, across all tests of the run.
  new QApplication(argc, argv);
}

bool WaitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, 1000); }

void DesktopTest::SetUp() {
  EnsureQtApplication();
  SetProgramFolder(folder_.Path());
  InstallDesktopServices();
  Services& services = PlatformServices();
  services.runFileDialog = [](FileDialog&) { return false; };
  services.showMessage = [this](const std::string& text) { messages.push_back(text); };
  services.reportError = [this](const std::string& text) { messages.push_back(text); };
  services.showInformation = [this](const std::string&, const std::string& text) {
    messages.push_back(text);
  };
  program_ = std::make_unique<DesktopProgram>();
  program_->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program_->mainWindow));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program_->partWindow));
}

void DesktopTest::TearDown() {
  program_.reset();
  Services& services = PlatformServices();
  services.showMessage = [](const std::string&) {};
  services.reportError = [](const std::string&) {};
  services.showInformation = nullptr;
}

}  // namespace puffel::test
