#include "support/file_names.h"

#include <sys/stat.h>

namespace folioteer {

bool SplitFileName(std::string_view name, std::string& dir, std::string& file) {
  size_t slash = name.find_last_of('/');
  size_t split = slash == std::string_view::npos ? 0 : slash + 1;
  dir.assign(name.substr(0, split));
  file.assign(name.substr(split));
  return !file.empty();
}

std::optional<int64_t> FileSize(const std::string& name) {
  struct stat info {};
  if (::stat(name.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return static_cast<int64_t>(info.st_size);
}

bool NameTheSameFile(const std::string& first, const std::string& second) {
  if (first == second) return true;
  struct stat a {};
  struct stat b {};
  return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino;
}

std::string WithExtension(std::string_view name, std::string_view ext) {
  std::string dir, file;
  if (!SplitFileName(name, dir, file)) return {};
  size_t dot = file.find_last_of('.');
  if (dot != std::string::npos && dot > 0) file.resize(dot);
  return dir + file + "." + std::string(ext);
}

}  // namespace folioteer
