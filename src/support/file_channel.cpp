// File devices of the channel layer: buffered reading and writing over a
// POSIX file descriptor, and replacement files that are renamed into place.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "support/channels.h"
#include "support/file_descriptor.h"

namespace folioteer {
namespace {

constexpr size_t kReadChunk = 1 << 18;
constexpr size_t kWriteChunk = 1 << 16;

std::atomic<int64_t> simulatedBudget{-1};
std::atomic<int> simulatedError{0};

// write() as the simulation of a full disk lets it through.
ssize_t WriteSome(int fd, const char* data, size_t size) {
  int64_t budget = simulatedBudget.load();
  if (budget >= 0) {
    if (budget == 0) {
      errno = simulatedError.load();
      return -1;
    }
    size = std::min<size_t>(size, static_cast<size_t>(budget));
  }
  ssize_t written = ::write(fd, data, size);
  if (written > 0 && budget >= 0) simulatedBudget.fetch_sub(written);
  return written;
}

class FileDevice : public ChannelDevice {
 public:
  explicit FileDevice(FileDescriptor fd) : fd_(std::move(fd)) {}

  std::string_view DeviceName() const override { return "File"; }

  void WriteText(std::string_view text) override {
    pending_.append(text);
    if (pending_.size() >= kWriteChunk) FlushWrites();
  }
  void WriteLineEnd() override { WriteText("\n"); }

  ReadResult Look(char& ch) override;
  void Skip() override;
  ReadResult ReadLine(std::string& line) override;

  void Reset() override {
    FlushWrites();
    if (::lseek(fd_.Get(), 0, SEEK_SET) < 0) NoteError(errno);
    readPos_ = readEnd_ = 0;
    atEnd_ = midLine_ = false;
  }

  int Finish() override {
    FlushWrites();
    CloseDescriptor();
    return FirstError();
  }

 protected:
  void FlushWrites();
  void SyncToDisk() {
    if (fd_.Valid() && ::fsync(fd_.Get()) != 0) NoteError(errno);
  }
  void CloseDescriptor() {
    if (int error = fd_.Close(); error != 0) NoteError(error);
  }

 private:
  bool Fill();

  FileDescriptor fd_;
  std::vector<char> buffer_;
  size_t readPos_ = 0;
  size_t readEnd_ = 0;
  bool atEnd_ = false;
  bool midLine_ = false;  // characters of the current line were skipped
  std::string pending_;
};

void FileDevice::FlushWrites() {
  size_t done = 0;
  while (done < pending_.size() && FirstError() == 0) {
    ssize_t written = WriteSome(fd_.Get(), pending_.data() + done, pending_.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      NoteError(errno);
    } else {
      done += static_cast<size_t>(written);
    }
  }
  pending_.clear();
}

// Loads more input when the buffer is used up; FALSE at the end or on error.
bool FileDevice::Fill() {
  if (readPos_ < readEnd_) return true;
  if (atEnd_) return false;
  if (!pending_.empty()) FlushWrites();
  buffer_.resize(kReadChunk);
  while (true) {
    ssize_t got = ::read(fd_.Get(), buffer_.data(), buffer_.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) NoteError(errno);
    if (got <= 0) {
      atEnd_ = true;
      readPos_ = readEnd_ = 0;
      return false;
    }
    readPos_ = 0;
    readEnd_ = static_cast<size_t>(got);
    return true;
  }
}

ReadResult FileDevice::Look(char& ch) {
  if (!Fill()) {
    if (FirstError() != 0) return ReadResult::Other;
    return midLine_ ? ReadResult::EndOfLine : ReadResult::EndOfInput;
  }
  ch = buffer_[readPos_];
  return ch == '\n' ? ReadResult::EndOfLine : ReadResult::AllRight;
}

void FileDevice::Skip() {
  if (!Fill()) {
    midLine_ = false;
    return;
  }
  midLine_ = buffer_[readPos_] != '\n';
  ++readPos_;
}

ReadResult FileDevice::ReadLine(std::string& line) {
  line.clear();
  midLine_ = false;
  if (!Fill()) return FirstError() != 0 ? ReadResult::Other : ReadResult::EndOfInput;
  while (true) {
    const char* start = buffer_.data() + readPos_;
    size_t available = readEnd_ - readPos_;
    const void* lineEnd = std::memchr(start, '\n', available);
    if (lineEnd != nullptr) {
      size_t length = static_cast<const char*>(lineEnd) - start;
      line.append(start, length);
      readPos_ += length + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return ReadResult::AllRight;
    }
    line.append(start, available);
    readPos_ = readEnd_;
    if (!Fill()) return FirstError() != 0 ? ReadResult::Other : ReadResult::AllRight;
  }
}

// A file written beside its target and renamed over it when all went well.
class ReplacementDevice : public FileDevice {
 public:
  ReplacementDevice(FileDescriptor fd, std::string tempName, std::string target, mode_t mode)
      : FileDevice(std::move(fd)), tempName_(std::move(tempName)), target_(std::move(target)), mode_(mode) {}
  ~ReplacementDevice() override {
    if (!tempName_.empty()) ::unlink(tempName_.c_str());
  }

  int Finish() override {
    FlushWrites();
    SyncToDisk();
    FileDevice::Finish();
    if (FirstError() == 0 && ::chmod(tempName_.c_str(), mode_) != 0) NoteError(errno);
    if (FirstError() == 0 && ::rename(tempName_.c_str(), target_.c_str()) != 0) NoteError(errno);
    if (FirstError() == 0) tempName_.clear();  // nothing left to remove
    return FirstError();
  }
  void Abandon() override { FileDevice::Finish(); }

 private:
  std::string tempName_;
  std::string target_;
  mode_t mode_;
};

int OpenWith(Channel& chan, const std::string& name, int flags, mode_t mode = 0666) {
  chan = InvalidChannel();
  FileDescriptor fd(::open(name.c_str(), flags | O_CLOEXEC, mode));
  if (!fd.Valid()) return errno == EISDIR ? kWrongFileType : errno;
  struct stat info {};
  if (::fstat(fd.Get(), &info) == 0 && S_ISDIR(info.st_mode)) return kWrongFileType;
  return RegisterChannel(std::make_unique<FileDevice>(std::move(fd)), chan);
}

mode_t CurrentUmask() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// The file a replacement lands in: symbolic links are followed, so that the
// link stays and its target gets the new content.
std::string ReplacementTarget(const std::string& name) {
  char resolved[PATH_MAX];
  struct stat info {};
  if (::lstat(name.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
      ::realpath(name.c_str(), resolved) != nullptr)
    return resolved;
  return name;
}

}  // namespace

int OpenInput(Channel& chan, const std::string& name) { return OpenWith(chan, name, O_RDONLY); }

int OpenAppend(Channel& chan, const std::string& name) {
  return OpenWith(chan, name, O_RDWR | O_CREAT | O_APPEND);
}

int OpenOutput(Channel& chan, const std::string& name) {
  return OpenWith(chan, name, O_WRONLY | O_CREAT | O_TRUNC);
}

int OpenPrivateOutput(Channel& chan, const std::string& name) {
  return OpenWith(chan, name, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, 0600);
}

int OpenReplacement(Channel& chan, const std::string& name) {
  chan = InvalidChannel();
  std::string target = ReplacementTarget(name);
  mode_t mode = 0666 & ~CurrentUmask();
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return kWrongFileType;
    if (::access(target.c_str(), W_OK) != 0) return errno;
    mode = info.st_mode & 07777;
  }
  std::string tempName = target + ".XXXXXX";
  FileDescriptor fd(::mkostemp(tempName.data(), O_CLOEXEC));
  if (!fd.Valid()) return errno;
  auto device = std::make_unique<ReplacementDevice>(std::move(fd), tempName, target, mode);
  return RegisterChannel(std::move(device), chan);
}

void SimulateWriteFailure(int64_t bytesAllowed, int error) {
  simulatedError.store(error);
  simulatedBudget.store(bytesAllowed < 0 ? -1 : bytesAllowed);
}

}  // namespace folioteer
