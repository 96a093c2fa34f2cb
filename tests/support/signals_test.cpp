#include "support/signals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "support/channels.h"
#include "test_util.h"

namespace folioteer {
namespace {

// A replacement file being written when the program is told to end is
// removed, and the old file stays as it was. (The break, SIGHUP and a second
// SIGINT through the program: the case cli/signals.)
TEST(Signals, AnUnfinishedReplacementIsRemoved) {
  testing::TempDir dir;
  std::string guide = dir.File("g.guide");
  testing::WriteFile(guide, "old");
  pid_t child = ::fork();
  if (child == 0) {
    ::alarm(10);
    InstallSignalHandling(nullptr);
    Channel chan;
    if (OpenReplacement(chan, guide) != kOpened) ::_exit(1);
    WriteText(chan, "half of the new");
    ::kill(::getpid(), SIGTERM);
    while (true) ::pause();
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  EXPECT_EQ(testing::ReadFile(guide), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
}  // namespace folioteer
