// The parameter dialog window: the new-command, new-link and new-attribute
// dialogs share it. It shows exactly the fields of the content it is given
// (ui/controls.h DialogContent), in their order, each with its hint as its
// tooltip: fields the command or attribute does not take are not there at
// all, and the window takes the size of what it shows. Text fields hold the
// guide's text without loss (qt/guide_text.h); what cannot be held is
// refused as it is typed, with a note saying why.
//
// Like the other windows it only reports: Ok, Cancel (also Escape), the font
// button and a change of the link operation are GadgetUp events of the
// dialog window; the program reads the values (Content) and ends the dialog.
#pragma once

#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <vector>

#include "qt/control_widgets.h"
#include "qt/guide_text.h"
#include "ui/controls.h"

namespace folioteer {

class ParamDialog : public QDialog {
  Q_OBJECT

 public:
  ParamDialog(ControlWidgets& controls, WindowInputSink& sink, QWidget* parent);

  void SetContent(const DialogContent& content, const GuideTextCodec& codec);
  // The content with what the shown fields hold now.
  DialogContent Content() const;
  void SetValues(const std::vector<DialogField>& fields);
  void SetHints(const std::vector<DialogField>& fields);
  QString Note() const { return note_->isVisible() ? note_->text() : QString(); }

 public slots:
  void accept() override;
  void reject() override;

 private:
  void Rebuild(const DialogContent& content);
  void AddField(const DialogField& field, bool fontButton);
  void ShowNote(const QString& note);

  ControlWidgets& controls_;
  WindowInputSink& sink_;
  GuideTextCodec codec_;
  DialogContent content_;
  QLabel* heading_;
  QFormLayout* form_;
  QLabel* note_;
};

}  // namespace folioteer
