#include "windows_fixture.h"

#include <commctrl.h>

#include "platform/paths.h"
#include "platform/services.h"
#include "win32/control_windows.h"
#include "win32/wide_text.h"

namespace puffel::test {

void WindowsTest::SetUp() {
  static const bool controlsReady = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    return InitCommonControlsEx(&controls) != 0;
  }();
  ASSERT_TRUE(controlsReady);
  folder_ = std::make_unique<ProgramFolderFixture>();
  SetProgramFolder(folder_->Path());
  InstallDesktopServices();
  Services& services = PlatformServices();
  services.runFileDialog = [](FileDialog&) { return false; };
  services.showMessage = [this](const std::string& text) { messages.push_back(text); };
  services.reportError = [this](const std::string& text) { messages.push_back(text); };
  program_ = std::make_unique<DesktopProgram>();
  program_->Show();
}

void WindowsTest::TearDown() {
  program_.reset();
  folder_.reset();
  // Nothing of the windows may be left for the next test.
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

HWND WindowsTest::windowOf(const Control& control) {
  for (HWND child = GetWindow(mainWindow(), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (ControlOfWindow(child) == &control) return child;
  }
  return nullptr;
}

bool WindowsTest::waitFor(const std::function<bool()>& done, int milliseconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  while (!done()) {
    if (GetTickCount64() > end) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(5);
  }
  return true;
}

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8(text);
}

}  // namespace puffel::test
