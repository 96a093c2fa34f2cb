// Text channels: the one text input/output facility of the program.
//
// A channel is a small handle with a distinct invalid value. Behind it stands
// a device: a file (see the Open* functions below) or any other kind that
// registers itself with RegisterChannel (the text block channel does). Every
// device works with the same operations: read a line, read the next non-empty
// line, look at and skip characters, write a text, write a line end (one LF),
// rewind, close.
//
// Lines are bytes: a line read stops at LF, which is consumed, and loses a CR
// directly before it; every other byte (NUL, CR elsewhere, bytes above 127)
// is kept, and a line may be of any length.
//
// A channel remembers the first write, flush or close error; CloseChannel
// reports it, so that no caller can report a failed write as success.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace folioteer {

struct Channel {
  uint32_t slot = 0;
  uint32_t generation = 0;  // 0 only in the invalid channel

  bool Valid() const { return generation != 0; }
  friend bool operator==(Channel, Channel) = default;
};

inline Channel InvalidChannel() { return {}; }

enum class ReadResult : uint8_t { AllRight, EndOfLine, EndOfInput, Other };

// Open results; any other value is the system's reason (an errno value).
inline constexpr int kOpened = 0;
inline constexpr int kOutOfChannels = 4;
inline constexpr int kWrongFileType = 9;
inline constexpr int kOtherProblem = 14;

class ChannelDevice {
 public:
  virtual ~ChannelDevice() = default;

  virtual std::string_view DeviceName() const = 0;
  virtual void WriteText(std::string_view text) = 0;
  virtual void WriteLineEnd() = 0;
  // The character at the read position, or EndOfLine / EndOfInput.
  virtual ReadResult Look(char& ch) = 0;
  // Moves past the character at the read position, or past the line end.
  virtual void Skip() = 0;
  virtual ReadResult SkipLook(char& ch);
  // Reads up to max characters of the current line; the line end stays.
  virtual size_t ReadText(char* dest, size_t max, ReadResult& result);
  virtual ReadResult ReadLine(std::string& line);
  // Rewinds for reading.
  virtual void Reset() = 0;
  // Writes out what is buffered and releases the device's resources;
  // returns the first error seen (0 when none).
  virtual int Finish() { return FirstError(); }
  // Releases the resources without committing anything (see OpenReplacement).
  virtual void Abandon() { Finish(); }

  int FirstError() const { return firstError_; }

 protected:
  void NoteError(int error) {
    if (firstError_ == 0) firstError_ = error;
  }

 private:
  int firstError_ = 0;
};

// Takes the device into the channel table; kOpened, or kOutOfChannels.
int RegisterChannel(std::unique_ptr<ChannelDevice> device, Channel& chan);
// The device of an open channel; null for the invalid or a closed channel.
ChannelDevice* DeviceOf(Channel chan);

// Files. Each returns an open result and leaves chan invalid unless it is kOpened.
// A directory is the wrong file type.

// What writing (or reading) through a name that is a symbolic link does:
// follow it (the link stays, its target is used), or refuse it (ELOOP), as
// for files in places that others may write.
enum class Links : uint8_t { Follow, Refuse };
// Whether a missing file is an error or is created empty.
enum class MissingFile : uint8_t { Fail, Create };

int OpenInput(Channel& chan, const std::string& name, Links links = Links::Follow);
// Reads the bytes given, line by line as a file holding them is read; for a
// caller that has read a file already and must not open it again. Writing
// to it fails with EBADF.
int OpenTextInput(Channel& chan, std::string bytes);
// For appending with reading allowed; a missing file is created.
int OpenAppend(Channel& chan, const std::string& name);
// Created, or replaced in place; a symbolic link is refused (ELOOP).
int OpenOutput(Channel& chan, const std::string& name);
// The same for a file only this user may read (created with mode 0600): for
// scratch files, which a folder shared with others must not let anyone read.
int OpenPrivateOutput(Channel& chan, const std::string& name);
// For reading a file that must be a regular file (links followed); anything
// else, a FIFO or a device too, is the wrong file type, found without waiting
// for a writer.
int OpenRegularInput(Channel& chan, const std::string& name, MissingFile missing);
// Written as a whole and put in place by a successful CloseChannel; any
// error on the way, or AbandonChannel, leaves the old file untouched and no
// temporary file behind. The content goes to a temporary file beside the
// name, which is renamed over it with the old file's permission bits and,
// where the system allows it, its owner and group (else without the
// set-user and set-group ID bits). A file with more than one hard link, or
// one in a folder that may not be written, is overwritten in place instead,
// from a complete temporary copy (beside it, or in T:) and after its space
// was reserved, so that its links, owner and bits stay. Links::Follow
// follows a symbolic link, except one of another user in a sticky folder that
// everyone may write. A file that exists but is not a regular file is the
// wrong file type; one that may not be written is refused.
int OpenReplacement(Channel& chan, const std::string& name, Links links = Links::Follow);

ReadResult ReadLine(Channel chan, std::string& line);
// Skips empty lines, counting them in skipped.
ReadResult ReadNonEmptyLine(Channel chan, std::string& line, int& skipped);
ReadResult Look(Channel chan, char& ch);
void Skip(Channel chan);
size_t ReadChars(Channel chan, char* dest, size_t max, ReadResult& result);
void WriteText(Channel chan, std::string_view text);
void WriteLn(Channel chan);
void Rewind(Channel chan);
// The first error seen on the channel (an errno value), 0 when none.
int ChannelError(Channel chan);
// Closes the channel (it becomes invalid); FALSE when any error was seen.
bool CloseChannel(Channel& chan);
void AbandonChannel(Channel& chan);

bool FileExists(const std::string& name);
// FALSE only for a file that exists and that this user may not write.
bool MayWriteFile(const std::string& name);
// 0, or the system's reason.
int DeleteFile(const std::string& name);

// Makes file writes fail, as on a full disk, once `bytesAllowed` more bytes
// have been written; a negative count switches the simulation off.
void SimulateWriteFailure(int64_t bytesAllowed, int error);

}  // namespace folioteer
