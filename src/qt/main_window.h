// The main window: the list of the guide's global commands and the list of
// its nodes, each with a column of image buttons at its right (add, edit,
// delete the global command; up, down, a gap, new, retitle, delete the
// node), and the menus. It only reports what the user does (GadgetUp of the
// control, ListDoubleClick on the global list); what it shows is set through
// the window operations.
#pragma once

#include <QMainWindow>

#include "qt/control_widgets.h"
#include "qt/menu_actions.h"
#include "qt/row_list.h"

namespace folioteer {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(ControlWidgets& controls, const MenuActions& menus, WindowInputSink& sink);

  RowList* GlobalList() const { return globalList_; }
  RowList* NodeList() const { return nodeList_; }
  PopupButton* AddGlobal() const { return addGlobal_; }

 private:
  QWidget* BuildNodePane(ControlWidgets& controls);

  WindowInputSink& sink_;
  RowList* globalList_ = nullptr;
  RowList* nodeList_;
  PopupButton* addGlobal_ = nullptr;
};

}  // namespace folioteer
