// The spell window ("Misspells"): the misspelled words of the node being
// edited, and the buttons "Ignore" (this word for this run) and "AddWord"
// (to the user's word list). Choosing a word asks the program to select it
// in the edit box; the buttons act on the chosen word.
#pragma once

#include <QWidget>

#include "qt/control_widgets.h"
#include "qt/row_list.h"

namespace folioteer {

class SpellWindow : public QWidget {
  Q_OBJECT

 public:
  SpellWindow(ControlWidgets& controls, WindowInputSink& sink, QWidget* parent);

  RowList* Words() const { return words_; }

 private:
  RowList* words_;
};

}  // namespace folioteer
