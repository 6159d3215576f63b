#include "gui/menu_bar.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <QVariant>
#include <string>

#include "platform/menu_layout.h"

namespace puffel {

namespace {

// group: the radio group of a submenu's choice, or null outside a submenu.
void addEntry(QMenu* menu, MenuEntry* entry, QActionGroup* group, QMenuBar* bar,
              const std::function<void(const std::function<void()>&)>& dispatch) {
  QAction* action = menu->addAction(QString::fromStdString(entry->caption));
  action->setObjectName(QString::fromStdString(entry->name));
  QList<QKeySequence> keys;
  for (const std::string& shortcut : entry->shortcuts) {
    keys.append(QKeySequence(QString::fromStdString(shortcut), QKeySequence::PortableText));
  }
  action->setShortcuts(keys);
  // The keys work in every window of the program, whichever holds the menu.
  action->setShortcutContext(Qt::ApplicationShortcut);
  action->setEnabled(entry->Enabled());
  entry->EnabledChanged = [entry, action] { action->setEnabled(entry->Enabled()); };
  action->setData(QVariant::fromValue(static_cast<void*>(entry)));
  if (entry->ShowsCheck()) {
    action->setCheckable(true);
    action->setChecked(entry->Checked());
    entry->CheckedChanged = [entry, action] { action->setChecked(entry->Checked()); };
  }
  if (entry->InChoice()) group->addAction(action);
  // The marks are the entries' to set: choosing one puts them back as the
  // entries have them, then clicks it.
  QObject::connect(action, &QAction::triggered, bar, [entry, action, dispatch] {
    const QList<QAction*> marked =
        action->actionGroup() != nullptr ? action->actionGroup()->actions() : QList{action};
    for (QAction* shown : marked) {
      if (shown->isCheckable()) {
        shown->setChecked(static_cast<const MenuEntry*>(shown->data().value<void*>())->Checked());
      }
    }
    dispatch([entry] { entry->Click(); });
  });
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
      // A submenu's choice: its marks look like one, and the entries set them.
      QActionGroup* group = nullptr;
      if (!item.submenu.empty()) {
        group = new QActionGroup(holder);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
      }
      for (MenuEntry* entry : item.entries) addEntry(holder, entry, group, bar, dispatch);
    }
  }
  return bar;
}

}  // namespace puffel
