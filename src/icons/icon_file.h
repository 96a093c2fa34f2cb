// Workbench icon files (".info"): one icon as read, and its written form.
//
// ParseIcon takes a whole icon file and splits it into the fields Folioteer
// edits (default tool, tool types, position) and the parts it only carries:
// for a classic icon (also NewIcons, GlowIcons and OS4 colour icons) the
// header's other fields, the drawer data, the planar images, and the tail
// (tool window, second drawer data, a FORM ICON colour block, unknown bytes);
// for a PNG icon every chunk but the icon data chunk `icOn`, the tags of that
// chunk that are not edited, and the selected image after the first.
//
// IconFile keeps the file's bytes, the ranges of its parts and two copies of
// the editable fields: `read` as decoded, `fields` as wanted. SerialiseIcon
// copies every carried part byte for byte and encodes an edited part anew
// only when its wanted value differs from the value read, so an icon whose
// fields were not changed serialises to exactly its own bytes.
//
// Invariant: after ParseIcon returned 0, every range lies inside `bytes`.
// Nothing in a damaged file can make the reader allocate more than about the
// file's own size.
#pragma once

#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "icons/icon_bytes.h"

namespace folioteer {

// Results besides 0; they are system error numbers, as the callers expect.
inline constexpr int kIconDamaged = EINVAL;       // not an icon, or its parts do not fit
inline constexpr int kIconNotEditable = ENOTSUP;  // sound, but holds what we cannot rewrite
inline constexpr int kIconTooLarge = EFBIG;       // beyond kMaxIconFileSize

inline constexpr size_t kMaxIconFileSize = size_t{64} << 20;
inline constexpr int32_t kNoIconPosition = INT32_MIN;  // 0x80000000: Workbench places the icon
inline constexpr uint8_t kProjectIconType = 4;

enum class IconFlavour : uint8_t { Classic, Png };

// The fields Folioteer edits. An absent default tool or tool type table is
// one whose pointer is zero (classic) or whose tags are missing (PNG).
struct IconFields {
  std::optional<std::string> defaultTool;  // bytes up to the first NUL
  std::optional<std::vector<std::string>> toolTypes;
  int32_t x = kNoIconPosition;
  int32_t y = kNoIconPosition;

  friend bool operator==(const IconFields&, const IconFields&) = default;
};

// One planar image: header values and where its data lies.
struct PlanarImage {
  uint16_t width = 0;
  uint16_t height = 0;
  uint16_t depth = 0;
  uint8_t planePick = 0;
  uint8_t planeOnOff = 0;
  ByteRange header;
  ByteRange data;
};

// Parts of a classic icon. Absent parts have size 0; the tail runs from
// tailStart to the end of the file and holds toolWindow .. trailing.
struct ClassicLayout {
  ByteRange header, drawerData, images, defaultTool, toolTypes;
  ByteRange toolWindow, drawerData2, colourIcon, trailing;
  size_t tailStart = 0;
  std::vector<PlanarImage> planar;
};

// One tag of a PNG icon's icOn chunk: its id and the range of id and value.
struct PngIconTag {
  uint32_t id = 0;
  ByteRange whole;
};

// Parts of a PNG icon. iconChunk covers length, id, data and CRC; size 0
// when the file has none, in which case a new one goes to newChunkAt (after
// IHDR). trailing is everything after the first image's IEND chunk.
struct PngLayout {
  ByteRange iconChunk;
  size_t newChunkAt = 0;
  ByteRange trailing;
  std::vector<PngIconTag> tags;
};

struct IconFile {
  IconFlavour flavour = IconFlavour::Classic;
  std::string bytes;     // the file as read
  uint8_t type = 0;      // 1 disk .. 8 appicon; 0 when a PNG icon does not say
  uint8_t revision = 0;  // classic only: the low byte of the gadget's user data
  IconFields read;
  IconFields fields;
  ClassicLayout classic;
  PngLayout png;
};

// 0, kIconDamaged or kIconNotEditable; icon is filled only on 0.
int ParseIcon(std::string bytes, IconFile& icon);

// The file for the wanted fields (see the header paragraph). Tool texts must
// not hold NUL bytes.
std::string SerialiseIcon(const IconFile& icon);

// TRUE when the icon has a default tool that is not empty.
bool IconHasDefaultTool(const IconFields& fields);

// Planar image data: ((width + 15) / 16) * 2 bytes a row, all rows of plane
// 0 first; the most significant bit is the leftmost pixel, plane 0 the least
// significant bit of the colour index.
uint64_t PlanarDataSize(uint64_t width, uint64_t height, uint64_t depth);
// pixels: width * height colour indices, row by row; depth at most 8.
std::string EncodePlanarImage(uint16_t width, uint16_t height, uint16_t depth,
                              const std::vector<uint8_t>& pixels);
std::vector<uint8_t> DecodePlanarImage(std::string_view data, uint16_t width, uint16_t height,
                                       uint16_t depth);

}  // namespace folioteer
