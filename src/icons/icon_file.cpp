// Classic Workbench icons (DiskObject with its images, strings and tail);
// PNG icons are handed to png_icon.cpp.
#include "icons/icon_file.h"

#include "icons/disk_object.h"
#include "icons/png_icon.h"
#include "support/assert.h"

namespace folioteer {
namespace {

using namespace disk_object;

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);

bool Present(std::string_view bytes, size_t pointerAt) { return GetU32(bytes, pointerAt) != 0; }

std::string TextUpToNul(std::string_view bytes, ByteRange range) {
  std::string_view text = bytes.substr(range.offset, range.size);
  return std::string(text.substr(0, text.find('\0')));
}

// ---------------------------------------------------------------- reading

// A string: 32-bit length counting the NUL, then the bytes.
bool ReadIconString(ByteCursor& cursor, std::string_view bytes, ByteRange& range, std::string& text) {
  size_t start = cursor.Position();
  uint32_t length = 0;
  ByteRange body;
  if (!cursor.ReadU32(length) || !cursor.Take(length, body)) return false;
  range = {start, cursor.Position() - start};
  text = TextUpToNul(bytes, body);
  return true;
}

bool ReadPlanarImage(ByteCursor& cursor, std::string_view bytes, PlanarImage& image) {
  if (!cursor.Take(kImageHeaderSize, image.header)) return false;
  size_t at = image.header.offset;
  image.width = GetU16(bytes, at + kImageWidthAt);
  image.height = GetU16(bytes, at + kImageHeightAt);
  image.depth = GetU16(bytes, at + kImageDepthAt);
  image.planePick = static_cast<uint8_t>(bytes[at + kPlanePickAt]);
  image.planeOnOff = static_cast<uint8_t>(bytes[at + kPlaneOnOffAt]);
  return cursor.Take(PlanarDataSize(image.width, image.height, image.depth), image.data);
}

bool ReadImages(ByteCursor& cursor, std::string_view bytes, ClassicLayout& layout) {
  size_t start = cursor.Position();
  for (size_t pointerAt : {kRenderAt, kSelectRenderAt}) {
    if (!Present(bytes, pointerAt)) continue;
    PlanarImage image;
    if (!ReadPlanarImage(cursor, bytes, image)) return false;
    layout.planar.push_back(image);
  }
  layout.images = {start, cursor.Position() - start};
  return true;
}

// A count of (n + 1) * 4, then n strings. Each string needs at least its
// length field, which bounds n by what is left before anything is reserved.
bool ReadToolTypes(ByteCursor& cursor, std::string_view bytes, ByteRange& range,
                   std::vector<std::string>& toolTypes) {
  size_t start = cursor.Position();
  uint32_t count = 0;
  if (!cursor.ReadU32(count) || count < 4 || count % 4 != 0) return false;
  uint64_t entries = count / 4 - 1;
  if (entries > cursor.Left() / 4) return false;
  toolTypes.reserve(entries);
  for (uint64_t i = 0; i < entries; ++i) {
    ByteRange entry;
    std::string text;
    if (!ReadIconString(cursor, bytes, entry, text)) return false;
    toolTypes.push_back(std::move(text));
  }
  range = {start, cursor.Position() - start};
  return true;
}

// A FORM ICON block: its size must hold whole chunks (id, size, data, a pad
// byte after an odd size). The chunks themselves are carried, not read.
bool ReadColourIcon(ByteCursor& cursor, std::string_view bytes, ByteRange& range) {
  size_t start = cursor.Position();
  if (cursor.Left() < 12 || bytes.substr(start, 4) != "FORM" || bytes.substr(start + 8, 4) != "ICON")
    return true;
  uint32_t size = GetU32(bytes, start + 4);
  if (size < 4 || !cursor.Take(uint64_t{8} + size, range)) return false;
  ByteCursor chunks(bytes.substr(0, range.End()), start + 12);
  while (chunks.Left() > 0) {
    uint32_t chunkSize = 0;
    if (!chunks.Skip(4) || !chunks.ReadU32(chunkSize)) return false;
    if (!chunks.Skip(uint64_t{chunkSize} + (chunkSize & 1))) return false;
  }
  return true;
}

bool ReadTail(ByteCursor& cursor, std::string_view bytes, uint8_t revision, ClassicLayout& layout) {
  layout.tailStart = cursor.Position();
  std::string ignored;
  if (Present(bytes, kToolWindowAt) && !ReadIconString(cursor, bytes, layout.toolWindow, ignored))
    return false;
  if (Present(bytes, kDrawerDataAt) && revision == 1 && !cursor.Take(kDrawerData2Size, layout.drawerData2))
    return false;
  if (!ReadColourIcon(cursor, bytes, layout.colourIcon)) return false;
  cursor.Take(cursor.Left(), layout.trailing);
  return true;
}

bool ReadStrings(ByteCursor& cursor, std::string_view bytes, IconFile& icon) {
  if (Present(bytes, kDefaultToolAt)) {
    std::string tool;
    if (!ReadIconString(cursor, bytes, icon.classic.defaultTool, tool)) return false;
    icon.read.defaultTool = std::move(tool);
  }
  if (Present(bytes, kToolTypesAt)) {
    std::vector<std::string> toolTypes;
    if (!ReadToolTypes(cursor, bytes, icon.classic.toolTypes, toolTypes)) return false;
    icon.read.toolTypes = std::move(toolTypes);
  }
  return true;
}

int ParseClassicIcon(IconFile& icon) {
  std::string_view bytes = icon.bytes;
  if (bytes.size() < kHeaderSize || GetU16(bytes, kMagicAt) != kMagic ||
      GetU16(bytes, kVersionAt) != kVersion)
    return kIconDamaged;
  ClassicLayout& layout = icon.classic;
  layout.header = {0, kHeaderSize};
  icon.type = static_cast<uint8_t>(bytes[kTypeAt]);
  icon.revision = static_cast<uint8_t>(bytes[kRevisionAt]);
  icon.read.x = static_cast<int32_t>(GetU32(bytes, kCurrentXAt));
  icon.read.y = static_cast<int32_t>(GetU32(bytes, kCurrentYAt));

  ByteCursor cursor(bytes, kHeaderSize);
  if (Present(bytes, kDrawerDataAt) && !cursor.Take(kDrawerDataSize, layout.drawerData)) return kIconDamaged;
  if (!ReadImages(cursor, bytes, layout) || !ReadStrings(cursor, bytes, icon) ||
      !ReadTail(cursor, bytes, icon.revision, layout))
    return kIconDamaged;
  return 0;
}

// ---------------------------------------------------------------- writing

void AppendIconString(std::string& out, std::string_view text) {
  Assert(text.find('\0') == std::string_view::npos, "AppendIconString: NUL in text");
  AppendU32(out, static_cast<uint32_t>(text.size() + 1));
  out.append(text);
  out.push_back('\0');
}

// Keeps a pointer value that was set; a part that appears gets 1.
uint32_t PointerFor(bool present, uint32_t old) { return present ? (old != 0 ? old : 1) : 0; }

std::string Slice(const IconFile& icon, size_t from, size_t to) { return icon.bytes.substr(from, to - from); }

std::string SerialiseClassicIcon(const IconFile& icon) {
  const ClassicLayout& layout = icon.classic;
  const IconFields& wanted = icon.fields;
  std::string out = Slice(icon, 0, kHeaderSize);
  PutU32(out, kDefaultToolAt, PointerFor(wanted.defaultTool.has_value(), GetU32(icon.bytes, kDefaultToolAt)));
  PutU32(out, kToolTypesAt, PointerFor(wanted.toolTypes.has_value(), GetU32(icon.bytes, kToolTypesAt)));
  PutU32(out, kCurrentXAt, static_cast<uint32_t>(wanted.x));
  PutU32(out, kCurrentYAt, static_cast<uint32_t>(wanted.y));
  out += Slice(icon, kHeaderSize, layout.images.End());

  if (wanted.defaultTool == icon.read.defaultTool)
    out += Slice(icon, layout.defaultTool.offset, layout.defaultTool.End());
  else if (wanted.defaultTool)
    AppendIconString(out, *wanted.defaultTool);

  if (wanted.toolTypes == icon.read.toolTypes) {
    out += Slice(icon, layout.toolTypes.offset, layout.toolTypes.End());
  } else if (wanted.toolTypes) {
    AppendU32(out, static_cast<uint32_t>((wanted.toolTypes->size() + 1) * 4));
    for (const std::string& toolType : *wanted.toolTypes) AppendIconString(out, toolType);
  }
  out += Slice(icon, layout.tailStart, icon.bytes.size());
  return out;
}

}  // namespace

int ParseIcon(std::string bytes, IconFile& icon) {
  IconFile parsed;
  parsed.bytes = std::move(bytes);
  bool png = parsed.bytes.starts_with(kPngSignature);
  parsed.flavour = png ? IconFlavour::Png : IconFlavour::Classic;
  int result = png ? ParsePngIcon(parsed) : ParseClassicIcon(parsed);
  if (result != 0) return result;
  parsed.fields = parsed.read;
  icon = std::move(parsed);
  return 0;
}

std::string SerialiseIcon(const IconFile& icon) {
  if (icon.fields == icon.read) return icon.bytes;
  return icon.flavour == IconFlavour::Png ? SerialisePngIcon(icon) : SerialiseClassicIcon(icon);
}

bool IconHasDefaultTool(const IconFields& fields) {
  return fields.defaultTool.has_value() && !fields.defaultTool->empty();
}

// ---------------------------------------------------------------- planar images

uint64_t PlanarDataSize(uint64_t width, uint64_t height, uint64_t depth) {
  return (width + 15) / 16 * 2 * height * depth;
}

std::string EncodePlanarImage(uint16_t width, uint16_t height, uint16_t depth,
                              const std::vector<uint8_t>& pixels) {
  Assert(depth <= 8 && pixels.size() == size_t{width} * height, "EncodePlanarImage: bad image");
  size_t rowBytes = (size_t{width} + 15) / 16 * 2;
  std::string data(PlanarDataSize(width, height, depth), '\0');
  for (size_t plane = 0; plane < depth; ++plane) {
    for (size_t row = 0; row < height; ++row) {
      char* line = data.data() + (plane * height + row) * rowBytes;
      for (size_t column = 0; column < width; ++column) {
        if ((pixels[row * width + column] >> plane & 1) != 0)
          line[column / 8] = static_cast<char>(line[column / 8] | 0x80 >> (column % 8));
      }
    }
  }
  return data;
}

std::vector<uint8_t> DecodePlanarImage(std::string_view data, uint16_t width, uint16_t height,
                                       uint16_t depth) {
  Assert(depth <= 8 && data.size() >= PlanarDataSize(width, height, depth), "DecodePlanarImage: bad image");
  size_t rowBytes = (size_t{width} + 15) / 16 * 2;
  std::vector<uint8_t> pixels(size_t{width} * height, 0);
  for (size_t plane = 0; plane < depth; ++plane) {
    for (size_t row = 0; row < height; ++row) {
      const char* line = data.data() + (plane * height + row) * rowBytes;
      for (size_t column = 0; column < width; ++column) {
        if ((static_cast<uint8_t>(line[column / 8]) & 0x80 >> (column % 8)) != 0)
          pixels[row * width + column] = static_cast<uint8_t>(pixels[row * width + column] | 1 << plane);
      }
    }
  }
  return pixels;
}

}  // namespace folioteer
