#include "qt/menu_actions.h"

#include <QKeySequence>
#include <QMenu>
#include <cctype>

namespace folioteer {
namespace {

QString Label(std::string_view label) {
  QString text = QString::fromUtf8(label);
  return text.replace(u'&', QStringLiteral("&&"));
}

// The menu titles with a mnemonic: Alt+F opens "File".
QString MenuTitleText(uint8_t menu) { return u'&' + Label(MenuTitle(menu)); }

}  // namespace

MenuActions::MenuActions(QObject* parent) : QObject(parent) {
  for (const MenuRow& row : MenuLayout()) {
    if (!row.item) continue;
    auto* action = new QAction(Label(row.label), this);
    action->setObjectName(Label(row.label));
    if (row.shortcut != 0) {
      char key = static_cast<char>(std::toupper(static_cast<unsigned char>(row.shortcut)));
      action->setShortcut(QKeySequence(QStringLiteral("Ctrl+%1").arg(QChar::fromLatin1(key))));
    }
    action->setCheckable(row.kind == MenuKind::Toggle);
    action->setEnabled(row.kind != MenuKind::Disabled);
    MenuItem item = *row.item;
    connect(action, &QAction::triggered, this, [this, item] { emit Picked(item); });
    actions_[static_cast<int>(item)] = action;
  }
}

void MenuActions::AddMenus(QMenuBar* bar) const {
  QMenu* menu = nullptr;
  int shown = -1;
  for (const MenuRow& row : MenuLayout()) {
    if (row.menu != shown) {
      menu = bar->addMenu(MenuTitleText(row.menu));
      shown = row.menu;
    }
    if (row.kind == MenuKind::Separator)
      menu->addSeparator();
    else
      menu->addAction(Action(*row.item));
  }
}

void MenuActions::SetBusy(bool busy) {
  for (const MenuRow& row : MenuLayout())
    if (row.item) Action(*row.item)->setEnabled(!busy && row.kind != MenuKind::Disabled);
}

}  // namespace folioteer
