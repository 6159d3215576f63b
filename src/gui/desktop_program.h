// The desktop program: the application's two windows as real windows, and the
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

// The running program: the scene with its main window and part window.
struct DesktopProgram {
  // Creates the application and binds its windows; the services must be installed.
  DesktopProgram();
  // Shows the main window, then the part window at its start size and place.
  void Show();

  Application app;
  FormWindow mainWindow{app.form1};
  FormWindow partWindow{app.form2};
};

}  // namespace puffel
