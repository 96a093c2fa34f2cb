// A window toolkit running on the headless monitor, with a clock the test
// sets, and helpers to run the program's waits on a thread of their own.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <vector>

#include "support/assert.h"
#include "ui/headless_monitor.h"
#include "ui/monitor.h"
#include "ui/window_events.h"

namespace folioteer::testing {

class ToolkitTest : public ::testing::Test {
 protected:
  static int64_t TestClock() { return now.load(); }
  static inline std::atomic<int64_t> now{1000};

  // The test's own thread is the program task.
  void SetUp() override {
    SetProgramTask();
    now = 1000;
  }
  void TearDown() override {
    monitor.Hold(false);
    StopWindowToolkit();
  }

  // The clock is the test's; turns run only when the test asks for them.
  void StartStepped() {
    monitor.SetTimer(false);
    monitor.Hold(true);
    StartWindowToolkit(monitor, TestClock);
  }
  void StartLive() { StartWindowToolkit(monitor, SystemSeconds); }

  Wndo OpenedWndo(WndoModSet modifiers = 0) {
    monitor.Hold(false);
    Wndo window = NewWndo("Test", kUnsetSize, kUnsetSize, modifiers);
    OpenWndo(window);
    monitor.TurnNow();  // the opening turn is over: holding the monitor holds every turn
    return window;
  }

  // Every queued event of the window, oldest first.
  static std::vector<WndoEvnt> Drain(Wndo window) {
    std::vector<WndoEvnt> events;
    WndoEvnt evnt;
    while (GetWndoEvnt(window, evnt)) events.push_back(evnt);
    return events;
  }

  HeadlessMonitor monitor;
};

inline constexpr std::chrono::milliseconds kSoon{5000};    // what should happen does
inline constexpr std::chrono::milliseconds kBriefly{100};  // what should not happen doesn't

// A wait of the program on a thread of its own, under way once constructed;
// released at the end so that a failing test still ends.
class ProgramWait {
 public:
  ProgramWait(HeadlessMonitor& monitor, Wndo window, std::function<void()> wait, int signals = 1)
      : monitor_(monitor), window_(window) {
    uint64_t before = monitor.Signals();
    program_ = std::async(std::launch::async, std::move(wait));
    monitor.AwaitSignals(before + signals);
  }
  ~ProgramWait() {
    while (!Returned(kBriefly)) {
      TriggerWndoEvnt(window_ == AnyWndo() ? NullWndo() : window_, WndoEvnt{});
      monitor_.TurnNow();
    }
  }
  ProgramWait(const ProgramWait&) = delete;
  ProgramWait& operator=(const ProgramWait&) = delete;

  bool Returned(std::chrono::milliseconds within) {
    return program_.wait_for(within) == std::future_status::ready;
  }
  bool ReturnsSoon() { return Returned(kSoon); }
  bool StillWaiting() { return !Returned(kBriefly); }

 private:
  HeadlessMonitor& monitor_;
  Wndo window_;
  std::future<void> program_;
};

}  // namespace folioteer::testing
