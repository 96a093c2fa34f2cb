// The monitor task on Qt: the window event model's backend (ui/monitor.h)
// whose turns run in the Qt event loop of the main thread.
//
// A turn runs soon after the program signals (a command, a wait, a trigger;
// from the program thread a queued call, on the Qt thread at once, so that
// the toolkit can also stop after the event loop has ended), after a window
// reported input, and on a timer every kTurnMilliseconds, so that deadlines
// and pacer ticks are met within their second and a break (Ctrl-C) is seen
// at once. A new break ends what blocks the program from taking it: the
// open requester is cancelled and the open dialog closed.
//
// Opening a window record shows the window of the set that the record
// stands for (FindWindowId); from then on the window's input, reported by
// the windows (PostInput), waits for the record until the turn reads it.
// Closing hides the window and drops input not yet read.
#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <atomic>
#include <functional>
#include <map>
#include <vector>

#include "qt/control_widgets.h"
#include "qt/window_set.h"
#include "ui/monitor.h"

namespace folioteer {

inline constexpr int kTurnMilliseconds = 200;

class QtMonitor : public QObject, public WndoBackend, public WindowInputSink {
  Q_OBJECT

 public:
  // On the Qt thread. onBreak runs there for each new break. The windows
  // report to the monitor, so they are made after it and attached.
  explicit QtMonitor(std::function<void()> onBreak, QObject* parent = nullptr);
  ~QtMonitor() override;
  void Attach(WindowSet& windows) { windows_ = &windows; }

  bool MakeWindowObject(Wndo window) override;
  void DisposeWindowObject(Wndo window) override;
  bool OpenPlatformWindow(Wndo window) override;
  void ClosePlatformWindow(Wndo window) override;
  void IconifyPlatformWindow(Wndo window) override;
  void UniconifyPlatformWindow(Wndo window) override;
  void ReadInput(Wndo window, std::vector<WndoInput>& input) override;
  void SignalMonitor() override;
  void StartMonitor() override;
  void StopMonitor() override;

  void PostInput(WindowId window, WndoInput input) override;
  // The program has taken all input the windows gave and waits for more.
  bool Idle() const;
  // The record a window of the set is open for; NullWndo when it is not.
  Wndo RecordOf(WindowId window) const { return records_[static_cast<int>(window)]; }

 private:
  void RunTurn();
  void TurnSoon();
  void CheckBreak();

  WindowSet* windows_ = nullptr;
  std::function<void()> onBreak_;
  QTimer timer_;
  std::array<Wndo, kNumWindows> records_{};  // Qt thread only
  std::map<Wndo, std::vector<WndoInput>> input_;
  std::atomic<bool> running_{false};
  std::atomic<bool> turnQueued_{false};
  uint64_t breaksSeen_ = 0;
};

}  // namespace folioteer
