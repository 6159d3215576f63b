// The desktop program: the application's windows as real windows, and the
// platform services they use.
#pragma once

#include "app/application.h"
#include "app/window_placement.h"
#include "gui/form_window.h"

namespace puffel {

// Installs the file dialogs, message boxes, error report, button-face colour
// (the palette's button colour), canvas text renderer and Japanese texts of Qt's
// own dialogs.
// Needs a QApplication; run it before the Application is created.
void InstallDesktopServices();

// The running program: the scene with its main window, part window and
// timeline.
struct DesktopProgram {
  // Creates the application and binds its windows; the services must be installed.
  DesktopProgram();
  // Shows the main window, then the part window at its start size and place,
  // and places the timeline under it, to show when it opens.
  void Show();

  Application app;
  FormWindow mainWindow{app.form1};
  FormWindow partWindow{app.form2};
  FormWindow timelineWindow{app.form3};
};

}  // namespace puffel
