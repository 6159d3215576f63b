// A real menu bar for a form's menu entries, and their keyboard shortcuts.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/form.h"

namespace puffel {

struct MenuBar {
  HMENU menu = nullptr;              // nullptr when the form has no entries
  HACCEL accelerators = nullptr;     // nullptr when no entry has a shortcut
  std::vector<MenuEntry*> commands;  // command id FirstMenuCommand + i runs commands[i]
};

constexpr int FirstMenuCommand = 0x4000;

// One menu per caption of form's entries in the order they first appear,
// each holding its entries and submenus in order, captions followed by their
// first shortcut, greyed while disabled, a submenu's entries with their check
// marks; the accelerators of every entry's shortcuts. form must outlive the
// menu bar.
MenuBar CreateMenuBar(Form& form);

// Runs the entry of a menu command through DispatchEvent; false when id is none.
bool RunMenuCommand(const MenuBar& bar, int id);

// Unhooks the entries and frees the accelerators (the menu goes with its window).
void ReleaseMenuBar(MenuBar& bar);

}  // namespace puffel
