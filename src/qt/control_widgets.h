// The widgets of the editor's controls (ui/controls.h), found by Control in
// whichever window they stand: status reflection enables and disables them,
// the help hints are their tooltips, and each carries its control's name as
// its object name (how tests and accessibility tools find it).
//
// Also the two small widgets that several windows use: the pop-up button
// (a button with an image whose menu offers rows of names) and the reporting
// of a control's use as the GadgetUp event of its window.
#pragma once

#include <QMenu>
#include <QPointer>
#include <QString>
#include <QToolButton>
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/monitor.h"

namespace folioteer {

// Where the windows report the user's input: the window system's input of the
// window event model, for a window of the set. On the Qt thread.
class WindowInputSink {
 public:
  virtual ~WindowInputSink() = default;
  virtual void PostInput(WindowId window, WndoInput input) = 0;
};

// A control was used: GadgetUp on its window.
void PostGadgetUp(WindowInputSink& sink, Control control);

// The fixed hint of a control of the main, edit or spell window (the hint of
// the command it issues, or of the list); empty for the dialogs' fields,
// whose hints come with the dialog's content.
QString ControlHint(Control control);

class ControlWidgets {
 public:
  // Names the widget after the control and gives it the control's hint.
  void Add(Control control, QWidget* widget);
  void Remove(Control control);
  QWidget* Widget(Control control) const { return widgets_[static_cast<int>(control)]; }
  template <typename W>
  W* Get(Control control) const {
    return qobject_cast<W*>(Widget(control));
  }
  void SetHint(Control control, const QString& hint);
  QString Hint(Control control) const { return hints_[static_cast<int>(control)]; }
  // All hints on or off at once, in every window.
  void SetHintsShown(bool shown);
  bool HintsShown() const { return hintsShown_; }

 private:
  void ShowHint(Control control);

  std::array<QPointer<QWidget>, kNumControls> widgets_;
  std::array<QString, kNumControls> hints_;
  bool hintsShown_ = true;
};

// A button showing an image whose menu offers rows of names; choosing one
// remembers its row and emits Chosen.
class PopupButton : public QToolButton {
  Q_OBJECT

 public:
  PopupButton(const QIcon& icon, const std::vector<std::string>& rows, QWidget* parent = nullptr);
  // The row last chosen; -1 before the first choice.
  int ChosenRow() const { return chosenRow_; }
  QMenu* Rows() const { return menu_; }

 signals:
  void Chosen();

 private:
  QMenu* menu_;
  int chosenRow_ = -1;
};

// An image button of the windows' button columns.
QToolButton* MakeImageButton(const QIcon& icon, QWidget* parent = nullptr);
// Gives the controls one width, the widest one's: a pop-up's arrow would
// otherwise make its column uneven.
void UniformWidth(const ControlWidgets& controls, std::initializer_list<Control> row);

}  // namespace folioteer
