// The file device of the channel layer, shared by its two sources: plain
// files (file_channel.cpp) and replacement files (replacement_file.cpp).
// Reads and writes are buffered over one POSIX file descriptor, which the
// device owns; the first error is kept (see ChannelDevice).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/channels.h"
#include "support/file_descriptor.h"

namespace folioteer {

// write() as the simulation of a full disk (SimulateWriteFailure) lets it through.
ssize_t WriteSome(int fd, const char* data, size_t size);
// Writes all of data, retrying after interruptions; 0 or the errno value.
int WriteAll(int fd, const char* data, size_t size);

class FileDevice : public ChannelDevice {
 public:
  explicit FileDevice(FileDescriptor fd) : fd_(std::move(fd)) {}

  std::string_view DeviceName() const override { return "File"; }

  void WriteText(std::string_view text) override;
  void WriteLineEnd() override { WriteText("\n"); }

  ReadResult Look(char& ch) override;
  void Skip() override;
  ReadResult ReadLine(std::string& line) override;
  void Reset() override;

  int Finish() override {
    FlushWrites();
    CloseDescriptor();
    return FirstError();
  }

 protected:
  void FlushWrites();
  void SyncToDisk();
  void CloseDescriptor() {
    if (int error = fd_.Close(); error != 0) NoteError(error);
  }
  int Descriptor() const { return fd_.Get(); }
  using ChannelDevice::NoteError;

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

}  // namespace folioteer
