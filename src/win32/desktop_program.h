// The Windows program: the application's windows as real windows, and the
// platform services they use.
#pragma once

#include "app/application.h"
#include "win32/form_window.h"

namespace puffel {

// Installs the file dialogs, message boxes, error report, document opener,
// button-face colour and canvas text renderer of Windows.
void InstallDesktopServices();

// The running program: the scene with its main window, part window and
// timeline.
struct DesktopProgram {
  // Creates the application and its windows, hidden; the services must be installed.
  DesktopProgram();
  // Shows the main window, then the part window at its start size, placed
  // clear of it on the work area, and places the timeline under the part
  // window, to show when it opens.
  void Show();
  // Runs the message loop until the main window has gone; returns the exit code.
  int Run();

  Application app;
  FormWindow mainWindow{app.form1, Scaling::ByDpi};
  FormWindow partWindow{app.form2, Scaling::None};
  FormWindow timelineWindow{app.form3, Scaling::None};
};

}  // namespace puffel
