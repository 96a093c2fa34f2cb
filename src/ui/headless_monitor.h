// The monitor without a window system, for the tests and the batch mode.
//
// Windows are records: a platform object exists from NewWndo to DisposeWndo,
// and opening, closing and iconifying only mark it. Input is what PostInput
// queues for a window that is shown or iconified, delivered at the monitor's
// next turn as the window system's input would be.
//
// The monitor runs on a thread of this object, from StartMonitor to
// StopMonitor. It takes a turn when signalled (a command, a trigger, a wait,
// posted input) and on a timer at each whole second of system time. Tests can
// hold the turns back and run them one at a time (Hold, TurnNow), switch the
// timer off, and make the platform refuse a window. A user (the batch mode's
// answers to dialogs) may be installed: it is called on the monitor task
// whenever the program waits on one window with nothing queued for it and
// nothing posted, and may post the window's input then.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "ui/monitor.h"

namespace folioteer {

class HeadlessMonitor : public WndoBackend {
 public:
  HeadlessMonitor() = default;
  ~HeadlessMonitor() override;
  HeadlessMonitor(const HeadlessMonitor&) = delete;
  HeadlessMonitor& operator=(const HeadlessMonitor&) = delete;

  bool MakeWindowObject(Wndo window) override;
  void DisposeWindowObject(Wndo window) override;
  bool OpenPlatformWindow(Wndo window) override;
  void ClosePlatformWindow(Wndo window) override;
  void IconifyPlatformWindow(Wndo window) override;
  void UniconifyPlatformWindow(Wndo window) override;
  void ReadInput(Wndo window, std::vector<WndoInput>& input) override;
  void ProgramWaiting(Wndo window) override;
  void SignalMonitor() override;
  void StartMonitor() override;
  void StopMonitor() override;

  // Queues input for the window, from any thread; FALSE (nothing queued)
  // when the window is neither shown nor iconified.
  bool PostInput(Wndo window, WndoInput input);

  // nullptr: no user.
  void SetUser(std::function<void(Wndo window)> user);

  // The timer's turns; on at the start.
  void SetTimer(bool on);
  // While held, signals and the timer run no turn (they are remembered).
  void Hold(bool held);
  // Runs a turn that starts after this call and returns when it has ended.
  void TurnNow();
  // How often the monitor was signalled, and a wait until it has been that
  // often: a program that calls WaitWndoEvnt signals once it is waiting.
  uint64_t Signals();
  void AwaitSignals(uint64_t count);

  // The next open fails; while refusing, no platform object can be made.
  void FailNextOpen();
  void RefuseObjects(bool refuse);

  bool Shown(Wndo window);
  bool ShownIconified(Wndo window);

 private:
  struct PlatformWindow {
    bool shown = false;
    bool iconified = false;
    std::deque<WndoInput> input;
  };

  void MonitorProc();
  bool TurnWanted();

  std::mutex lock_;
  std::condition_variable changed_;
  std::map<Wndo, PlatformWindow> windows_;
  std::thread thread_;
  std::function<void(Wndo window)> user_;
  bool ready_ = false;
  bool stop_ = false;
  bool ended_ = false;
  bool signalled_ = false;
  bool held_ = false;
  bool timer_ = true;
  bool failNextOpen_ = false;
  bool refuseObjects_ = false;
  uint64_t signals_ = 0;
  uint64_t turnsAsked_ = 0;
  uint64_t turnsServed_ = 0;
};

}  // namespace folioteer
