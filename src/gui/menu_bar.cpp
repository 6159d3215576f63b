#include "gui/menu_bar.h"

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <string>

#include "platform/menu_layout.h"

namespace puffel {

namespace {

void addEntry(QMenu* menu, MenuEntry* entry, QMenuBar* bar,
              const std::function<void(const std::function<void()>&)>& dispatch) {
  QAction* action = menu->addAction(QString::fromStdString(entry->caption));
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
  if (entry->ShowsCheck()) {
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

}  // namespace

QMenuBar* CreateMenuBar(Form& form, QWidget* parent,
                        const std::function<void(const std::function<void()>&)>& dispatch) {
  if (form.MenuEntries().empty()) return nullptr;
  auto* bar = new QMenuBar(parent);
  // Without a native menu bar the bar stays inside the window, where the
  // window sizes itself around it.
  bar->setNativeMenuBar(false);
  for (const MenuGroup& group : MenuGroups(form.MenuEntries())) {
    QMenu* menu = bar->addMenu(QString::fromStdString(group.caption));
    for (const MenuItem& item : group.items) {
      if (item.separatorBefore) menu->addSeparator();
      QMenu* holder =
          item.submenu.empty() ? menu : menu->addMenu(QString::fromStdString(item.submenu));
      for (MenuEntry* entry : item.entries) addEntry(holder, entry, bar, dispatch);
    }
  }
  return bar;
}

}  // namespace puffel
