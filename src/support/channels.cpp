#include "support/channels.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <mutex>

#include "support/assert.h"

namespace folioteer {
namespace {

constexpr size_t kMaxChannels = 4096;

struct Slot {
  std::unique_ptr<ChannelDevice> device;
  uint32_t generation = 0;
};

std::mutex tableLock;
std::array<Slot, kMaxChannels> table;

ChannelDevice& Device(Channel chan) {
  ChannelDevice* device = DeviceOf(chan);
  Assert(device != nullptr, "Channel not open");
  return *device;
}

std::unique_ptr<ChannelDevice> Release(Channel& chan) {
  std::lock_guard guard(tableLock);
  std::unique_ptr<ChannelDevice> device;
  if (chan.Valid() && chan.slot < kMaxChannels && table[chan.slot].generation == chan.generation)
    device = std::move(table[chan.slot].device);
  chan = InvalidChannel();
  return device;
}

// Bytes held in memory, read as a file.
class TextInputDevice : public ChannelDevice {
 public:
  explicit TextInputDevice(std::string bytes) : bytes_(std::move(bytes)) {}

  std::string_view DeviceName() const override { return "Text"; }
  void WriteText(std::string_view) override { NoteError(EBADF); }
  void WriteLineEnd() override { NoteError(EBADF); }

  // As a file: a last line without LF still ends with EndOfLine.
  ReadResult Look(char& ch) override {
    if (pos_ >= bytes_.size()) return midLine_ ? ReadResult::EndOfLine : ReadResult::EndOfInput;
    ch = bytes_[pos_];
    return ch == '\n' ? ReadResult::EndOfLine : ReadResult::AllRight;
  }
  void Skip() override {
    midLine_ = pos_ < bytes_.size() && bytes_[pos_] != '\n';
    if (pos_ < bytes_.size()) ++pos_;
  }
  ReadResult ReadLine(std::string& line) override {
    midLine_ = false;
    if (pos_ >= bytes_.size()) {
      line.clear();
      return ReadResult::EndOfInput;
    }
    size_t end = bytes_.find('\n', pos_);
    line.assign(bytes_, pos_, std::min(end, bytes_.size()) - pos_);
    pos_ = end == std::string::npos ? bytes_.size() : end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return ReadResult::AllRight;
  }
  void Reset() override {
    pos_ = 0;
    midLine_ = false;
  }

 private:
  std::string bytes_;
  size_t pos_ = 0;
  bool midLine_ = false;
};

}  // namespace

ReadResult ChannelDevice::SkipLook(char& ch) {
  Skip();
  return Look(ch);
}

size_t ChannelDevice::ReadText(char* dest, size_t max, ReadResult& result) {
  size_t count = 0;
  char ch = 0;
  result = Look(ch);
  while (max > 0 && result == ReadResult::AllRight) {
    dest[count++] = ch;
    --max;
    if (max > 0)
      result = SkipLook(ch);
    else
      Skip();
  }
  return count;
}

ReadResult ChannelDevice::ReadLine(std::string& line) {
  line.clear();
  char ch = 0;
  ReadResult result = Look(ch);
  if (result == ReadResult::EndOfInput || result == ReadResult::Other) return result;
  while (result == ReadResult::AllRight) {
    line += ch;
    result = SkipLook(ch);
  }
  if (result == ReadResult::Other) return result;
  if (result == ReadResult::EndOfLine) Skip();
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return ReadResult::AllRight;
}

int RegisterChannel(std::unique_ptr<ChannelDevice> device, Channel& chan) {
  std::lock_guard guard(tableLock);
  chan = InvalidChannel();
  for (uint32_t slot = 0; slot < kMaxChannels; ++slot) {
    if (table[slot].device) continue;
    table[slot].device = std::move(device);
    table[slot].generation = table[slot].generation % 0xffffffffu + 1;
    chan = Channel{slot, table[slot].generation};
    return kOpened;
  }
  return kOutOfChannels;
}

ChannelDevice* DeviceOf(Channel chan) {
  if (!chan.Valid() || chan.slot >= kMaxChannels) return nullptr;
  std::lock_guard guard(tableLock);
  const Slot& slot = table[chan.slot];
  return slot.generation == chan.generation ? slot.device.get() : nullptr;
}

int OpenTextInput(Channel& chan, std::string bytes) {
  return RegisterChannel(std::make_unique<TextInputDevice>(std::move(bytes)), chan);
}

ReadResult ReadLine(Channel chan, std::string& line) { return Device(chan).ReadLine(line); }

ReadResult ReadNonEmptyLine(Channel chan, std::string& line, int& skipped) {
  ChannelDevice& device = Device(chan);
  skipped = 0;
  while (true) {
    ReadResult result = device.ReadLine(line);
    if (result != ReadResult::AllRight || !line.empty()) return result;
    ++skipped;
  }
}

ReadResult Look(Channel chan, char& ch) { return Device(chan).Look(ch); }
void Skip(Channel chan) { Device(chan).Skip(); }

size_t ReadChars(Channel chan, char* dest, size_t max, ReadResult& result) {
  return Device(chan).ReadText(dest, max, result);
}

void WriteText(Channel chan, std::string_view text) { Device(chan).WriteText(text); }
void WriteLn(Channel chan) { Device(chan).WriteLineEnd(); }
void Rewind(Channel chan) { Device(chan).Reset(); }
int ChannelError(Channel chan) { return Device(chan).FirstError(); }

bool CloseChannel(Channel& chan) {
  std::unique_ptr<ChannelDevice> device = Release(chan);
  if (!device) return false;
  return device->Finish() == 0;
}

void AbandonChannel(Channel& chan) {
  if (std::unique_ptr<ChannelDevice> device = Release(chan)) device->Abandon();
}

bool FileExists(const std::string& name) { return ::access(name.c_str(), F_OK) == 0; }

bool MayWriteFile(const std::string& name) {
  return !FileExists(name) || ::faccessat(AT_FDCWD, name.c_str(), W_OK, AT_EACCESS) == 0;
}

int DeleteFile(const std::string& name) { return ::unlink(name.c_str()) == 0 ? 0 : errno; }

}  // namespace folioteer
