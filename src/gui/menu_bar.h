// A real menu bar for a form's menu entries.
#pragma once

#include <QMenuBar>
#include <functional>

#include "platform/form.h"

namespace puffel {

// A menu bar, child of parent, with one menu per caption of form's entries in
// the order they first appear, each holding its entries in order as actions
// (object name = the entry's name) whose trigger runs the entry through
// dispatch; an entry's shortcuts work while any window of the program is
// active, and the action is greyed while the entry is disabled. Nothing when form has no menu
// entries. form must outlive it.
QMenuBar* CreateMenuBar(Form& form, QWidget* parent,
                        const std::function<void(const std::function<void()>&)>& dispatch);

}  // namespace puffel
