#include "ui/headless_monitor.h"

#include <chrono>

namespace folioteer {
namespace {

// The timer ticks at whole seconds of system time, right after the clock
// that deadlines are measured by has moved on.
std::chrono::system_clock::time_point NextWholeSecond() {
  auto now = std::chrono::system_clock::now();
  return std::chrono::floor<std::chrono::seconds>(now) + std::chrono::seconds(1);
}

}  // namespace

HeadlessMonitor::~HeadlessMonitor() { StopMonitor(); }

bool HeadlessMonitor::MakeWindowObject(Wndo window) {
  std::lock_guard hold(lock_);
  if (refuseObjects_) return false;
  windows_[window] = {};
  return true;
}

void HeadlessMonitor::DisposeWindowObject(Wndo window) {
  std::lock_guard hold(lock_);
  windows_.erase(window);
}

bool HeadlessMonitor::OpenPlatformWindow(Wndo window) {
  std::lock_guard hold(lock_);
  if (failNextOpen_) {
    failNextOpen_ = false;
    return false;
  }
  windows_[window].shown = true;
  return true;
}

void HeadlessMonitor::ClosePlatformWindow(Wndo window) {
  std::lock_guard hold(lock_);
  windows_[window] = {};
}

void HeadlessMonitor::IconifyPlatformWindow(Wndo window) {
  std::lock_guard hold(lock_);
  PlatformWindow& platform = windows_[window];
  platform.shown = false;
  platform.iconified = true;
}

void HeadlessMonitor::UniconifyPlatformWindow(Wndo window) {
  std::lock_guard hold(lock_);
  PlatformWindow& platform = windows_[window];
  platform.shown = true;
  platform.iconified = false;
}

void HeadlessMonitor::ReadInput(Wndo window, std::vector<WndoInput>& input) {
  std::lock_guard hold(lock_);
  auto found = windows_.find(window);
  if (found == windows_.end()) return;
  for (WndoInput& each : found->second.input) input.push_back(std::move(each));
  found->second.input.clear();
}

void HeadlessMonitor::ProgramWaiting(Wndo window) {
  std::function<void(Wndo)> user;
  {
    std::lock_guard hold(lock_);
    auto found = windows_.find(window);
    if (found == windows_.end() || !found->second.input.empty()) return;
    user = user_;
  }
  if (user) user(window);
}

void HeadlessMonitor::SetUser(std::function<void(Wndo window)> user) {
  std::lock_guard hold(lock_);
  user_ = std::move(user);
}

bool HeadlessMonitor::PostInput(Wndo window, WndoInput input) {
  std::lock_guard hold(lock_);
  auto found = windows_.find(window);
  if (found == windows_.end() || !(found->second.shown || found->second.iconified)) return false;
  found->second.input.push_back(std::move(input));
  signalled_ = true;
  changed_.notify_all();
  return true;
}

void HeadlessMonitor::SignalMonitor() {
  std::lock_guard hold(lock_);
  ++signals_;
  signalled_ = true;
  changed_.notify_all();
}

void HeadlessMonitor::StartMonitor() {
  std::unique_lock hold(lock_);
  if (thread_.joinable()) return;
  ready_ = stop_ = ended_ = false;
  thread_ = std::thread([this] { MonitorProc(); });
  changed_.wait(hold, [this] { return ready_; });
}

void HeadlessMonitor::StopMonitor() {
  {
    std::lock_guard hold(lock_);
    if (!thread_.joinable()) return;
    stop_ = true;
    changed_.notify_all();
  }
  thread_.join();
}

void HeadlessMonitor::SetTimer(bool on) {
  std::lock_guard hold(lock_);
  timer_ = on;
  changed_.notify_all();
}

void HeadlessMonitor::Hold(bool held) {
  std::lock_guard hold(lock_);
  held_ = held;
  changed_.notify_all();
}

void HeadlessMonitor::TurnNow() {
  std::unique_lock hold(lock_);
  uint64_t ticket = ++turnsAsked_;
  changed_.notify_all();
  changed_.wait(hold, [&] { return turnsServed_ >= ticket || ended_; });
}

uint64_t HeadlessMonitor::Signals() {
  std::lock_guard hold(lock_);
  return signals_;
}

void HeadlessMonitor::AwaitSignals(uint64_t count) {
  std::unique_lock hold(lock_);
  changed_.wait(hold, [&] { return signals_ >= count; });
}

void HeadlessMonitor::FailNextOpen() {
  std::lock_guard hold(lock_);
  failNextOpen_ = true;
}

void HeadlessMonitor::RefuseObjects(bool refuse) {
  std::lock_guard hold(lock_);
  refuseObjects_ = refuse;
}

bool HeadlessMonitor::Shown(Wndo window) {
  std::lock_guard hold(lock_);
  auto found = windows_.find(window);
  return found != windows_.end() && found->second.shown;
}

bool HeadlessMonitor::ShownIconified(Wndo window) {
  std::lock_guard hold(lock_);
  auto found = windows_.find(window);
  return found != windows_.end() && found->second.iconified;
}

// Called with lock_ held.
bool HeadlessMonitor::TurnWanted() { return stop_ || turnsAsked_ > turnsServed_ || (!held_ && signalled_); }

void HeadlessMonitor::MonitorProc() {
  std::unique_lock hold(lock_);
  ready_ = true;
  changed_.notify_all();
  bool running = true;
  while (running && !stop_) {
    auto tick = NextWholeSecond();
    if (timer_ && !held_)
      changed_.wait_until(hold, tick, [this] { return TurnWanted(); });
    else
      changed_.wait(hold, [this] { return TurnWanted(); });
    if (stop_) break;
    bool timerDue = timer_ && !held_ && std::chrono::system_clock::now() >= tick;
    if (!TurnWanted() && !timerDue) continue;
    uint64_t serving = turnsAsked_;
    signalled_ = false;
    hold.unlock();
    running = MonitorTurn();
    hold.lock();
    turnsServed_ = serving;
    changed_.notify_all();
  }
  ended_ = true;
  changed_.notify_all();
}

}  // namespace folioteer
