#include "gui/menu_bar.h"

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <map>
#include <utility>
#include <string>

namespace puffel {

QMenuBar* CreateMenuBar(Form& form, QWidget* parent,
                        const std::function<void(const std::function<void()>&)>& dispatch) {
  if (form.MenuEntries().empty()) return nullptr;
  auto* bar = new QMenuBar(parent);
  // Without a native menu bar the bar stays inside the window, where the
  // window sizes itself around it.
  bar->setNativeMenuBar(false);
  std::map<std::string, QMenu*> menus;
  std::map<std::pair<std::string, std::string>, QMenu*> submenus;
  for (MenuEntry* entry : form.MenuEntries()) {
    QMenu*& menu = menus[entry->menu];
    if (menu == nullptr) menu = bar->addMenu(QString::fromStdString(entry->menu));
    QMenu* holder = menu;
    if (!entry->submenu.empty()) {
      QMenu*& submenu = submenus[{entry->menu, entry->submenu}];
      if (submenu == nullptr) submenu = menu->addMenu(QString::fromStdString(entry->submenu));
      holder = submenu;
    }
    QAction* action = holder->addAction(QString::fromStdString(entry->caption));
    action->setObjectName(QString::fromStdString(entry->name));
    QList<QKeySequence> keys;
    for (const std::string& shortcut : entry->shortcuts) {
      keys.append(QKeySequence(QString::fromStdString(shortcut), QKeySequence::PortableText));
    }
    action->setShortcuts(keys);
    // The keys work in the part window too, which has no menu bar.
    action->setShortcutContext(Qt::ApplicationShortcut);
    action->setEnabled(entry->Enabled());
    entry->EnabledChanged = [entry, action] { action->setEnabled(entry->Enabled()); };
    if (!entry->submenu.empty()) {
      action->setCheckable(true);
      action->setChecked(entry->Checked());
      entry->CheckedChanged = [entry, action] { action->setChecked(entry->Checked()); };
      // The check mark is the entry's to set; choosing it only clicks it.
      QObject::connect(action, &QAction::toggled, action,
                       [entry, action] { action->setChecked(entry->Checked()); });
    }
    QObject::connect(action, &QAction::triggered, bar,
                     [entry, dispatch] { dispatch([entry] { entry->Click(); }); });
  }
  return bar;
}

}  // namespace puffel
