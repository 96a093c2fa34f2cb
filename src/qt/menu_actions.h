// The menus of the editor's windows: one QAction per item of the menu table
// (ui/controls.h), made once with its label, its shortcut (the letters of the
// table as Ctrl+S and Ctrl+Q), its check mark or its disabled state, and
// shared by the menu bars of every window that shows the menus. A toggle
// item's check mark flips as it is picked, before Picked is emitted, so the
// mark is the setting the user asked for.
//
// While the windows are busy the actions are disabled, so that neither a menu
// nor a shortcut reaches the program.
#pragma once

#include <QAction>
#include <QMenuBar>
#include <QObject>
#include <array>

#include "ui/controls.h"

namespace folioteer {

class MenuActions : public QObject {
  Q_OBJECT

 public:
  explicit MenuActions(QObject* parent = nullptr);

  QAction* Action(MenuItem item) const { return actions_[static_cast<int>(item)]; }
  // Fills a window's menu bar with the menus, in the table's order.
  void AddMenus(QMenuBar* bar) const;
  void SetBusy(bool busy);

 signals:
  void Picked(MenuItem item);

 private:
  std::array<QAction*, kNumMenuItems> actions_{};
};

}  // namespace folioteer
