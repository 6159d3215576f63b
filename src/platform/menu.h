// The menu bar model: a window's commands, grouped under the captions of the
// menus they sit in. A binding shows them as a real menu bar; a script clicks
// them by name.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace puffel {

struct MenuEntry {
  MenuEntry(std::string menu, std::string name, std::string caption)
      : menu(std::move(menu)), name(std::move(name)), caption(std::move(caption)) {}

  const std::string menu;     // the caption of the menu it sits in
  const std::string name;     // how scripts name it
  const std::string caption;  // what the menu shows

  // Runs OnClick when there is one.
  void Click() {
    if (OnClick) OnClick();
  }

  std::function<void()> OnClick;
};

}  // namespace puffel
