#include "support/file_names.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "support/ascii.h"
#include "support/file_descriptor.h"

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

std::string EntryIgnoringCase(const std::string& directory, std::string_view name) {
  std::string exact = directory.empty() || directory.back() == '/' ? directory : directory + "/";
  exact.append(name);
  struct stat info {};
  if (::lstat(exact.c_str(), &info) == 0) return std::string(name);
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory.empty() ? "." : directory.c_str()), ::closedir);
  if (!dir) return {};
  std::string best;
  while (const dirent* entry = ::readdir(dir.get()))
    if (EqualsIgnoreCase(entry->d_name, name) && (best.empty() || std::string_view(entry->d_name) < best))
      best = entry->d_name;
  return best;
}

int ReadRegularFile(const std::string& name, size_t maxBytes, std::string& bytes) {
  // Without O_NONBLOCK, opening a pipe would wait for a writer.
  FileDescriptor file(::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.Get() < 0) return errno;
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) return errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!S_ISREG(info.st_mode)) return ENODEV;
  if (static_cast<uint64_t>(info.st_size) > maxBytes) return EFBIG;
  bytes.clear();
  bytes.reserve(static_cast<size_t>(info.st_size));
  char buffer[1 << 16];
  for (;;) {
    ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return 0;
    if (bytes.size() + static_cast<size_t>(got) > maxBytes) return EFBIG;
    bytes.append(buffer, static_cast<size_t>(got));
  }
}

}  // namespace folioteer
