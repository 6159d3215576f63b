// The desktop program: the application's two windows as real windows, and the
// platform services they use.
#pragma once

#include "app/application.h"
#include "gui/form_window.h"

namespace puffel {

// Installs the file dialogs, message boxes, error report, button-face colour
// (the palette's button colour), canvas text renderer and Japanese texts of Qt's
// own dialogs.
// Needs a QApplication; run it before the Application is created.
void InstallDesktopServices();

// Where the part window's frame first appears on the screen, where the window
// system lets the program choose.
constexpr int PartWindowLeft = 594;
constexpr int PartWindowTop = 298;
// The main window's frame appears this far from the top-left corner of the
// screen's free area, where a window system puts a new window, clear of the
// part window on any screen of 1024 x 768 or more.
constexpr int MainWindowMargin = 24;

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
