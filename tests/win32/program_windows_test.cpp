// The two windows as the Windows program shows them: sizes, borders,
// controls, menus, and what their messages do to the forms.
// windows.h first: the other system headers build on it.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/menu_layout.h"
#include "win32/control_windows.h"
#include "win32/dialogs.h"
#include "win32/menu_bar.h"
#include "win32/text_renderer.h"
#include "win32/wide_text.h"
#include "windows_fixture.h"

namespace puffel::test {
namespace {

LONG_PTR styleOf(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

bool overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST_F(WindowsTest, WindowsHaveTheirCaptionsBordersAndClientSizesClearOfEachOther) {
  EXPECT_EQ(WindowText(mainWindow()), "Puffel!");
  EXPECT_EQ(ClientSize(mainWindow()).cx, 200);
  EXPECT_EQ(ClientSize(mainWindow()).cy, 449);
  const LONG_PTR main = styleOf(mainWindow());
  EXPECT_TRUE(main & WS_SYSMENU);
  EXPECT_TRUE(main & WS_MINIMIZEBOX);
  EXPECT_FALSE(main & WS_MAXIMIZEBOX);
  EXPECT_FALSE(main & WS_THICKFRAME);
  EXPECT_TRUE(GetClassLongPtrW(mainWindow(), GCL_STYLE) & CS_DBLCLKS);

  EXPECT_EQ(WindowText(partWindow()), "Parts No.0");
  EXPECT_EQ(ClientSize(partWindow()).cx, 400);
  EXPECT_EQ(ClientSize(partWindow()).cy, 400);
  EXPECT_TRUE(styleOf(partWindow()) & WS_THICKFRAME);
  EXPECT_EQ(program().app.scene.ViewWidth, 400);

  RECT a{};
  RECT b{};
  GetWindowRect(mainWindow(), &a);
  GetWindowRect(partWindow(), &b);
  EXPECT_FALSE(overlap(a, b));
}

TEST_F(WindowsTest, AFixedBorderTakesTheFrameAwayAndKeepsTheClientSize) {
  program().app.form2.SetBorder(BorderStyle::Single, {.maximize = false});
  EXPECT_FALSE(styleOf(partWindow()) & WS_THICKFRAME);
  EXPECT_FALSE(styleOf(partWindow()) & WS_MAXIMIZEBOX);
  EXPECT_EQ(ClientSize(partWindow()).cx, 400);
  EXPECT_EQ(ClientSize(partWindow()).cy, 400);
  // A size the program asks for; and one the user drags, reported back.
  program().app.form2.SetClientSize(320, 240);
  EXPECT_EQ(ClientSize(partWindow()).cx, 320);
  EXPECT_EQ(ClientSize(partWindow()).cy, 240);
  program().app.form2.SetBorder(BorderStyle::Sizeable, {});
  RECT frame{};
  GetWindowRect(partWindow(), &frame);
  SetWindowPos(partWindow(), nullptr, 0, 0, frame.right - frame.left + 7,
               frame.bottom - frame.top - 5, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(program().app.form2.ClientWidth(), 327);
  EXPECT_EQ(program().app.form2.ClientHeight(), 235);
  EXPECT_EQ(program().app.scene.ViewWidth, 327);
}

TEST_F(WindowsTest, ControlsSitAtTheirBoundsAndFollowTheirControls) {
  TForm1& form = program().app.form1;
  for (Control* control : form.Controls()) {
    HWND window = windowOf(*control);
    ASSERT_NE(window, nullptr) << control->name;
    RECT placed{};
    GetWindowRect(window, &placed);
    MapWindowPoints(nullptr, mainWindow(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, control->bounds.left) << control->name;
    EXPECT_EQ(placed.top, control->bounds.top) << control->name;
    EXPECT_EQ(placed.right - placed.left, control->bounds.width) << control->name;
    EXPECT_EQ(placed.bottom - placed.top, control->bounds.height) << control->name;
    EXPECT_EQ((GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP) != 0, control->tabOrder >= 0)
        << control->name;
    if (control->kind != ControlKind::TrackBar && control->kind != ControlKind::ProgressBar) {
      EXPECT_EQ(WindowText(window), control->Caption()) << control->name;
    }
  }
  // The tab key follows the tab order: the stops are in that order among the children.
  std::vector<Control*> stops;
  for (HWND child = GetWindow(mainWindow(), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    Control* control = ControlOfWindow(child);
    if (control != nullptr && control->tabOrder >= 0) stops.push_back(control);
  }
  EXPECT_EQ(stops, TabStops(form.Controls()));

  form.Label1.SetCaption("背景：空");
  EXPECT_EQ(WindowText(windowOf(form.Label1)), "背景：空");
  form.TrackBar1.SetPosition(form.TrackBar1.Max());
  EXPECT_EQ(SendMessageW(windowOf(form.TrackBar1), TBM_GETPOS, 0, 0), form.TrackBar1.Max());
  form.ProgressBar1.SetPosition(40);
  EXPECT_EQ(SendMessageW(windowOf(form.ProgressBar1), PBM_GETPOS, 0, 0), 40);
}

TEST_F(WindowsTest, ClicksChecksAndSliderMovesReachTheControls) {
  TForm1& form = program().app.form1;
  int clicks = 0;
  form.Button3.OnClick = [&] { ++clicks; };
  SendMessageW(windowOf(form.Button3), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  form.SpeedButton2.OnClick = [&] { clicks += 10; };
  SendMessageW(windowOf(form.SpeedButton2), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 11);

  const bool before = form.CheckBox3.Checked();
  SendMessageW(windowOf(form.CheckBox3), BM_CLICK, 0, 0);
  EXPECT_EQ(form.CheckBox3.Checked(), !before);

  HWND slider = windowOf(form.TrackBar3);
  SendMessageW(slider, TBM_SETPOS, TRUE, 2);
  SendMessageW(mainWindow(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 2),
               reinterpret_cast<LPARAM>(slider));
  EXPECT_EQ(form.TrackBar3.Position(), 2);
  EXPECT_EQ(form.StaticText3.Caption(), "耳変換 : 2");
}

TEST_F(WindowsTest, MenusShowTheEntriesGreyedAndCheckedAsTheyAre) {
  TForm1& form = program().app.form1;
  HMENU bar = GetMenu(mainWindow());
  ASSERT_NE(bar, nullptr);
  const std::vector<MenuGroup> groups = MenuGroups(form.MenuEntries());
  ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(groups.size()));
  wchar_t caption[64];
  GetMenuStringW(bar, 0, caption, 64, MF_BYPOSITION);
  EXPECT_EQ(Wide(groups[0].caption), caption);

  // Command ids follow the entries in the order the menus show them.
  std::vector<MenuEntry*> shown;
  for (const MenuGroup& group : groups) {
    for (const MenuItem& item : group.items) {
      shown.insert(shown.end(), item.entries.begin(), item.entries.end());
    }
  }
  auto idOf = [&](const MenuEntry& entry) {
    const auto at = std::find(shown.begin(), shown.end(), &entry);
    return static_cast<UINT>(FirstMenuCommand + (at - shown.begin()));
  };
  auto state = [&](const MenuEntry& entry) { return GetMenuState(bar, idOf(entry), MF_BYCOMMAND); };

  EXPECT_FALSE(form.Undo.Enabled());
  EXPECT_TRUE(state(form.Undo) & MF_GRAYED);
  form.Undo.SetEnabled(true);
  EXPECT_FALSE(state(form.Undo) & MF_GRAYED);

  for (const MenuEntry* entry : shown) {
    if (!entry->ShowsCheck()) continue;
    EXPECT_EQ((state(*entry) & MF_CHECKED) != 0, entry->Checked()) << entry->name;
  }
  for (MenuEntry* entry : shown) {
    if (!entry->ShowsCheck()) continue;
    const bool checked = entry->Checked();
    entry->SetChecked(!checked);
    EXPECT_EQ((state(*entry) & MF_CHECKED) != 0, !checked) << entry->name;
    entry->SetChecked(checked);
  }
  // A submenu's choice is marked with bullets, an entry that checks on its
  // own (the sheet's frame files among the directions) with a tick.
  for (const MenuEntry* entry : shown) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(bar, idOf(*entry), FALSE, &info)) << entry->name;
    EXPECT_EQ((info.fType & MFT_RADIOCHECK) != 0, entry->InChoice()) << entry->name;
  }

  int chosen = 0;
  form.OpenReadme.OnClick = [&] { ++chosen; };
  SendMessageW(mainWindow(), WM_COMMAND, MAKEWPARAM(idOf(form.OpenReadme), 0), 0);
  EXPECT_EQ(chosen, 1);
  // Each key of an entry is one accelerator of its command.
  ACCEL keys[16];
  const int count = CopyAcceleratorTableW(program().mainWindow.Accelerators(), keys, 16);
  for (const MenuEntry* entry : shown) {
    int entryKeys = 0;
    for (int i = 0; i < count; ++i) entryKeys += keys[i].cmd == idOf(*entry);
    EXPECT_EQ(entryKeys, static_cast<int>(entry->shortcuts.size())) << entry->name;
  }
  // The file menu's groups are set apart by separators.
  HMENU file = GetSubMenu(bar, 0);
  int separators = 0;
  for (int n = 0; n < GetMenuItemCount(file); ++n) {
    separators += (GetMenuState(file, static_cast<UINT>(n), MF_BYPOSITION) & MF_SEPARATOR) != 0;
  }
  EXPECT_EQ(separators, 2);
}

TEST_F(WindowsTest, TheTimerRunsOnTimerUntilStopped) {
  int ticks = 0;
  Form& form = program().app.form2;
  form.OnTimer = [&] { ++ticks; };
  form.SetTimer(10);
  EXPECT_TRUE(waitFor([&] { return ticks >= 2; }));
  form.SetTimer(0);
  const int stopped = ticks;
  waitFor([] { return false; }, 100);
  EXPECT_EQ(ticks, stopped);
}

TEST(CommonDialogFilter, PairsEndInNullsAndTheListInOneMore) {
  std::wstring expected = L"ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ (*.bmp)";
  expected += L'\0';
  expected += L"*.bmp";
  expected += L'\0';
  expected += L'\0';
  EXPECT_EQ(CommonDialogFilter(TForm1::BitmapFilter), expected);
  EXPECT_EQ(CommonDialogFilter(""), std::wstring(1, L'\0'));
}

TEST(TextRenderer, DrawsJapaneseTextInsideThePictureOnly) {
  Bitmap picture(60, 20);
  DrawTextOnBitmap(picture, 2, 2, "光源", 0xFFFFFF, 12);
  int lit = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 60; ++x) lit += (picture.Row(y)[x] & 0xFFFFFF) != 0;
  }
  EXPECT_GT(lit, 20);
  for (int y = 0; y < 20; ++y) EXPECT_EQ(picture.Row(y)[40] & 0xFFFFFF, 0u);
  // Red in the canvas colour's low byte is red in the picture's high byte.
  Bitmap red(30, 20);
  DrawTextOnBitmap(red, 0, 0, "■", 0x0000FF, 16);
  bool redFound = false;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 30; ++x) redFound |= (red.Row(y)[x] & 0xFFFFFF) == 0xFF0000;
  }
  EXPECT_TRUE(redFound);
  Bitmap empty;
  DrawTextOnBitmap(empty, 0, 0, "光源", 0xFFFFFF, 12);
  EXPECT_TRUE(empty.Empty());
}

}  // namespace
}  // namespace puffel::test
