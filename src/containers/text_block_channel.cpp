#include "containers/text_block_channel.h"

#include <cstdint>

#include "support/assert.h"

namespace folioteer {
namespace {

constexpr std::string_view kDeviceName = "TBFile";

class TextBlockDevice : public ChannelDevice {
 public:
  TextBlockDevice() : block_(AllocBlock()) { line_.reserve(80); }
  ~TextBlockDevice() override { DeallocBlock(block_); }

  bool Usable() const { return block_ != nullptr; }
  TextBlock Block() const { return block_; }

  std::string_view DeviceName() const override { return kDeviceName; }

  void WriteText(std::string_view text) override {
    if (text.empty()) return;
    if (pendingLineEnd_) {
      NewBlockLine(block_);
      pendingLineEnd_ = false;
    }
    for (size_t i = 0; i + 1 < text.size(); ++i) AppendBlockChar(block_, text[i]);
    char last = text.back();
    if (last == '\r' || last == '\n')
      pendingLineEnd_ = true;
    else
      AppendBlockChar(block_, last);
  }

  void WriteLineEnd() override {
    if (pendingLineEnd_)
      NewBlockLine(block_);
    else
      pendingLineEnd_ = true;
  }

  ReadResult Look(char& ch) override {
    ReadResult result = ReadResult::AllRight;
    if (position_ < 0) {
      if (!NextBlockLine(block_, line_))
        result = ReadResult::EndOfInput;
      else
        position_ = 0;
    }
    if (result == ReadResult::AllRight) {
      if (static_cast<size_t>(position_) >= line_.size())
        result = ReadResult::EndOfLine;
      else
        ch = line_[position_];
    }
    return lastResult_ = result;
  }

  void Skip() override {
    if (position_ < 0) {
      if (!NextBlockLine(block_, line_)) {
        lastResult_ = ReadResult::EndOfInput;
        AssertFail("Skip attempted at end of Input");
        return;
      }
      position_ = 0;
    }
    if (static_cast<size_t>(position_) >= line_.size())
      position_ = -1;
    else
      ++position_;
    lastResult_ = ReadResult::AllRight;
  }

  // The rest of the loaded line, or the next line, in one step.
  ReadResult ReadLine(std::string& line) override {
    line.clear();
    if (position_ < 0) {
      if (!NextBlockLine(block_, line_)) return lastResult_ = ReadResult::EndOfInput;
      position_ = 0;
    }
    line.assign(line_, static_cast<size_t>(position_));
    position_ = -1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return lastResult_ = ReadResult::AllRight;
  }

  void Reset() override {
    ResetBlockRead(block_);
    position_ = -1;
  }

  void Rewrite() {
    Reset();
    EmptyBlock(block_);
    pendingLineEnd_ = false;
  }

 private:
  TextBlock block_;
  std::string line_;
  int64_t position_ = -1;
  bool pendingLineEnd_ = false;
  ReadResult lastResult_ = ReadResult::AllRight;
};

TextBlockDevice& TBDevice(Channel chan) {
  auto* device = dynamic_cast<TextBlockDevice*>(DeviceOf(chan));
  Assert(device != nullptr, "Not TBFile device");
  return *device;
}

}  // namespace

void OpenTB(Channel& chan, int& result) {
  chan = InvalidChannel();
  auto device = std::make_unique<TextBlockDevice>();
  if (!device->Usable()) {
    result = kOtherProblem;
    return;
  }
  result = RegisterChannel(std::move(device), chan);
}

void CloseTB(Channel& chan) {
  TBDevice(chan);
  CloseChannel(chan);
}

void Reread(Channel chan) { TBDevice(chan).Reset(); }
void Rewrite(Channel chan) { TBDevice(chan).Rewrite(); }
TextBlock GetTB(Channel chan) { return TBDevice(chan).Block(); }
bool IsTBFile(Channel chan) { return dynamic_cast<TextBlockDevice*>(DeviceOf(chan)) != nullptr; }

}  // namespace folioteer
