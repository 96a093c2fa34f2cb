#include "qt/gui_call.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThread>
#include <condition_variable>
#include <mutex>
#include <set>

namespace folioteer {
namespace {

using gui_call_detail::CallCore;
using Phase = CallCore::Phase;

// The phases of every call, and the calls that a close must release. The
// receiver has a lock of its own: deleting it destroys queued calls, whose
// reply tokens then take stateLock.
std::mutex stateLock;
std::condition_variable stateChanged;
std::set<CallCore*> liveCalls;

std::mutex receiverLock;
QObject* receiver = nullptr;  // lives on the Qt thread; queued calls are delivered to it

bool Settled(const CallCore& core) { return core.phase == Phase::Done || core.phase == Phase::Dropped; }

// With stateLock held.
void Settle(CallCore& core, Phase phase) {
  core.phase = phase;
  if (core.wake) core.wake();
  stateChanged.notify_all();
}

void RunStart(const std::shared_ptr<CallCore>& core, std::function<void()>& start) {
  try {
    start();
  } catch (...) {
    std::lock_guard guard(stateLock);
    core->error = std::current_exception();
    if (!Settled(*core)) Settle(*core, Phase::Done);
  }
  std::lock_guard guard(stateLock);
  if (core->phase == Phase::Running) core->phase = Phase::Awaiting;
}

bool Post(const std::shared_ptr<CallCore>& core, std::function<void()> start) {
  std::lock_guard guard(receiverLock);
  if (receiver == nullptr) return false;
  QMetaObject::invokeMethod(
      receiver,
      [core, start = std::move(start)]() mutable {
        {
          std::lock_guard state(stateLock);
          if (core->phase != Phase::Queued) return;
          core->phase = Phase::Running;
        }
        RunStart(core, start);
      },
      Qt::QueuedConnection);
  return true;
}

// On the Qt thread the answer can only come from its own event loop. The
// loop ends only through the wake, or because the application is quitting
// (which ends every loop of the thread): then the call is given up.
void WaitInLocalLoop(CallCore& core) {
  QEventLoop loop;
  std::unique_lock guard(stateLock);
  if (Settled(core)) return;
  core.wake = [&loop] { QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection); };
  guard.unlock();
  loop.exec();
  guard.lock();
  core.wake = nullptr;
  if (!Settled(core)) Settle(core, Phase::Dropped);
}

}  // namespace

bool OnGuiThread() {
  QCoreApplication* application = QCoreApplication::instance();
  return application != nullptr && QThread::currentThread() == application->thread();
}

void OpenGuiCalls() {
  std::lock_guard guard(receiverLock);
  if (receiver != nullptr) return;
  receiver = new QObject(QCoreApplication::instance());
}

void CloseGuiCalls() {
  QObject* closing = nullptr;
  {
    std::lock_guard guard(receiverLock);
    closing = receiver;
    receiver = nullptr;
  }
  {
    std::lock_guard guard(stateLock);
    for (CallCore* core : liveCalls)
      if (core->phase == Phase::Queued || core->phase == Phase::Awaiting) Settle(*core, Phase::Dropped);
  }
  // Destroys the calls still queued for it; they were dropped above.
  delete closing;
}

bool GuiCallsOpen() {
  std::lock_guard guard(receiverLock);
  return receiver != nullptr;
}

namespace gui_call_detail {

bool Run(const std::shared_ptr<CallCore>& core, std::function<void()> start) {
  {
    std::lock_guard guard(stateLock);
    liveCalls.insert(core.get());
  }
  if (OnGuiThread() && GuiCallsOpen()) {
    {
      std::lock_guard guard(stateLock);
      core->phase = Phase::Running;
    }
    RunStart(core, start);
    WaitInLocalLoop(*core);
  } else if (Post(core, std::move(start))) {
    std::unique_lock guard(stateLock);
    stateChanged.wait(guard, [&] { return Settled(*core); });
  } else {
    std::lock_guard guard(stateLock);
    core->phase = Phase::Dropped;
  }
  std::exception_ptr error;
  bool answered = false;
  {
    std::lock_guard guard(stateLock);
    liveCalls.erase(core.get());
    error = core->error;
    answered = core->phase == Phase::Done;
  }
  if (error) std::rethrow_exception(error);
  return answered;
}

bool Answer(CallCore& core) {
  std::lock_guard guard(stateLock);
  if (Settled(core)) return false;
  Settle(core, Phase::Done);
  return true;
}

void DropUnanswered(CallCore& core) {
  std::lock_guard guard(stateLock);
  if (!Settled(core)) Settle(core, Phase::Dropped);
}

}  // namespace gui_call_detail
}  // namespace folioteer
