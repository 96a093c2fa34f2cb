#include "links/guide_file.h"

#include <cerrno>
#include <cstring>

#include "links/amiga_path.h"
#include "support/file_names.h"

namespace folioteer {
namespace {

constexpr size_t kSniffBytes = 8192;

GuideFile Failed(const std::string& path, FileReadOutcome outcome, int error = 0) {
  GuideFile file;
  file.outcome = outcome;
  file.error = error;
  file.path = path;
  return file;
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
  std::string bytes;
  return ReadGuideFile(path, bytes);
}

GuideFile ReadGuideFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  switch (int error = ReadRegularFile(path, kMaxGuideFileBytes, bytes)) {
    case 0: break;
    case ENOENT:
    case ENOTDIR: return Failed(path, FileReadOutcome::Missing, error);
    case EISDIR: return Failed(path, FileReadOutcome::Directory);
    case ENODEV: return Failed(path, FileReadOutcome::Special);
    case EFBIG: return Failed(path, FileReadOutcome::TooLarge);
    default: return Failed(path, FileReadOutcome::Unreadable, error);
  }
  GuideFile file;
  file.outcome = FileReadOutcome::Read;
  file.path = path;
  auto source = std::make_shared<GuideSource>(ReadGuideSource(bytes));
  if (!source->isGuide && LooksBinary(bytes)) {
    file.binary = true;
    if (bytes.size() > kMaxBinaryShownBytes) {
      file.cut = true;
      *source = ReadGuideSource(std::string_view(bytes).substr(0, kMaxBinaryShownBytes));
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
    case FileReadOutcome::Missing: return "There is no file " + name + ".";
    case FileReadOutcome::Directory: return name + " is a folder, not a file.";
    case FileReadOutcome::Special: return name + " is a device, a pipe or a socket; it is not opened.";
    case FileReadOutcome::Unreadable: return name + " cannot be read: " + std::strerror(file.error) + ".";
    case FileReadOutcome::TooLarge:
      return name + " is larger than " + std::to_string(kMaxGuideFileBytes >> 20) + " MB; it is not shown.";
  }
  return {};
}

}  // namespace folioteer
