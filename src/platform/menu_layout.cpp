#include "platform/menu_layout.h"

#include <algorithm>
#include <cctype>

namespace puffel {

std::vector<MenuGroup> MenuGroups(const std::vector<MenuEntry*>& entries) {
  std::vector<MenuGroup> groups;
  for (MenuEntry* entry : entries) {
    auto group = std::find_if(groups.begin(), groups.end(),
                              [&](const MenuGroup& g) { return g.caption == entry->menu; });
    if (group == groups.end()) group = groups.insert(groups.end(), {entry->menu, {}});
    std::vector<MenuItem>& items = group->items;
    auto item = entry->submenu.empty()
                    ? items.end()
                    : std::find_if(items.begin(), items.end(),
                                   [&](const MenuItem& i) { return i.submenu == entry->submenu; });
    if (item == items.end()) {
      item = items.insert(items.end(), {entry->submenu, {}, entry->separatorBefore});
    }
    item->entries.push_back(entry);
  }
  return groups;
}

Shortcut ParseShortcut(const std::string& text) {
  Shortcut shortcut;
  size_t start = 0;
  while (start < text.size()) {
    // "Ctrl++" names the plus key: a '+' right at a part's start belongs to it.
    size_t plus = text.find('+', start + 1);
    if (plus == std::string::npos) plus = text.size();
    const std::string part = text.substr(start, plus - start);
    if (plus < text.size()) {
      if (part == "Ctrl") {
        shortcut.ctrl = true;
      } else if (part == "Shift") {
        shortcut.shift = true;
      } else if (part == "Alt") {
        shortcut.alt = true;
      } else {
        return {};
      }
    } else if (part.size() == 1) {
      shortcut.key =
          std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(part[0]))));
    } else {
      shortcut.key = part;
    }
    start = plus + 1;
  }
  return shortcut;
}

}  // namespace puffel
