// The batch mode acting as the user: the steps of a script that click,
// choose, pick from a menu, close, iconify, press the Help key or Ctrl-C
// become the window events a window system would give, posted through the
// headless monitor as input of the window they belong to and delivered by
// one monitor turn before the step returns. The answers to the parameter
// dialogs wait in a queue; whenever the program waits on the open dialog
// with nothing queued for it, the next answer fills the shown fields and
// presses its buttons (no answer left: Cancel). Each dialog so answered is
// reported on standard error, with the values it offered.
//
// A step that cannot happen (a window that is not open, a disabled control,
// a row a list does not have, a field the dialog does not show) is a script
// error: TakeFailure reports it once, with the step's line.
#pragma once

#include <deque>
#include <mutex>
#include <string>

#include "editor/script.h"
#include "ui/controls.h"
#include "ui/headless_monitor.h"

namespace folioteer {

class BatchUser {
 public:
  // Installs itself as the monitor's user.
  explicit BatchUser(HeadlessMonitor& monitor);
  ~BatchUser();
  BatchUser(const BatchUser&) = delete;
  BatchUser& operator=(const BatchUser&) = delete;

  // Carries out a step that acts on the windows (Select, Double, Press,
  // Popup, Menu, Close, Iconify, Uniconify, HelpKey, Break, Dialog); FALSE
  // with the reason when it cannot happen.
  bool Act(const ScriptStep& step, std::string& why);
  // The script error met while answering a dialog ("LINE: why"), once;
  // empty when there is none.
  std::string TakeFailure();

 private:
  struct QueuedAnswer {
    DialogAnswer answer;
    int line = 0;
  };

  bool Post(WindowId window, WndoInput input, std::string& why);
  bool PostGadgetUp(Control control, std::string& why);
  bool Choose(const ScriptStep& step, std::string& why);
  bool Popup(const ScriptStep& step, std::string& why);
  bool Menu(const ScriptStep& step, std::string& why);
  void AnswerDialog(Wndo window);  // on the monitor task

  HeadlessMonitor& monitor_;
  std::mutex lock_;
  std::deque<QueuedAnswer> answers_;
  std::string failure_;
};

}  // namespace folioteer
