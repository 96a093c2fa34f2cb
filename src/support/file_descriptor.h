// FileDescriptor: the owner of one POSIX file descriptor, which it closes
// when it goes (or when Close is called). Moves hand the descriptor on;
// copies do not exist. Negative values stand for no descriptor.
//
// Header only, so that small programs beside the editor (peekfront) can
// use it without the core library.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace folioteer {

class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { Close(); }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.Release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      Close();
      fd_ = other.Release();
    }
    return *this;
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // The descriptor, no longer owned.
  int Release() { return std::exchange(fd_, -1); }
  // 0, or the errno value of a failed close (the descriptor is gone either way).
  int Close() {
    if (fd_ < 0) return 0;
    int error = ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno;
    return error;
  }

 private:
  int fd_ = -1;
};

}  // namespace folioteer
