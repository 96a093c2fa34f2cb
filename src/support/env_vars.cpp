#include "support/env_vars.h"

#include "support/channels.h"
#include "support/file_names.h"
#include "support/platform_paths.h"

namespace folioteer {
namespace {

std::optional<std::string> ReadVariableFile(const std::string& path) {
  Channel chan;
  if (OpenInput(chan, path) != kOpened) return std::nullopt;
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
  std::string path = base + "/" + std::string(name);
  std::string dir, file;
  SplitFileName(path, dir, file);
  if (MakeDirectories(dir, 0700) != 0) return false;
  Channel chan;
  if (OpenReplacement(chan, path) != kOpened) return false;
  WriteText(chan, value);
  return CloseChannel(chan);
}

}  // namespace

std::optional<std::string> GetVar(std::string_view name) {
  if (auto value = ReadVariableFile(EnvDirectory() + "/" + std::string(name))) return value;
  return ReadVariableFile(EnvArcDirectory() + "/" + std::string(name));
}

bool SetVar(std::string_view name, std::string_view value, VarScope scope) {
  bool written = WriteVariableFile(EnvDirectory(), name, value);
  if (scope == VarScope::Permanent) written = WriteVariableFile(EnvArcDirectory(), name, value) && written;
  return written;
}

}  // namespace folioteer
