// Reading a file for a reader: a guide, or any other file, which is shown as
// one node "Main" (see ReadGuideSource). The file is opened without waiting
// (a pipe or a device is refused before a byte is read) and read whole, up
// to kMaxGuideFileBytes. A file that is no guide and looks binary (a NUL or
// many control bytes near its start) is kept to its first
// kMaxBinaryShownBytes: a reader shows it as text only so that the user sees
// what it is.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "render/guide_source.h"

namespace folioteer {

inline constexpr int64_t kMaxGuideFileBytes = int64_t{256} << 20;
inline constexpr size_t kMaxBinaryShownBytes = 64 << 10;

enum class FileReadOutcome : uint8_t { Read, Missing, Directory, Special, Unreadable, TooLarge };

struct GuideFile {
  FileReadOutcome outcome = FileReadOutcome::Missing;
  int error = 0;                              // the system's reason for Unreadable
  std::string path;                           // the Linux name it was read from
  bool binary = false;                        // no guide, and not text
  bool cut = false;                           // binary and longer than what is kept
  std::shared_ptr<const GuideSource> source;  // when Read
};

GuideFile ReadGuideFile(const std::string& path);
// The same, handing back every byte read (also those of a binary file that
// the source leaves out), for a caller that reads the file in another way too.
GuideFile ReadGuideFile(const std::string& path, std::string& bytes);

// Whether the start of the bytes looks like no text file.
bool LooksBinary(std::string_view bytes);

// A sentence for the reader about an outcome other than Read; for a binary
// file read, what is shown of it. Empty when there is nothing to say.
std::string ReadNote(const GuideFile& file);

}  // namespace folioteer
