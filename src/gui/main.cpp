// puffel: the desktop program. Takes no arguments; its folders "obj", "save",
// "haikei" and "pic_hozon" lie beside the executable.
#include <QApplication>

#include "gui/desktop_program.h"
#include "platform/paths.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Puffel"));
  puffel::SetProgramFolder(puffel::ExecutableFolder());
  puffel::InstallDesktopServices();
  puffel::DesktopProgram program;
  program.Show();
  return QApplication::exec();
}
