// puffel.exe: the Windows program. Takes no arguments; its folders "obj",
// "save", "haikei" and "pic_hozon" lie beside the executable.
#include <windows.h>

#include <commctrl.h>

#include "platform/paths.h"
#include "win32/desktop_program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  puffel::SetProgramFolder(puffel::ExecutableFolder());
  puffel::InstallDesktopServices();
  puffel::DesktopProgram program;
  program.Show();
  return program.Run();
}
