#include "support/signals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>

#include "support/channels.h"
#include "test_util.h"

namespace folioteer {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// Each case runs in a child that installs the handling and signals itself;
// the parent reads what the child reported on a pipe and how it ended.
struct Ending {
  std::string reported;
  int signal = 0;  // the signal that ended the child, 0 when it exited
};

int reportFd = -1;
std::string cleanupMark;
std::atomic<bool> breakSeen{false};

void ReportBreak() {
  [[maybe_unused]] ssize_t written = ::write(reportFd, "break;", 6);
  breakSeen = true;
}
void RemoveMark() { ::unlink(cleanupMark.c_str()); }

template <typename Body>
Ending RunChild(Body body) {
  int fds[2];
  EXPECT_EQ(::pipe(fds), 0);
  pid_t child = ::fork();
  if (child == 0) {
    ::close(fds[0]);
    reportFd = fds[1];
    ::alarm(10);
    body();
    [[maybe_unused]] ssize_t written = ::write(reportFd, "exit;", 5);
    ::_exit(0);
  }
  ::close(fds[1]);
  Ending ending;
  char buffer[256];
  for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;) ending.reported.append(buffer, got);
  ::close(fds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) ending.signal = WTERMSIG(status);
  return ending;
}

// The watcher passes a break on to the hook in its own time.
void BreakAndWait() {
  ::kill(::getpid(), SIGINT);
  while (!breakSeen) ::usleep(1000);
}

// Until the signal ends the child (or the alarm does).
[[noreturn]] void SignalAndWaitForTheEnd(int signal) {
  ::kill(::getpid(), signal);
  while (true) ::pause();
}

class SignalsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cleanupMark = dir.File("mark");
    WriteFile(cleanupMark, "");
  }
  TempDir dir;
};

// SIGINT ended the program at once. Now the first is the break, handed to
// the hook (the program goes on to ask whether to save); a second ends the
// program after the cleanups.
TEST_F(SignalsTest, TheFirstInterruptIsTheBreakTheSecondEnds) {
  Ending ending = RunChild([] {
    InstallSignalHandling(ReportBreak);
    AddSignalCleanup(RemoveMark);
    BreakAndWait();
    SignalAndWaitForTheEnd(SIGINT);
  });
  EXPECT_EQ(ending.reported, "break;");
  EXPECT_EQ(ending.signal, SIGINT);
  EXPECT_FALSE(std::filesystem::exists(cleanupMark));
}

// SIGTERM and SIGHUP end the program through its cleanups; so does SIGINT
// when nobody installed a break hook.
TEST_F(SignalsTest, EndingSignalsRunTheCleanupsAndEndWithTheSignal) {
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
    WriteFile(cleanupMark, "");
    Ending ending = RunChild([signal] {
      InstallSignalHandling(signal == SIGINT ? nullptr : ReportBreak);
      AddSignalCleanup(RemoveMark);
      SignalAndWaitForTheEnd(signal);
    });
    EXPECT_EQ(ending.reported, "") << strsignal(signal);
    EXPECT_EQ(ending.signal, signal) << strsignal(signal);
    EXPECT_FALSE(std::filesystem::exists(cleanupMark)) << strsignal(signal);
  }
}

// A replacement file being written when the program is told to end is
// removed, and the old file stays as it was.
TEST_F(SignalsTest, AnUnfinishedReplacementIsRemoved) {
  std::string guide = dir.File("g.guide");
  WriteFile(guide, "old");
  Ending ending = RunChild([&] {
    InstallSignalHandling(ReportBreak);
    Channel chan;
    if (OpenReplacement(chan, guide) != kOpened) return;
    WriteText(chan, "half of the new");
    SignalAndWaitForTheEnd(SIGTERM);
  });
  EXPECT_EQ(ending.signal, SIGTERM);
  EXPECT_EQ(ReadFile(guide), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);  // g.guide, mark
}

}  // namespace
}  // namespace folioteer
