#include "support/platform_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "support/ascii.h"

namespace folioteer {
namespace {

std::mutex pathsLock;
std::string programDir;
std::string tempDir;

std::string EnvOr(const char* variable, std::string fallback) {
  const char* value = std::getenv(variable);
  return (value != nullptr && *value != '\0') ? std::string(value) : fallback;
}

void RemoveTempDirectory() {
  std::error_code ignored;
  if (!tempDir.empty()) std::filesystem::remove_all(tempDir, ignored);
}

std::string Join(const std::string& dir, std::string_view rest) {
  if (dir.empty() || dir.back() == '/') return dir + std::string(rest);
  return dir + "/" + std::string(rest);
}

std::string AppProgram(std::string_view name) {
  if (StartsWithIgnoreCase(name, "MULTIVIEW") && name.size() == 9) return "folioview";
  return std::string(name);
}

}  // namespace

std::string ProgramDirectory() {
  std::lock_guard guard(pathsLock);
  if (programDir.empty()) {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    programDir = error ? std::string(".") : exe.parent_path().string();
  }
  return programDir;
}

void SetProgramDirectory(std::string dir) {
  std::lock_guard guard(pathsLock);
  programDir = std::move(dir);
}

std::string TempDirectory() {
  std::lock_guard guard(pathsLock);
  if (tempDir.empty()) {
    std::string pattern = Join(EnvOr("TMPDIR", "/tmp"), "folioteer-XXXXXX");
    if (::mkdtemp(pattern.data()) != nullptr) {
      tempDir = pattern;
      std::atexit(RemoveTempDirectory);
    } else {
      return EnvOr("TMPDIR", "/tmp");
    }
  }
  return tempDir;
}

std::string EnvDirectory() {
  return EnvOr("XDG_RUNTIME_DIR", "/tmp/folioteer-" + std::to_string(::getuid()));
}

std::string EnvArcDirectory() { return EnvOr("XDG_CONFIG_HOME", Join(EnvOr("HOME", "."), ".config")); }

std::string ResolvePath(std::string_view name) {
  if (StartsWithIgnoreCase(name, "PROGDIR:")) return Join(ProgramDirectory(), name.substr(8));
  if (StartsWithIgnoreCase(name, "T:")) return Join(TempDirectory(), name.substr(2));
  if (StartsWithIgnoreCase(name, "ENVARC:")) return Join(EnvArcDirectory(), name.substr(7));
  if (StartsWithIgnoreCase(name, "ENV:")) return Join(EnvDirectory(), name.substr(4));
  if (StartsWithIgnoreCase(name, "APPDIR:")) return Join(ProgramDirectory(), AppProgram(name.substr(7)));
  return std::string(name);
}

std::string ProgramDataFile(std::string_view name) {
  std::string beside = Join(ProgramDirectory(), name);
  if (::access(beside.c_str(), F_OK) == 0) return beside;
  std::string shared = Join(ProgramDirectory(), "../share/folioteer/" + std::string(name));
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
