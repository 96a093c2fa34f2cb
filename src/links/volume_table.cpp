#include "links/volume_table.h"

#include <cstdlib>

#include "support/ascii.h"
#include "support/file_names.h"
#include "support/platform_paths.h"
#include "support/text_lines.h"

namespace folioteer {
namespace {

constexpr std::string_view kBlanks = " \t\r";
constexpr size_t kMaxVolumeTableBytes = size_t{1} << 20;

std::string_view Trimmed(std::string_view text) {
  size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The problem with the line, or empty when it is a volume.
std::string ReadLine(std::string_view line, std::string_view home, Volume& volume) {
  size_t colon = line.find(':');
  if (colon == std::string_view::npos) return "no \":\" after the volume name";
  std::string_view name = line.substr(0, colon);
  if (name.empty() || name.find_first_of(" \t/") != std::string_view::npos)
    return "the volume name \"" + std::string(name) + "\" is empty or holds a blank or a \"/\"";
  std::string_view directory = Trimmed(line.substr(colon + 1));
  if (directory == "~" || directory.starts_with("~/")) {
    if (home.empty()) return "\"~\" with no home directory";
    volume.directory = std::string(home) + std::string(directory.substr(1));
  } else if (directory.starts_with('/')) {
    volume.directory = directory;
  } else {
    return "the directory of " + std::string(name) + ": must be absolute (or start with \"~/\")";
  }
  while (volume.directory.size() > 1 && volume.directory.back() == '/') volume.directory.pop_back();
  volume.name = name;
  return {};
}

}  // namespace

VolumeTable ParseVolumeTable(std::string_view text, std::string_view home) {
  VolumeTable table;
  int number = 0;
  for (std::string_view fileLine : SplitFileLines(text)) {
    std::string_view line = Trimmed(fileLine);
    ++number;
    if (line.empty() || line.starts_with('#') || line.starts_with(';')) continue;
    Volume volume;
    std::string problem = ReadLine(line, home, volume);
    if (problem.empty() && FindVolume(table, volume.name) != nullptr)
      problem = volume.name + ": is named on an earlier line";
    if (problem.empty())
      table.volumes.push_back(std::move(volume));
    else
      table.problems.push_back("line " + std::to_string(number) + ": " + problem);
  }
  return table;
}

std::string VolumeTablePath() { return ResolvePath(kVolumeTableName); }

// A table that cannot be read (none, a folder, a pipe: never waited for) is empty.
VolumeTable LoadVolumeTable() {
  std::string text;
  if (ReadRegularFile(VolumeTablePath(), kMaxVolumeTableBytes, text) != 0) return {};
  const char* home = std::getenv("HOME");
  return ParseVolumeTable(text, home != nullptr ? home : "");
}

const Volume* FindVolume(const VolumeTable& table, std::string_view name) {
  for (const Volume& volume : table.volumes)
    if (EqualsIgnoreCase(volume.name, name)) return &volume;
  return nullptr;
}

}  // namespace folioteer
