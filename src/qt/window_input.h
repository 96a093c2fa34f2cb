// The user's input to the editor's windows as the window system's input of
// the window event model (ui/monitor.h). An application-wide event filter
// reports, for each window of the set: its close control (the window stays
// open: the program decides), minimising and restoring (Iconify,
// Uniconify), resizing and moving with the window's box and slot (zoomed
// when maximised), activation, every key that gives characters (their bytes;
// F1 as the Help key) and the mouse buttons and moves. The windows report
// the use of their own controls.
//
// Busy windows (qt/window_set.h) get no key and no mouse button. Closing a
// window while the parameter dialog is open closes the dialog as well, so
// that the program's wait on it ends and it comes to the close at once.
#pragma once

#include <QObject>
#include <string>

#include "qt/control_widgets.h"
#include "qt/window_set.h"

namespace folioteer {

// The bytes of a key's text: ISO-8859-1 when it holds them, else UTF-8.
std::string KeyBytes(const QString& text);

class WindowInput : public QObject {
  Q_OBJECT

 public:
  WindowInput(WindowSet& windows, WindowInputSink& sink, QObject* parent = nullptr);
  ~WindowInput() override;

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::optional<WindowId> WindowOfHandle(QObject* watched) const;
  std::optional<WindowId> TopLevel(QObject* watched) const;
  bool PlatformEvent(WindowId window, QEvent* event);
  void WidgetEvent(WindowId window, QEvent* event);
  void Post(WindowId window, WndoInput input);

  WindowSet& windows_;
  WindowInputSink& sink_;
};

}  // namespace folioteer
