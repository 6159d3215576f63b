// The menu bar model: a window's commands, grouped under the captions of the
// menus they sit in. A binding shows them as a real menu bar; a script clicks
// them by name.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace puffel {

struct MenuEntry {
  MenuEntry(std::string menu, std::string name, std::string caption,
            std::vector<std::string> shortcuts = {}, std::string submenu = {})
      : menu(std::move(menu)),
        name(std::move(name)),
        caption(std::move(caption)),
        shortcuts(std::move(shortcuts)),
        submenu(std::move(submenu)) {}

  const std::string menu;     // the caption of the menu it sits in
  const std::string name;     // how scripts name it
  const std::string caption;  // what the menu shows
  // Keys that choose it while any window of the program has the focus, in
  // the portable text form "Ctrl+Shift+Z"; the first is the one shown.
  const std::vector<std::string> shortcuts;
  // The caption of the submenu of menu it sits in; "" for none. Its entries
  // that are not checkable are one choice: shown as a radio group, the
  // checked one marked.
  const std::string submenu;
  // A line above it sets it apart from the entries before it in its menu.
  bool separatorBefore = false;
  // It checks and unchecks on its own, in a submenu or outside one; the
  // other entries of a submenu are its one choice.
  bool checkable = false;

  bool ShowsCheck() const { return checkable || !submenu.empty(); }
  // One of a submenu's choice: shown as a radio group's entry.
  bool InChoice() const { return !checkable && !submenu.empty(); }

  bool Checked() const { return checked_; }
  void SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (CheckedChanged) CheckedChanged();
  }

  bool Enabled() const { return enabled_; }
  // A disabled entry is shown greyed and does nothing when chosen.
  void SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (EnabledChanged) EnabledChanged();
  }

  // Runs OnClick when there is one and the entry is enabled.
  void Click() {
    if (enabled_ && OnClick) OnClick();
  }

  std::function<void()> OnClick;
  std::function<void()> EnabledChanged;  // binding hook
  std::function<void()> CheckedChanged;  // binding hook

 private:
  bool enabled_ = true;
  bool checked_ = false;
};

}  // namespace puffel
