// puffel.exe: the Windows program.
//
//   puffel.exe [--program-dir DIR] [PICTURE... | PROJECT.dat]
//
// Its folders "obj", "save", "haikei" and "pic_hozon" lie beside the
// executable; the files given are opened as if dropped on the main window.
#include <windows.h>

#include <commctrl.h>

#include <iostream>

#include "app/start_arguments.h"
#include "platform/platform_error.h"
#include "platform/system_calls.h"
#include "win32/desktop_program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  std::vector<std::string> files;
  try {
    // The arguments are read from the UTF-16 command line.
    files = puffel::PrepareStart(puffel::CommandLineArguments(0, nullptr));
  } catch (const puffel::PlatformError& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  puffel::InstallDesktopServices();
  puffel::DesktopProgram program;
  program.Show();
  program.app.form1.ReportDrop(files);
  return program.Run();
}
