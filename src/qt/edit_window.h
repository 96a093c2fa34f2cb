// The edit window: the node-local commands of the node being edited (with
// add, edit and delete at their right), the edit box with the node's text in
// the editor font, and a row with the formatted display, the attribute
// pop-up, the link and undo buttons and the navigation to the previous and
// next node, each with the label of the node it leads to. A label that names
// no node of the guide is marked with a warning sign and a note. The window
// carries the main window's menus too. Like every window here it only
// reports the user's actions and shows what it is told.
#pragma once

#include <QLabel>
#include <QMainWindow>

#include "qt/control_widgets.h"
#include "qt/edit_box.h"
#include "qt/menu_actions.h"
#include "qt/row_list.h"
#include "ui/windows.h"

namespace folioteer {

class EditWindow : public QMainWindow {
  Q_OBJECT

 public:
  EditWindow(ControlWidgets& controls, const MenuActions& menus, WindowInputSink& sink);

  RowList* LocalList() const { return localList_; }
  EditBox* Box() const { return editBox_; }
  PopupButton* AddLocal() const { return addLocal_; }
  PopupButton* AttrPopup() const { return attrPopup_; }

  void SetNavLabel(NavDirection direction, const QString& text, bool pointsNowhere);
  QLabel* NavLabel(NavDirection direction) const { return nav_[static_cast<int>(direction)].label; }
  bool NavMarked(NavDirection direction) const {
    return nav_[static_cast<int>(direction)].mark->isVisibleTo(this);
  }

 private:
  struct Nav {
    QLabel* label = nullptr;
    QLabel* mark = nullptr;
  };

  QWidget* BuildInsertRow(ControlWidgets& controls);
  QLayout* BuildNavigation(ControlWidgets& controls, NavDirection direction, const QIcon& icon);
  void Connect(QAbstractButton* button, Control control);

  WindowInputSink& sink_;
  RowList* localList_ = nullptr;
  EditBox* editBox_;
  PopupButton* addLocal_ = nullptr;
  PopupButton* attrPopup_ = nullptr;
  Nav nav_[kNumNavDirections];
};

}  // namespace folioteer
