// The editor's Qt windows as one set, on the Qt thread: the main window, the
// edit window, the spell window, the parameter dialog and the formatted
// display (the draft preview), made once and shown, hidden, minimised and restored as the
// monitor opens, closes, iconifies and uniconifies their window records. The
// set also keeps what the windows share: the menus, the controls by name
// with their hints, the guide's character set, the screen the windows open
// on, the busy state and the window requesters are opened over.
//
// Busy: the main, edit, spell and preview windows show the wait cursor over a cover
// that takes every mouse click, their keys are dropped (qt/window_input.h)
// and the menus are disabled, so no input reaches the program until the mark
// is cleared; the dialog stays usable.
#pragma once

#include <QObject>
#include <QPointer>
#include <QScreen>
#include <array>
#include <functional>
#include <optional>

#include "qt/control_widgets.h"
#include "qt/edit_window.h"
#include "qt/guide_text.h"
#include "qt/main_window.h"
#include "qt/menu_actions.h"
#include "qt/param_dialog.h"
#include "qt/preview_window.h"
#include "qt/spell_window.h"
#include "ui/window_events.h"

namespace folioteer {

class WindowSet : public QObject {
  Q_OBJECT

 public:
  explicit WindowSet(WindowInputSink& sink);
  ~WindowSet() override;

  MainWindow& Main() const { return *main_; }
  EditWindow& Edit() const { return *edit_; }
  SpellWindow& Spell() const { return *spell_; }
  ParamDialog& Dialog() const { return *dialog_; }
  QtPreviewWindow& Preview() const { return *preview_; }
  MenuActions& Menus() const { return *menus_; }
  ControlWidgets& Controls() { return controls_; }
  // The top-level widget of a window.
  QWidget* Window(WindowId window) const;
  // The window a widget belongs to.
  std::optional<WindowId> WindowOf(const QWidget* widget) const;

  // Window life, for the monitor. Opening shows the window with its title
  // (the record's when none was set) at its first place on the screen, or,
  // for the dialog, at the box given; the others keep where the user put them.
  void Open(WindowId window, const QString& title, const WndoBox& box);
  void Close(WindowId window);
  void Iconify(WindowId window);
  void Uniconify(WindowId window);
  // While the windows change because the program asked, they report nothing.
  bool ProgramChanging() const { return programChanging_ > 0; }

  void SetCodec(const GuideTextCodec& codec);
  const GuideTextCodec& Codec() const { return codec_; }
  void SetScreen(QScreen* screen) { screen_ = screen; }
  void SetTitle(WindowId window, const QString& title);

  void SetBusy(bool busy);
  bool Busy() const { return busy_; }
  bool IsBusy(WindowId window) const;
  // Keeps the cover over the whole window after a resize.
  void FitCover(WindowId window);

  // Called with the window requesters should open over, when it changes.
  void SetReferenceHook(std::function<void(QWidget*)> hook) { referenceHook_ = std::move(hook); }
  void WindowActivated(WindowId window);

 private:
  void Place(WindowId window, const WndoBox& box);
  void Refer(QWidget* window);
  template <typename Change>
  void AsProgram(Change change);

  MenuActions* menus_;
  ControlWidgets controls_;
  MainWindow* main_;
  EditWindow* edit_;
  SpellWindow* spell_;
  ParamDialog* dialog_;
  QtPreviewWindow* preview_;
  std::array<QPointer<QWidget>, kNumWindows> covers_;
  std::array<bool, kNumWindows> placed_{};
  std::array<bool, kNumWindows> titled_{};
  GuideTextCodec codec_;
  QPointer<QScreen> screen_;
  bool busy_ = false;
  int programChanging_ = 0;
  std::function<void(QWidget*)> referenceHook_;
};

}  // namespace folioteer
