#include "support/signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <mutex>
#include <thread>
#include <vector>

namespace folioteer {
namespace {

constexpr std::array kHandledSignals{SIGINT, SIGTERM, SIGHUP};

// Written by the handlers: a count per signal, and a byte into the pipe
// that wakes the watcher. A byte may be lost to a full pipe; a count never.
int wakeRead = -1;
int wakeWrite = -1;
std::array<std::atomic<int>, kHandledSignals.size()> counts{};
static_assert(std::atomic<int>::is_always_lock_free);

std::atomic<SignalHook> breakHook{nullptr};
std::once_flag started;

std::mutex cleanupLock;
// Never destroyed: a signal may come while the program exits.
std::vector<SignalHook>& Cleanups() {
  static auto* cleanups = new std::vector<SignalHook>;
  return *cleanups;
}

extern "C" void NoteSignal(int signal) {
  int savedErrno = errno;
  for (size_t i = 0; i < kHandledSignals.size(); ++i)
    if (kHandledSignals[i] == signal) counts[i].fetch_add(1);
  unsigned char wake = 1;
  [[maybe_unused]] ssize_t ignored = ::write(wakeWrite, &wake, 1);
  errno = savedErrno;
}

// The lock of the cleanups is kept: whatever would add one (and then make
// something to clean up) waits until the process has ended.
[[noreturn]] void EndOnSignal(int signal) {
  cleanupLock.lock();
  const std::vector<SignalHook>& cleanups = Cleanups();
  for (auto cleanup = cleanups.rbegin(); cleanup != cleanups.rend(); ++cleanup) (*cleanup)();
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  ::sigaction(signal, &action, nullptr);
  sigset_t only;
  ::sigemptyset(&only);
  ::sigaddset(&only, signal);
  ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  ::raise(signal);
  ::_exit(128 + signal);  // the default action of a signal ends the process; this is not reached
}

void Watch() {
  bool breakNoted = false;
  while (true) {
    unsigned char wake = 0;
    ssize_t got = ::read(wakeRead, &wake, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return;
    for (size_t i = 0; i < kHandledSignals.size(); ++i) {
      int signal = kHandledSignals[i];
      int count = counts[i].exchange(0);
      SignalHook hook = breakHook.load();
      if (signal == SIGINT && count > 0 && !breakNoted && hook != nullptr) {
        breakNoted = true;
        hook();
        --count;
      }
      if (count > 0) EndOnSignal(signal);
    }
  }
}

void Start() {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return;  // no watcher: the signals keep their default actions
  wakeRead = fds[0];
  wakeWrite = fds[1];
  ::fcntl(wakeWrite, F_SETFL, O_NONBLOCK);
  std::thread(Watch).detach();
  struct sigaction action {};
  action.sa_handler = NoteSignal;
  action.sa_flags = SA_RESTART;
  ::sigemptyset(&action.sa_mask);
  for (int signal : kHandledSignals) ::sigaction(signal, &action, nullptr);
}

}  // namespace

void InstallSignalHandling(SignalHook onBreak) {
  breakHook.store(onBreak);
  std::call_once(started, Start);
}

void AddSignalCleanup(SignalHook cleanup) {
  std::lock_guard guard(cleanupLock);
  Cleanups().push_back(cleanup);
}

}  // namespace folioteer
