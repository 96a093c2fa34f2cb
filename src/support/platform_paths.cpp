#include "support/platform_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>

#include "support/ascii.h"
#include "support/assert.h"
#include "support/signals.h"

namespace folioteer {
namespace {

// Each private folder belongs to the user who made it: a process that
// changed its user makes its own.
struct PrivateFolder {
  std::string path;
  uid_t owner = 0;
  bool Ours() const { return !path.empty() && owner == ::geteuid(); }
};

// Never destroyed: a signal may end the program while it exits, and the
// watcher thread then still reads the temporary folder's name.
struct Paths {
  std::mutex lock;
  std::string programDir;
  PrivateFolder temp;
  PrivateFolder envFallback;
};
Paths& State() {
  static Paths* paths = new Paths;
  return *paths;
}

std::string EnvOr(const char* variable, std::string fallback) {
  const char* value = std::getenv(variable);
  return (value != nullptr && *value != '\0') ? std::string(value) : fallback;
}

std::string Join(const std::string& dir, std::string_view rest) {
  if (dir.empty() || dir.back() == '/') return dir + std::string(rest);
  return dir + "/" + std::string(rest);
}

// A name in a folder that may be missing: then the empty name, never a
// name relative to the working folder or the root.
std::string Below(const std::string& dir, std::string_view rest) {
  return dir.empty() ? std::string() : Join(dir, rest);
}

void RemoveTempFolderUnlocked() {
  if (!State().temp.Ours()) return;
  // A preview file may be written while the folder goes: a few rounds catch it.
  for (int round = 0; round < 3 && std::filesystem::exists(State().temp.path); ++round) {
    std::error_code ignored;
    std::filesystem::remove_all(State().temp.path, ignored);
  }
}

void RemoveTempDirectory() {
  std::lock_guard guard(State().lock);
  RemoveTempFolderUnlocked();
}

// When a signal ends the program: the lock is kept, so no new folder is made.
void RemoveTempDirectoryForGood() {
  State().lock.lock();
  RemoveTempFolderUnlocked();
}

std::string AppProgram(std::string_view name) {
  if (StartsWithIgnoreCase(name, "MULTIVIEW") && name.size() == 9) return "folioview";
  return std::string(name);
}

// mkdtemp under dir; the reason when it fails.
std::optional<std::string> MakePrivateFolder(const std::string& dir, std::string& why) {
  std::string pattern = Join(dir, "folioteer-XXXXXX");
  if (::mkdtemp(pattern.data()) != nullptr) return pattern;
  why = "Cannot make a private temporary folder in " + dir + ": " + std::strerror(errno);
  return std::nullopt;
}

// Under $TMPDIR, else under /tmp; empty, with the reason, when neither works.
std::string MakeTempDirectory(std::string& why) {
  std::string base = EnvOr("TMPDIR", "/tmp");
  std::optional<std::string> made = MakePrivateFolder(base, why);
  std::string ignored;
  if (!made && base != "/tmp") made = MakePrivateFolder("/tmp", ignored);
  return made.value_or("");
}

// The fallback for ENV: when it is ours alone, made by us if it was not there.
std::string SharedEnvDirectory() {
  std::string dir = "/tmp/folioteer-" + std::to_string(::getuid());
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return IsPrivateFolder(dir) ? dir : std::string();
}

}  // namespace

bool IsPrivateFolder(const std::string& dir) {
  struct stat info {};
  return ::lstat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
         (info.st_mode & 077) == 0;
}

std::string ProgramDirectory() {
  std::lock_guard guard(State().lock);
  if (State().programDir.empty()) {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    State().programDir = error ? std::string(".") : exe.parent_path().string();
  }
  return State().programDir;
}

void SetProgramDirectory(std::string dir) {
  std::lock_guard guard(State().lock);
  State().programDir = std::move(dir);
}

std::string TempDirectory() {
  static std::once_flag cleanupsAdded;
  std::call_once(cleanupsAdded, [] {
    std::atexit(RemoveTempDirectory);
    AddSignalCleanup(RemoveTempDirectoryForGood);
  });
  std::string why;
  {
    std::lock_guard guard(State().lock);
    if (State().temp.Ours()) return State().temp.path;
    std::string made = MakeTempDirectory(why);
    if (!made.empty()) {
      State().temp = {made, ::geteuid()};
      return made;
    }
  }
  // Without the lock: the requesters may take their time.
  ShowWarning(why);
  return {};
}

std::string EnvDirectory() {
  std::string runtime = EnvOr("XDG_RUNTIME_DIR", "");
  if (!runtime.empty()) return runtime;
  {
    std::lock_guard guard(State().lock);
    if (State().envFallback.Ours()) return State().envFallback.path;
  }
  std::string dir = SharedEnvDirectory();
  if (dir.empty()) {
    std::string shared = "/tmp/folioteer-" + std::to_string(::getuid());
    ShowWarning(shared + " is not a private folder of this user: the settings of this run are kept apart");
    std::string temp = TempDirectory();
    if (temp.empty()) return {};
    dir = temp + "/env";
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return {};
  }
  std::lock_guard guard(State().lock);
  State().envFallback = {dir, ::geteuid()};
  return dir;
}

std::string EnvArcDirectory() { return EnvOr("XDG_CONFIG_HOME", Join(EnvOr("HOME", "."), ".config")); }

std::string ResolvePath(std::string_view name) {
  if (StartsWithIgnoreCase(name, "PROGDIR:")) return Join(ProgramDirectory(), name.substr(8));
  if (StartsWithIgnoreCase(name, "T:")) return Below(TempDirectory(), name.substr(2));
  if (StartsWithIgnoreCase(name, "ENVARC:")) return Join(EnvArcDirectory(), name.substr(7));
  if (StartsWithIgnoreCase(name, "ENV:")) return Below(EnvDirectory(), name.substr(4));
  if (StartsWithIgnoreCase(name, "APPDIR:")) return Join(ProgramDirectory(), AppProgram(name.substr(7)));
  return std::string(name);
}

std::string ProgramDataFile(std::string_view name) {
  std::string beside = Join(ProgramDirectory(), name);
  if (::access(beside.c_str(), F_OK) == 0) return beside;
  // The program's directory holds no links (it comes from /proc/self/exe),
  // so the ".." can go: users see /usr/share/..., not /usr/bin/../share/...
  std::string shared =
      std::filesystem::path(Join(ProgramDirectory(), "../share/folioteer/" + std::string(name)))
          .lexically_normal()
          .string();
  if (::access(shared.c_str(), F_OK) == 0) return shared;
  return beside;
}

int MakeDirectories(const std::string& dir, unsigned mode) {
  if (dir.empty()) return 0;
  struct stat info {};
  if (::stat(dir.c_str(), &info) == 0) return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
  std::string parent = std::filesystem::path(dir).parent_path().string();
  if (!parent.empty() && parent != dir) {
    if (int error = MakeDirectories(parent, mode)) return error;
  }
  if (::mkdir(dir.c_str(), mode) != 0 && errno != EEXIST) return errno;
  return 0;
}

}  // namespace folioteer
