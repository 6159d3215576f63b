#include "win32/desktop_program.h"

#include "app/window_placement.h"
#include "platform/canvas.h"
#include "platform/services.h"
#include "win32/dialogs.h"
#include "win32/text_box.h"
#include "win32/text_renderer.h"

namespace puffel {

namespace {

ScreenRect screenRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

void InstallDesktopServices() {
  Services& services = PlatformServices();
  services.runFileDialog = RunFileDialog;
  services.showMessage = ShowMessageBox;
  services.reportError = ShowErrorBox;
  services.showInformation = ShowInformationBox;
  services.askText = AskTextBox;
  services.openDocument = OpenWithDesktop;
  // COLORREF is the canvas colour 0x00BBGGRR.
  services.buttonFaceColour = GetSysColor(COLOR_BTNFACE);
  SetTextRenderer(DrawTextOnBitmap);
}

DesktopProgram::DesktopProgram() {
  // Closing the main window ends the program; the part window closes it
  // first (its FormClose).
  mainWindow.OnDestroyed = [] { PostQuitMessage(0); };
}

void DesktopProgram::Show() {
  RECT workArea{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
  const ScreenRect area = screenRect(workArea);
  const ScreenRect mainFrame = screenRect(mainWindow.Frame());
  const ScreenRect main = MainWindowPlace(area, mainFrame.width, mainFrame.height);
  mainWindow.ShowAt(main.left, main.top);
  // The part window's first size report sizes the view.
  DispatchEvent([this] { app.form2.SetClientSize(InitialViewWidth, InitialViewHeight); });
  const ScreenRect partFrame = screenRect(partWindow.Frame());
  const ScreenRect part = PartWindowPlace(area, main, partFrame.width, partFrame.height);
  partWindow.ShowAt(part.left, part.top);
  const ScreenRect timelineFrame = screenRect(timelineWindow.Frame());
  const ScreenRect timeline = TimelineWindowPlace(area, main, screenRect(partWindow.Frame()),
                                                  timelineFrame.width, timelineFrame.height);
  if (app.form3.Visible()) {
    timelineWindow.ShowAt(timeline.left, timeline.top);
  } else {
    SetWindowPos(timelineWindow.Handle(), nullptr, timeline.left, timeline.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetForegroundWindow(mainWindow.Handle());
}

int DesktopProgram::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const bool ours =
        root != nullptr && (root == mainWindow.Handle() || root == partWindow.Handle() ||
                            root == timelineWindow.Handle());
    // The menu's keys work in the other windows too.
    if (ours && mainWindow.Accelerators() != nullptr &&
        TranslateAcceleratorW(mainWindow.Handle(), mainWindow.Accelerators(), &message)) {
      continue;
    }
    // The tab key moves between the main window's controls.
    if (root != nullptr && root == mainWindow.Handle() && IsDialogMessageW(root, &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace puffel
