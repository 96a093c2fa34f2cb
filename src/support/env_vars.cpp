#include "support/env_vars.h"

#include <sys/stat.h>
#include <unistd.h>

#include "support/assert.h"
#include "support/channels.h"
#include "support/file_names.h"
#include "support/platform_paths.h"

namespace folioteer {
namespace {

// Nobody else may change what a folder holds: it is no link, and nobody but
// its owner (and the owner's own group) may write it, unless it is sticky
// (as /tmp), where nobody may take away what another user put there.
bool ClosedToOthers(const std::string& dir, bool ownedByUs) {
  struct stat info {};
  if (::lstat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  if (ownedByUs && info.st_uid != ::geteuid()) return false;
  bool othersWrite =
      (info.st_mode & S_IWOTH) != 0 || ((info.st_mode & S_IWGRP) != 0 && info.st_gid != ::getegid());
  return !othersWrite || (!ownedByUs && (info.st_mode & S_ISVTX) != 0);
}

// The folder of a variable's file must be ours and closed to others, and
// so must the folder it stands in be, as far as renaming goes: what others
// put there is never read and never written through.
bool SafeVariableFolder(const std::string& path) {
  std::string dir, file;
  SplitFileName(path, dir, file);
  if (dir.size() > 1) dir.pop_back();  // the final "/"
  std::string parent, ignored;
  SplitFileName(dir, parent, ignored);
  if (parent.size() > 1) parent.pop_back();
  return ClosedToOthers(dir, true) && (parent.empty() || ClosedToOthers(parent, false));
}

std::string VariablePath(const std::string& base, std::string_view name) {
  return base.empty() ? std::string() : base + "/" + std::string(name);
}

std::optional<std::string> ReadVariableFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  Channel chan;
  if (OpenInput(chan, path, Links::Refuse) != kOpened) return std::nullopt;
  if (!SafeVariableFolder(path)) {
    CloseChannel(chan);
    ShowWarning(path + " is not read: others may change its folder");
    return std::nullopt;
  }
  std::string value, line;
  bool first = true;
  while (ReadLine(chan, line) == ReadResult::AllRight) {
    if (!first) value += '\n';
    value += line;
    first = false;
  }
  CloseChannel(chan);
  return value;
}

bool WriteVariableFile(const std::string& base, std::string_view name, std::string_view value) {
  std::string path = VariablePath(base, name);
  std::string dir, file;
  if (!SplitFileName(path, dir, file) || MakeDirectories(dir, 0700) != 0) return false;
  if (!SafeVariableFolder(path)) return false;
  Channel chan;
  if (OpenReplacement(chan, path, Links::Refuse) != kOpened) return false;
  WriteText(chan, value);
  return CloseChannel(chan);
}

}  // namespace

std::optional<std::string> GetVar(std::string_view name) {
  if (auto value = ReadVariableFile(VariablePath(EnvDirectory(), name))) return value;
  return ReadVariableFile(VariablePath(EnvArcDirectory(), name));
}

bool SetVar(std::string_view name, std::string_view value, VarScope scope) {
  bool written = WriteVariableFile(EnvDirectory(), name, value);
  if (scope == VarScope::Permanent) written = WriteVariableFile(EnvArcDirectory(), name, value) && written;
  return written;
}

}  // namespace folioteer
