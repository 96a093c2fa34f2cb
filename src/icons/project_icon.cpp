// Project icons: finding, reading and writing a file's icon, the rules for
// the wanted default tool, position and tool types, and the default icon.
#include "icons/project_icon.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "icons/disk_object.h"
#include "support/ascii.h"
#include "support/channels.h"
#include "support/file_names.h"

namespace folioteer {
namespace {

constexpr std::string_view kNewIconsMarker = "*** DON'T EDIT THE FOLLOWING LINES!! ***";
constexpr std::string_view kPaletteChars = ".#o+";
constexpr uint16_t kPictureDepth = 2;

// ---------------------------------------------------------------- files

int OpenResultAsErrno(int opened) {
  switch (opened) {
    case kOutOfChannels: return EMFILE;
    case kWrongFileType: return EISDIR;
    case kOtherProblem: return EIO;
    default: return opened;
  }
}

int WriteWholeFile(const std::string& name, std::string_view bytes) {
  Channel chan;
  int opened = OpenReplacement(chan, name);
  if (opened != kOpened) return OpenResultAsErrno(opened);
  WriteText(chan, bytes);
  // Rewinding pushes the buffered bytes out, so that a full disk is reported
  // with its own reason rather than as a failed close.
  Rewind(chan);
  if (int error = ChannelError(chan); error != 0) {
    AbandonChannel(chan);
    return error;
  }
  return CloseChannel(chan) ? 0 : EIO;
}

bool HoldsNul(std::string_view text) { return text.find('\0') != std::string_view::npos; }

// ---------------------------------------------------------------- tool types

size_t NewIconsStart(const std::vector<std::string>& toolTypes) {
  auto marker = std::ranges::find(toolTypes, kNewIconsMarker);
  if (marker == toolTypes.end()) return toolTypes.size();
  size_t start = static_cast<size_t>(marker - toolTypes.begin());
  return start > 0 && toolTypes[start - 1] == " " ? start - 1 : start;
}

std::string_view ToolTypeName(std::string_view toolType) { return toolType.substr(0, toolType.find('=')); }

int GetIcon(const std::string& iconName, IconFile& icon, bool& isDefault) {
  std::string bytes;
  // Anything but a regular file (a FIFO would block) is no icon.
  int result = ReadRegularFile(iconName, kMaxIconFileSize, bytes);
  if (result == ENODEV) result = kIconDamaged;
  isDefault = result == ENOENT;
  if (isDefault) {
    bytes = DefaultProjectIcon("");
    result = 0;
  }
  return result != 0 ? result : ParseIcon(std::move(bytes), icon);
}

}  // namespace

// ---------------------------------------------------------------- the rules

std::vector<std::string> MergeToolTypes(const std::vector<std::string>& existing,
                                        const std::vector<std::string>& given, ToolTypeMerge merge) {
  size_t imageStart = NewIconsStart(existing);
  std::vector<std::string> result;
  if (merge == ToolTypeMerge::Merge) result.assign(existing.begin(), existing.begin() + imageStart);
  for (const std::string& toolType : given) {
    auto same = std::ranges::find_if(result, [&](const std::string& old) {
      return EqualsIgnoreCase(ToolTypeName(old), ToolTypeName(toolType));
    });
    if (merge == ToolTypeMerge::Merge && same != result.end())
      *same = toolType;
    else
      result.push_back(toolType);
  }
  result.insert(result.end(), existing.begin() + imageStart, existing.end());
  return result;
}

bool ApplyIconWishes(IconFields& fields, std::string_view defaultTool,
                     const std::optional<std::vector<std::string>>& toolTypes, int32_t x, int32_t y,
                     DefaultToolMode mode, ToolTypeMerge merge) {
  bool changed = false;
  if (!defaultTool.empty() && fields.defaultTool != defaultTool &&
      !(mode == DefaultToolMode::KeepExisting && IconHasDefaultTool(fields))) {
    fields.defaultTool = std::string(defaultTool);
    changed = true;
  }
  for (auto [wanted, current] : {std::pair{x, &fields.x}, std::pair{y, &fields.y}}) {
    if (wanted >= 0 && wanted != *current) {
      *current = wanted;
      changed = true;
    }
  }
  if (toolTypes) {
    std::vector<std::string> merged =
        MergeToolTypes(fields.toolTypes.value_or(std::vector<std::string>{}), *toolTypes, merge);
    if (merged != fields.toolTypes.value_or(std::vector<std::string>{})) {
      fields.toolTypes = std::move(merged);
      changed = true;
    }
  }
  return changed;
}

std::string IconFileName(const std::string& fileName) {
  std::string exact = fileName + ".info";
  std::string dir, file;
  if (!SplitFileName(fileName, dir, file)) return exact;
  // Several spellings can exist on a case-sensitive disk: one is taken for good.
  std::string entry = EntryIgnoringCase(dir, file + ".info");
  return entry.empty() ? exact : dir + entry;
}

int WriteProjIcon(const std::string& fileName, std::string_view defaultTool,
                  const std::optional<std::vector<std::string>>& toolTypes, int32_t x, int32_t y,
                  DefaultToolMode mode, ToolTypeMerge merge) {
  std::string dir, file;
  if (!SplitFileName(fileName, dir, file) || HoldsNul(defaultTool) ||
      (toolTypes && std::ranges::any_of(*toolTypes, HoldsNul)))
    return EINVAL;
  std::string iconName = IconFileName(fileName);
  IconFile icon;
  bool isDefault = false;
  if (int result = GetIcon(iconName, icon, isDefault); result != 0) return result;
  bool changed = ApplyIconWishes(icon.fields, defaultTool, toolTypes, x, y, mode, merge);
  if (!changed && !isDefault) return 0;
  return WriteWholeFile(iconName, SerialiseIcon(icon));
}

// ---------------------------------------------------------------- the default icon

const std::vector<std::string_view>& DefaultIconPicture() {
  static const std::vector<std::string_view> picture{
      "......###############...........", "......#ooooooooooooo##..........",
      "......#ooooooooooooo#o#.........", "......#oo+++++++++oo#oo#........",
      "......#ooooooooooooo#ooo#.......", "......#oo++++++++++o######......",
      "......#oooooooooooooooooo#......", "......#oo++++++++++++++oo#......",
      "......#oooooooooooooooooo#......", "......#oo++++++++++++oooo#......",
      "......#oooooooooooooooooo#......", "......#oo++++++++++++++oo#......",
      "......#oooooooooooooooooo#......", "......#oo+++++++++ooooooo#......",
      "......#oooooooooooooooooo#......", "......####################......",
  };
  return picture;
}

namespace {

std::string DefaultIconImage() {
  using namespace disk_object;
  const std::vector<std::string_view>& picture = DefaultIconPicture();
  auto width = static_cast<uint16_t>(picture[0].size());
  auto height = static_cast<uint16_t>(picture.size());
  std::vector<uint8_t> pixels;
  for (std::string_view row : picture) {
    for (char ch : row) pixels.push_back(static_cast<uint8_t>(kPaletteChars.find(ch)));
  }
  std::string image(kImageHeaderSize, '\0');
  PutU16(image, kImageWidthAt, width);
  PutU16(image, kImageHeightAt, height);
  PutU16(image, kImageDepthAt, kPictureDepth);
  PutU32(image, kImageDataAt, 1);
  image[kPlanePickAt] = (1 << kPictureDepth) - 1;
  return image + EncodePlanarImage(width, height, kPictureDepth, pixels);
}

}  // namespace

std::string DefaultProjectIcon(std::string_view defaultTool) {
  using namespace disk_object;
  const std::vector<std::string_view>& picture = DefaultIconPicture();
  std::string icon(kHeaderSize, '\0');
  PutU16(icon, kMagicAt, kMagic);
  PutU16(icon, kVersionAt, kVersion);
  PutU16(icon, kGadgetWidthAt, static_cast<uint16_t>(picture[0].size()));
  PutU16(icon, kGadgetHeightAt, static_cast<uint16_t>(picture.size() + 1));
  PutU16(icon, kGadgetFlagsAt, kFlagsImagesBackfill);
  PutU16(icon, kActivationAt, kActivationImmediateVerify);
  PutU16(icon, kGadgetTypeAt, kBoolGadget);
  PutU32(icon, kRenderAt, 1);
  PutU32(icon, kUserDataAt, kCurrentRevision);
  icon[kTypeAt] = static_cast<char>(kProjectIconType);
  PutU32(icon, kDefaultToolAt, defaultTool.empty() ? 0 : 1);
  PutU32(icon, kCurrentXAt, static_cast<uint32_t>(kNoIconPosition));
  PutU32(icon, kCurrentYAt, static_cast<uint32_t>(kNoIconPosition));
  PutU32(icon, kStackSizeAt, kDefaultStackSize);
  icon += DefaultIconImage();
  if (!defaultTool.empty()) {
    AppendU32(icon, static_cast<uint32_t>(defaultTool.size() + 1));
    icon.append(defaultTool);
    icon.push_back('\0');
  }
  return icon;
}

}  // namespace folioteer
