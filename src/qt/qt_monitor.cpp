#include "qt/qt_monitor.h"

#include <QMetaObject>
#include <QThread>

#include "qt/gui_call.h"
#include "qt/requester_text.h"
#include "ui/windows.h"

namespace folioteer {

QtMonitor::QtMonitor(std::function<void()> onBreak, QObject* parent)
    : QObject(parent), onBreak_(std::move(onBreak)), breaksSeen_(BreakCount()) {
  timer_.setInterval(kTurnMilliseconds);
  connect(&timer_, &QTimer::timeout, this, [this] {
    CheckBreak();
    RunTurn();
  });
  timer_.start();
}

QtMonitor::~QtMonitor() { timer_.stop(); }

// The windows are made once, with the set; a record only names one of them.
bool QtMonitor::MakeWindowObject(Wndo) { return true; }
void QtMonitor::DisposeWindowObject(Wndo) {}

bool QtMonitor::OpenPlatformWindow(Wndo window) {
  std::optional<WindowId> id = FindWindowId(window);
  if (!id || windows_ == nullptr || windows_->Window(*id) == nullptr) return false;
  records_[static_cast<int>(*id)] = window;
  input_[window].clear();
  windows_->Open(*id, RequesterPlainText(GetWndoTitle(window)), GetWndoBox(window, WndoSlot::Normal));
  return true;
}

void QtMonitor::ClosePlatformWindow(Wndo window) {
  for (int id = 0; id < kNumWindows; ++id) {
    if (records_[id] != window) continue;
    records_[id] = NullWndo();
    windows_->Close(static_cast<WindowId>(id));
  }
  input_.erase(window);
}

void QtMonitor::IconifyPlatformWindow(Wndo window) {
  if (std::optional<WindowId> id = FindWindowId(window)) windows_->Iconify(*id);
}

void QtMonitor::UniconifyPlatformWindow(Wndo window) {
  if (std::optional<WindowId> id = FindWindowId(window)) windows_->Uniconify(*id);
}

void QtMonitor::ReadInput(Wndo window, std::vector<WndoInput>& input) {
  auto found = input_.find(window);
  if (found == input_.end()) return;
  for (WndoInput& each : found->second) input.push_back(std::move(each));
  found->second.clear();
}

void QtMonitor::PostInput(WindowId window, WndoInput input) {
  Wndo record = records_[static_cast<int>(window)];
  if (record == NullWndo()) return;
  input_[record].push_back(std::move(input));
  TurnSoon();
}

// From the program thread a turn is queued once however often it signals;
// on the Qt thread it runs at once (the program's end stops the toolkit
// there, after the event loop).
void QtMonitor::SignalMonitor() {
  if (OnGuiThread()) {
    RunTurn();
    return;
  }
  TurnSoon();
}

void QtMonitor::TurnSoon() {
  if (turnQueued_.exchange(true)) return;
  QMetaObject::invokeMethod(
      this,
      [this] {
        turnQueued_ = false;
        RunTurn();
      },
      Qt::QueuedConnection);
}

bool QtMonitor::Idle() const {
  if (turnQueued_) return false;
  for (const auto& [record, input] : input_)
    if (!input.empty()) return false;
  return running_ && ProgramWaitsForInput();
}

void QtMonitor::StartMonitor() { running_ = true; }

// The toolkit is freed after this: a turn that runs on the Qt thread ends
// first.
void QtMonitor::StopMonitor() {
  if (!OnGuiThread() && CallOnGui([this] { running_ = false; })) return;
  running_ = false;
}

void QtMonitor::RunTurn() {
  if (running_) MonitorTurn();
}

void QtMonitor::CheckBreak() {
  uint64_t breaks = BreakCount();
  if (breaks == breaksSeen_) return;
  breaksSeen_ = breaks;
  if (onBreak_) onBreak_();
  if (windows_ != nullptr && windows_->Dialog().isVisible())
    PostInput(WindowId::Dialog, EvntInput(EvntKind::CloseWindow));
}

}  // namespace folioteer
