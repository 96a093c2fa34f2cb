#include "links/guide_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "links/amiga_path.h"

namespace folioteer {
namespace {

constexpr size_t kSniffBytes = 8192;

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

GuideFile Failed(const std::string& path, FileReadOutcome outcome, int error = 0) {
  GuideFile file;
  file.outcome = outcome;
  file.error = error;
  file.path = path;
  return file;
}

// The whole file; FALSE with errno set on a read error.
bool ReadAll(int fd, int64_t sizeHint, std::string& bytes) {
  bytes.reserve(static_cast<size_t>(std::max<int64_t>(sizeHint, 0)));
  char buffer[1 << 16];
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    bytes.append(buffer, static_cast<size_t>(got));
    if (static_cast<int64_t>(bytes.size()) > kMaxGuideFileBytes) {
      errno = EFBIG;
      return false;
    }
  }
}

}  // namespace

bool LooksBinary(std::string_view bytes) {
  std::string_view start = bytes.substr(0, kSniffBytes);
  size_t controls = 0;
  for (char ch : start) {
    auto byte = static_cast<unsigned char>(ch);
    if (byte == 0) return true;
    // TAB, LF, FF, CR and ESC (Amiga escape sequences) occur in text.
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\f' && byte != '\r' && byte != 0x1B)
      ++controls;
  }
  return controls * 8 > start.size();
}

GuideFile ReadGuideFile(const std::string& path) {
  // Without O_NONBLOCK, opening a pipe would wait for a writer.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.Get() < 0) {
    int error = errno;
    if (error == ENOENT || error == ENOTDIR) return Failed(path, FileReadOutcome::Missing, error);
    return Failed(path, FileReadOutcome::Unreadable, error);
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) return Failed(path, FileReadOutcome::Unreadable, errno);
  if (S_ISDIR(info.st_mode)) return Failed(path, FileReadOutcome::Directory);
  if (!S_ISREG(info.st_mode)) return Failed(path, FileReadOutcome::Special);
  if (info.st_size > kMaxGuideFileBytes) return Failed(path, FileReadOutcome::TooLarge);
  std::string bytes;
  if (!ReadAll(fd.Get(), info.st_size, bytes))
    return Failed(path, errno == EFBIG ? FileReadOutcome::TooLarge : FileReadOutcome::Unreadable, errno);
  GuideFile file;
  file.outcome = FileReadOutcome::Read;
  file.path = path;
  auto source = std::make_shared<GuideSource>(ReadGuideSource(bytes));
  if (!source->isGuide && LooksBinary(bytes)) {
    file.binary = true;
    if (bytes.size() > kMaxBinaryShownBytes) {
      file.cut = true;
      bytes.resize(kMaxBinaryShownBytes);
      *source = ReadGuideSource(bytes);
    }
  }
  file.source = std::move(source);
  return file;
}

std::string ReadNote(const GuideFile& file) {
  std::string name = "\"" + ShortenedForMessage(file.path) + "\"";
  switch (file.outcome) {
    case FileReadOutcome::Read:
      if (!file.binary) return {};
      return name + " is not a guide and not text; it is shown as text" +
             (file.cut ? ", its first " + std::to_string(kMaxBinaryShownBytes >> 10) + " KB only." : ".");
    case FileReadOutcome::Missing:
      return "There is no file " + name + ".";
    case FileReadOutcome::Directory:
      return name + " is a folder, not a file.";
    case FileReadOutcome::Special:
      return name + " is a device, a pipe or a socket; it is not opened.";
    case FileReadOutcome::Unreadable:
      return name + " cannot be read: " + std::strerror(file.error) + ".";
    case FileReadOutcome::TooLarge:
      return name + " is larger than " + std::to_string(kMaxGuideFileBytes >> 20) + " MB; it is not shown.";
  }
  return {};
}

}  // namespace folioteer
