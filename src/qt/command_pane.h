// The panes of the editor's windows: a list under its heading with a column
// of buttons at its right. CommandPane is the one both windows have for
// commands (the global ones in the main window, the node-local ones in the
// edit window): the list, the pop-up that adds a command of the scope, and
// the buttons that edit and delete the chosen one. It reports the list's
// choices and double clicks and the buttons' use as events of its window.
#pragma once

#include <QBoxLayout>
#include <QWidget>

#include "qt/control_widgets.h"
#include "qt/row_list.h"

namespace folioteer {

// The list under its heading, the buttons at its right.
QWidget* ListPane(const QString& heading, RowList* list, QBoxLayout* buttons);

class CommandPane : public QWidget {
  Q_OBJECT

 public:
  // The scope's four controls: Global for GlobalList, AddGlobal, EditGlobal,
  // DeleteGlobal; Local for those of the local list.
  CommandPane(CmdScope scope, const QString& heading, ControlWidgets& controls, WindowInputSink& sink);

  RowList* List() const { return list_; }
  PopupButton* AddPopup() const { return add_; }

 private:
  RowList* list_;
  PopupButton* add_;
};

}  // namespace folioteer
