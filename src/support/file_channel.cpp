// File devices of the channel layer: buffered reading and writing over a
// POSIX file descriptor, and the plain ways of opening a file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

#include "support/channels.h"
#include "support/file_descriptor.h"
#include "support/file_device.h"

namespace folioteer {
namespace {

constexpr size_t kReadChunk = 1 << 18;
constexpr size_t kWriteChunk = 1 << 16;

std::atomic<int64_t> simulatedBudget{-1};
std::atomic<int> simulatedError{0};

int OpenWith(Channel& chan, const std::string& name, int flags, mode_t mode = 0666) {
  chan = InvalidChannel();
  FileDescriptor fd(::open(name.c_str(), flags | O_CLOEXEC, mode));
  if (!fd.Valid()) return errno == EISDIR ? kWrongFileType : errno;
  struct stat info {};
  if (::fstat(fd.Get(), &info) == 0 && S_ISDIR(info.st_mode)) return kWrongFileType;
  return RegisterChannel(std::make_unique<FileDevice>(std::move(fd)), chan);
}

// Opening never waits: a FIFO without a writer would otherwise hold the
// open (and its reads) for ever.
FileDescriptor OpenWithoutWaiting(const std::string& name, int flags) {
  return FileDescriptor(::open(name.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666));
}

}  // namespace

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

int WriteAll(int fd, const char* data, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t written = WriteSome(fd, data + done, size - done);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    done += static_cast<size_t>(written);
  }
  return 0;
}

void FileDevice::WriteText(std::string_view text) {
  pending_.append(text);
  if (pending_.size() >= kWriteChunk) FlushWrites();
}

void FileDevice::Reset() {
  FlushWrites();
  if (::lseek(fd_.Get(), 0, SEEK_SET) < 0) NoteError(errno);
  readPos_ = readEnd_ = 0;
  atEnd_ = midLine_ = false;
}

void FileDevice::FlushWrites() {
  if (!pending_.empty() && FirstError() == 0)
    NoteError(WriteAll(fd_.Get(), pending_.data(), pending_.size()));
  pending_.clear();
}

void FileDevice::SyncToDisk() {
  if (fd_.Valid() && ::fsync(fd_.Get()) != 0) NoteError(errno);
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
    if (!Fill()) {
      if (FirstError() != 0) return ReadResult::Other;
      // A CRLF file whose last line lacks its LF: the CR is still the line end.
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return ReadResult::AllRight;
    }
  }
}

int OpenInput(Channel& chan, const std::string& name, Links links) {
  return OpenWith(chan, name, O_RDONLY | (links == Links::Refuse ? O_NOFOLLOW : 0));
}

int OpenAppend(Channel& chan, const std::string& name) {
  return OpenWith(chan, name, O_RDWR | O_CREAT | O_APPEND);
}

int OpenOutput(Channel& chan, const std::string& name) {
  return OpenWith(chan, name, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW);
}

int OpenPrivateOutput(Channel& chan, const std::string& name) {
  return OpenWith(chan, name, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, 0600);
}

int OpenRegularInput(Channel& chan, const std::string& name, MissingFile missing) {
  chan = InvalidChannel();
  FileDescriptor fd = OpenWithoutWaiting(name, O_RDONLY);
  if (!fd.Valid() && errno == ENOENT && missing == MissingFile::Create)
    fd = OpenWithoutWaiting(name, O_RDWR | O_CREAT);
  if (!fd.Valid()) return errno == EISDIR ? kWrongFileType : errno;
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) return errno;
  if (!S_ISREG(info.st_mode)) return kWrongFileType;
  int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return errno;
  return RegisterChannel(std::make_unique<FileDevice>(std::move(fd)), chan);
}

void SimulateWriteFailure(int64_t bytesAllowed, int error) {
  simulatedError.store(error);
  simulatedBudget.store(bytesAllowed < 0 ? -1 : bytesAllowed);
}

}  // namespace folioteer
