// Runs a piece of a test in a child process: as the user nobody, where a
// test needs a user that the permissions apply to (this machine runs the
// tests as root), or under a deadline, where the fault a test pins down is
// a hang. The child's body returns what went wrong ("" when nothing did);
// the parent gets it back through a pipe.
#pragma once

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>

namespace folioteer::testing {

// NotRoot: nobody when the tests run as root, else the user they run as.
enum class ChildUser { Same, Nobody, NotRoot };

struct NobodyIds {
  uid_t uid = 65534;
  gid_t gid = 65534;
};

inline NobodyIds Nobody() {
  NobodyIds ids;
  if (const passwd* entry = ::getpwnam("nobody")) {
    ids.uid = entry->pw_uid;
    ids.gid = entry->pw_gid;
  }
  return ids;
}

// Only root can become nobody; the reason to skip otherwise.
inline std::optional<std::string> WhyNotNobody() {
  if (::geteuid() != 0)
    return "needs root to switch to the user nobody (runs as uid " + std::to_string(::geteuid()) + ")";
  return std::nullopt;
}

// Hands a file or folder made by the test to nobody (only root can).
inline void GiveToNobody(const std::string& path) {
  if (::geteuid() != 0) return;
  NobodyIds nobody = Nobody();
  [[maybe_unused]] int changed = ::lchown(path.c_str(), nobody.uid, nobody.gid);
}

// "" when the body found nothing wrong; else its findings, or how the child ended.
inline std::string RunInChild(const std::function<std::string()>& body, ChildUser user = ChildUser::Same,
                              unsigned deadlineSeconds = 20) {
  int fds[2];
  if (::pipe(fds) != 0) return "no pipe";
  pid_t child = ::fork();
  if (child < 0) return "no fork";
  if (child == 0) {
    ::close(fds[0]);
    ::alarm(deadlineSeconds);
    std::string found;
    NobodyIds nobody = Nobody();
    bool switchUser = user == ChildUser::Nobody || (user == ChildUser::NotRoot && ::geteuid() == 0);
    if (switchUser &&
        (::setgroups(0, nullptr) != 0 || ::setgid(nobody.gid) != 0 || ::setuid(nobody.uid) != 0))
      found = "cannot switch to nobody";
    else
      found = body();
    [[maybe_unused]] ssize_t written = ::write(fds[1], found.data(), found.size());
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string found;
  char buffer[512];
  for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;) found.append(buffer, got);
  ::close(fds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM)
    return found + "the child did not finish within " + std::to_string(deadlineSeconds) + " s";
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return found + "the child ended with status " + std::to_string(status);
  return found;
}

// Collects what a child body finds wrong.
class Findings {
 public:
  void Check(bool ok, const std::string& what) {
    if (!ok) text_ += what + "\n";
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace folioteer::testing
