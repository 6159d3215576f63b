#include "win32/menu_bar.h"

#include <string>

#include "platform/menu_layout.h"
#include "platform/services.h"
#include "win32/wide_text.h"

namespace puffel {

namespace {

// The virtual key of a shortcut's key, 0 for one the menus do not use.
WORD virtualKey(const std::string& key) {
  if (key.size() == 1 && ((key[0] >= 'A' && key[0] <= 'Z') || (key[0] >= '0' && key[0] <= '9'))) {
    return static_cast<WORD>(key[0]);
  }
  if (key.size() >= 2 && key[0] == 'F') {
    const int number = std::atoi(key.c_str() + 1);
    if (number >= 1 && number <= 24) return static_cast<WORD>(VK_F1 + number - 1);
  }
  if (key == "Del" || key == "Delete") return VK_DELETE;
  if (key == "Ins" || key == "Insert") return VK_INSERT;
  if (key == "Space") return VK_SPACE;
  return 0;
}

void showEnabled(HMENU menu, int id, const MenuEntry& entry) {
  EnableMenuItem(menu, static_cast<UINT>(id),
                 MF_BYCOMMAND | (entry.Enabled() ? MF_ENABLED : MF_GRAYED));
}

void showChecked(HMENU menu, int id, const MenuEntry& entry) {
  CheckMenuItem(menu, static_cast<UINT>(id),
                MF_BYCOMMAND | (entry.Checked() ? MF_CHECKED : MF_UNCHECKED));
}

// Appends entry to menu as command id, with its state bound, and its keys to keys.
void addEntry(HMENU menu, MenuEntry* entry, int id, std::vector<ACCEL>& keys) {
  std::wstring caption = Wide(entry->caption);
  if (!entry->shortcuts.empty()) caption += L"\t" + Wide(entry->shortcuts.front());
  // A submenu's choice is marked with a bullet.
  const UINT radio = entry->InChoice() ? MFT_RADIOCHECK : 0;
  AppendMenuW(menu, MF_STRING | radio, static_cast<UINT_PTR>(id), caption.c_str());
  showEnabled(menu, id, *entry);
  entry->EnabledChanged = [menu, id, entry] { showEnabled(menu, id, *entry); };
  if (entry->ShowsCheck()) {
    showChecked(menu, id, *entry);
    entry->CheckedChanged = [menu, id, entry] { showChecked(menu, id, *entry); };
  }
  for (const std::string& text : entry->shortcuts) {
    const Shortcut shortcut = ParseShortcut(text);
    const WORD key = virtualKey(shortcut.key);
    if (key == 0) continue;
    BYTE flags = FVIRTKEY;
    if (shortcut.ctrl) flags |= FCONTROL;
    if (shortcut.shift) flags |= FSHIFT;
    if (shortcut.alt) flags |= FALT;
    keys.push_back({flags, key, static_cast<WORD>(id)});
  }
}

}  // namespace

MenuBar CreateMenuBar(Form& form) {
  MenuBar bar;
  if (form.MenuEntries().empty()) return bar;
  bar.menu = CreateMenu();
  std::vector<ACCEL> keys;
  for (const MenuGroup& group : MenuGroups(form.MenuEntries())) {
    HMENU popup = CreatePopupMenu();
    for (const MenuItem& item : group.items) {
      if (item.separatorBefore) AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
      HMENU holder = item.submenu.empty() ? popup : CreatePopupMenu();
      for (MenuEntry* entry : item.entries) {
        const int id = FirstMenuCommand + static_cast<int>(bar.commands.size());
        bar.commands.push_back(entry);
        addEntry(holder, entry, id, keys);
      }
      if (holder != popup) {
        AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(holder),
                    Wide(item.submenu).c_str());
      }
    }
    AppendMenuW(bar.menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), Wide(group.caption).c_str());
  }
  if (!keys.empty()) {
    bar.accelerators = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
  }
  return bar;
}

bool RunMenuCommand(const MenuBar& bar, int id) {
  const int index = id - FirstMenuCommand;
  if (index < 0 || index >= static_cast<int>(bar.commands.size())) return false;
  MenuEntry* entry = bar.commands[static_cast<size_t>(index)];
  DispatchEvent([entry] { entry->Click(); });
  return true;
}

void ReleaseMenuBar(MenuBar& bar) {
  for (MenuEntry* entry : bar.commands) {
    entry->EnabledChanged = nullptr;
    entry->CheckedChanged = nullptr;
  }
  if (bar.accelerators != nullptr) DestroyAcceleratorTable(bar.accelerators);
  bar = {};
}

}  // namespace puffel
