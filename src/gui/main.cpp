// puffel: the desktop program.
//
//   puffel [--program-dir DIR] [PICTURE... | PROJECT.dat]
//
// Its folders "obj", "save", "haikei" and "pic_hozon" lie beside the
// executable, or in the user's own folder when it is installed; the files
// given are opened as if dropped on the main window.
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <iostream>

#include "app/start_arguments.h"
#include "gui/desktop_program.h"
#include "platform/platform_error.h"
#include "platform/system_calls.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Puffel"));
  // The menu entry's name and icon, as the package installs them.
  QApplication::setDesktopFileName(QStringLiteral("puffel"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("puffel")));
  std::vector<std::string> files;
  try {
    // QApplication has taken its own options out of argv.
    files = puffel::PrepareStart(puffel::CommandLineArguments(argc, argv));
  } catch (const puffel::PlatformError& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  puffel::InstallDesktopServices();
  puffel::DesktopProgram program;
  program.Show();
  QTimer::singleShot(0, [&] { program.app.form1.ReportDrop(files); });
  return QApplication::exec();
}
