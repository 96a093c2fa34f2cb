// The monitor task: the one place where the platform's windows are opened,
// closed and iconified and their input is read.
//
// The monitor's work is a turn (MonitorTurn), written once for every window
// system: read the clock; carry out every queued command; then, holding the
// window-list lock, pass each window's program-made events through their
// filters, turn its input into events (kMaxKeyChars Key events per key, the
// Help key as HelpKey where the window asked for it, the position slots kept
// up to date), add a Tick where due, and wake a program waiting on the window
// or on any window when it has events, was triggered or its deadline passed;
// last the global deadline and trigger flag.
//
// The platform is a WndoBackend. The backend decides on which thread the
// monitor runs and makes MonitorTurn run there when SignalMonitor is called,
// when input arrives and once a second; every backend call except
// MakeWindowObject and DisposeWindowObject happens inside a turn. The headless
// backend (ui/headless_monitor.h) runs turns on a thread of its own; a Qt
// backend runs them from the Qt event loop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/window_events.h"

namespace folioteer {

// One input message of the platform for a window, before the toolkit's rules
// make events of it.
enum class InputKind : uint8_t { Evnt, KeyDown, MouseMove };
struct WndoInput {
  InputKind kind = InputKind::Evnt;
  WndoEvnt evnt;                     // Evnt: the event as the platform reports it
  std::string keyChars;              // KeyDown: the characters the key map gives the key
  bool helpKey = false;              // KeyDown: the key is the Help key
  WndoBox box;                       // NewSize, ChangeWin: the window's box now,
  WndoSlot slot = WndoSlot::Normal;  // in this slot
  bool boxRead = true;               // FALSE: the box could not be read
};

WndoInput EvntInput(EvntKind kind, const Gadget* gadget = nullptr, int32_t value = 0);
WndoInput MenuInput(uint32_t code);
WndoInput KeyInput(std::string keyChars, bool helpKey = false);
WndoInput BoxInput(EvntKind kind, WndoBox box, WndoSlot slot = WndoSlot::Normal);
WndoInput MouseMoveInput();

class WndoBackend {
 public:
  virtual ~WndoBackend() = default;

  // On the program task, in NewWndo and DisposeWndo. FALSE: no platform
  // object can be made for the window.
  virtual bool MakeWindowObject(Wndo window) = 0;
  virtual void DisposeWindowObject(Wndo window) = 0;

  // Inside a turn. FALSE: the window could not be opened.
  virtual bool OpenPlatformWindow(Wndo window) = 0;
  virtual void ClosePlatformWindow(Wndo window) = 0;
  virtual void IconifyPlatformWindow(Wndo window) = 0;
  virtual void UniconifyPlatformWindow(Wndo window) = 0;
  // Appends the input that arrived for the window since the last call, oldest
  // first. Asked for open and iconified windows.
  virtual void ReadInput(Wndo window, std::vector<WndoInput>& input) = 0;
  // Inside a turn, before the window's input is read: the program waits on
  // this open window (not on any window) and has no event of it queued. A
  // window system has nothing to do; a backend that plays the user (the
  // headless one) may post its input now, while the program is sure to wait.
  virtual void ProgramWaiting(Wndo /*window*/) {}

  // From any thread: run a turn soon on the monitor task.
  virtual void SignalMonitor() = 0;
  // Start the monitor task and return when it is ready; stop it after the
  // quit command has been carried out.
  virtual void StartMonitor() = 0;
  virtual void StopMonitor() = 0;
};

// Whole seconds of system time.
using SecondsClock = int64_t (*)();
int64_t SystemSeconds();

// Makes the command queue and its record pool and starts the monitor.
void StartWindowToolkit(WndoBackend& backend, SecondsClock clock = SystemSeconds);
// Disposes the windows left, has the monitor quit and stops it.
void StopWindowToolkit();
bool WindowToolkitStarted();

// One turn of the monitor, on the monitor task; FALSE once the quit command
// has been carried out. A turn asked for while one runs (a backend call that
// delivers input at once) runs right after it.
bool MonitorTurn();

// On the monitor task, outside a turn: the program waits on any window and
// no window holds an event for it, so it has taken all input it was given
// (what tests and pictures of the windows wait for).
bool ProgramWaitsForInput();

// The break signal (Ctrl-C). NoteBreak may be called from a signal handler;
// the monitor's next turn wakes a program waiting on any window, which finds
// the break with TakeBreak.
void NoteBreak();
bool TakeBreak();
// How many breaks were noted since the program started: a window system that
// must end what blocks the program (an open requester, a dialog) on a break
// compares it with the count it saw last.
uint64_t BreakCount();

}  // namespace folioteer
