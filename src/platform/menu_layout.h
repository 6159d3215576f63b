// A form's menu entries grouped into the menus of its menu bar.
#pragma once

#include <string>
#include <vector>

#include "platform/menu.h"

namespace puffel {

// What a menu shows in one place: an entry of its own (submenu "", one entry)
// or a submenu with its entries.
struct MenuItem {
  std::string submenu;
  std::vector<MenuEntry*> entries;  // in order
  bool separatorBefore = false;     // its first entry's
};

struct MenuGroup {
  std::string caption;
  std::vector<MenuItem> items;  // a submenu where its first entry appears
};

// One menu per caption, in the order the captions first appear.
std::vector<MenuGroup> MenuGroups(const std::vector<MenuEntry*>& entries);

// A menu entry's key: modifiers and one key, from the text form "Ctrl+Shift+Z".
struct Shortcut {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  // An upper-case letter or digit, or a key name ("F1", "Delete", "Left"...).
  std::string key;
};

// Reads the text form; the key is empty when the text is not one.
Shortcut ParseShortcut(const std::string& text);

}  // namespace puffel
