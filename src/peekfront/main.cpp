// peekfront: writes the name of the screen in front to standard output,
// without a line end, and ends. "Workbench" stands for every case without a
// name: no reachable display, no screen, a screen without a name, or a
// window system that does not answer. Arguments are ignored.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "peekfront/front_screen.h"
#include "support/display_probe.h"

namespace {

constexpr char kFallbackName[] = "Workbench";
constexpr unsigned kPatienceSeconds = 5;

// A display that accepts connections but never answers must not hold the
// caller, which waits for our output.
void GiveUp(int) {
  ssize_t ignored = ::write(STDOUT_FILENO, kFallbackName, sizeof kFallbackName - 1);
  (void)ignored;
  ::_exit(0);
}

}  // namespace

int main() {
  ::signal(SIGALRM, GiveUp);
  ::alarm(kPatienceSeconds);
  std::string name;
  std::string platforms = folioteer::PlatformsFromEnvironment();
  if (!platforms.empty()) name = folioteer::FrontScreenName(platforms, kFallbackName);
  ::alarm(0);
  if (name.empty()) name = kFallbackName;
  std::fwrite(name.data(), 1, name.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
