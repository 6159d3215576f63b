// Mouse messages and dropped files of the part window as the form's events.
// windows.h first: the other system headers build on it.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>
#include <windowsx.h>

#include <cstring>
#include <string>
#include <vector>

#include "windows_fixture.h"

namespace puffel::test {
namespace {

class PointerInputTest : public WindowsTest {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    Form& form = program().app.form2;
    form.OnMouseDown = [this](MouseButton button, ShiftState held, int x, int y) {
      record("down", button, held, x, y);
    };
    form.OnMouseUp = [this](MouseButton button, ShiftState held, int x, int y) {
      record("up", button, held, x, y);
    };
    form.OnMouseMove = [this](ShiftState held, int x, int y) {
      record("move", MouseButton::Left, held, x, y);
    };
    form.OnDblClick = [this] { events.push_back("dblclick"); };
    form.OnMouseWheelUp = [this](ShiftState, int x, int y) {
      events.push_back("wheelup " + std::to_string(x) + " " + std::to_string(y));
    };
    form.OnMouseWheelDown = [this](ShiftState, int x, int y) {
      events.push_back("wheeldown " + std::to_string(x) + " " + std::to_string(y));
    };
  }

  void record(const char* what, MouseButton button, ShiftState held, int x, int y) {
    std::string text = what;
    if (text != "move")
      text += button == MouseButton::Left ? " L" : button == MouseButton::Right ? " R" : " M";
    text += std::string(" [") + (held.left ? "l" : "") + (held.right ? "r" : "") +
            (held.middle ? "m" : "") + "] " + std::to_string(x) + " " + std::to_string(y);
    events.push_back(text);
  }

  void send(UINT message, WPARAM keys, int x, int y) {
    SendMessageW(partWindow(), message, keys,
                 MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)),
                            static_cast<WORD>(static_cast<SHORT>(y))));
  }

  std::vector<std::string> events;
};

TEST_F(PointerInputTest, PressesMovesAndReleasesCarryHeldButtonsAfterTheEvent) {
  send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 20);
  EXPECT_EQ(GetCapture(), partWindow());
  send(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 10, 20);
  // Captured moves outside the window come with negative client pixels.
  send(WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, -5, 430);
  send(WM_LBUTTONUP, MK_RBUTTON, -5, 430);
  EXPECT_EQ(GetCapture(), partWindow());
  send(WM_RBUTTONUP, 0, -5, 430);
  EXPECT_NE(GetCapture(), partWindow());
  send(WM_MBUTTONDOWN, MK_MBUTTON, 1, 2);
  send(WM_MBUTTONUP, 0, 1, 2);
  EXPECT_EQ(events, (std::vector<std::string>{"down L [l] 10 20", "down R [lr] 10 20",
                                              "move [lr] -5 430", "up L [r] -5 430",
                                              "up R [] -5 430", "down M [m] 1 2", "up M [] 1 2"}));
}

TEST_F(PointerInputTest, ADoubleClickComesBeforeThePressItCompletes) {
  send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
  send(WM_LBUTTONUP, 0, 5, 6);
  send(WM_LBUTTONDBLCLK, MK_LBUTTON, 5, 6);
  send(WM_LBUTTONUP, 0, 5, 6);
  // Only the left button double-clicks; the right one's second press is a press.
  send(WM_RBUTTONDBLCLK, MK_RBUTTON, 7, 8);
  EXPECT_EQ(events, (std::vector<std::string>{"down L [l] 5 6", "up L [] 5 6", "dblclick",
                                              "down L [l] 5 6", "up L [] 5 6", "down R [r] 7 8"}));
}

TEST_F(PointerInputTest, TheWheelCallsOncePerNotchWithTheScreenPosition) {
  SendMessageW(partWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(300, 200));
  SendMessageW(partWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), MAKELPARAM(301, 201));
  SendMessageW(partWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), MAKELPARAM(302, 202));
  SendMessageW(partWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)),
               MAKELPARAM(303, 203));
  EXPECT_EQ(events, (std::vector<std::string>{"wheelup 300 200", "wheelup 302 202",
                                              "wheeldown 303 203", "wheeldown 303 203"}));
  // The core maps the screen position into the window.
  POINT origin{0, 0};
  ClientToScreen(partWindow(), &origin);
  const auto [x, y] = program().app.form2.ScreenToClient(origin.x + 12, origin.y + 34);
  EXPECT_EQ(x, 12);
  EXPECT_EQ(y, 34);
}

TEST_F(PointerInputTest, ClosingThePartWindowEndsTheProgram) {
  SendMessageW(partWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(program().app.form1.Closed());
  EXPECT_EQ(program().mainWindow.Handle(), nullptr);
  EXPECT_EQ(program().partWindow.Handle(), nullptr);
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// A drop from the desktop as the shell hands it over: a DROPFILES block with
// the wide paths after it, each ended by a null, and one more null at the end.
HDROP dropOf(const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const std::wstring& path : paths) list += path + L'\0';
  list += L'\0';
  const size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(),
              list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

TEST_F(PointerInputTest, DroppedFilesReachTheFormInOrderAsUtf8) {
  EXPECT_TRUE(GetWindowLongPtrW(partWindow(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  std::vector<std::string> dropped;
  program().app.form2.OnDropFiles = [&](const std::vector<std::string>& paths) { dropped = paths; };
  SendMessageW(partWindow(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(dropOf({L"C:\\絵\\ねこ.png", L"D:\\b.bmp"})), 0);
  EXPECT_EQ(dropped, (std::vector<std::string>{"C:\\絵\\ねこ.png", "D:\\b.bmp"}));
}

}  // namespace
}  // namespace puffel::test
