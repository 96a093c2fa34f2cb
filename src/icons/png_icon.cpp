// PNG icons: the chunks of the first image, the icOn chunk's tags, and the
// rewrite of that one chunk.
#include "icons/png_icon.h"

#include <array>

#include "support/assert.h"

namespace folioteer {
namespace {

constexpr size_t kSignatureSize = 8;
constexpr uint32_t kMaxChunkLength = 0x7fffffff;

constexpr uint32_t kTagIconX = 0x80001001;
constexpr uint32_t kTagIconY = 0x80001002;
constexpr uint32_t kTagDefaultTool = 0x8000100A;
constexpr uint32_t kTagToolType = 0x8000100B;
constexpr uint32_t kTagType = 0x8000100F;

enum class TagValue : uint8_t { Word, Text, Unknown };

// Drawer window box, drawer flags, stack, view modes, drawer x/y and type
// carry a 32-bit value; default tool and tool types a NUL-ended text.
TagValue ValueOf(uint32_t id) {
  if ((id >= 0x80001001 && id <= 0x80001007) || id == 0x80001009 || (id >= 0x8000100C && id <= 0x8000100F))
    return TagValue::Word;
  if (id == kTagDefaultTool || id == kTagToolType) return TagValue::Text;
  return TagValue::Unknown;
}

struct PngChunk {
  ByteRange whole, id, data, crc;
};

bool ReadChunk(ByteCursor& cursor, PngChunk& chunk) {
  size_t start = cursor.Position();
  uint32_t length = 0;
  if (!cursor.ReadU32(length) || length > kMaxChunkLength) return false;
  if (!cursor.Take(4, chunk.id) || !cursor.Take(length, chunk.data) || !cursor.Take(4, chunk.crc))
    return false;
  chunk.whole = {start, cursor.Position() - start};
  return true;
}

std::string_view Bytes(std::string_view bytes, ByteRange range) {
  return bytes.substr(range.offset, range.size);
}

// One tag at the cursor: its value read into the fields when it is one we edit.
int ReadTag(ByteCursor& cursor, std::string_view bytes, IconFile& icon) {
  size_t start = cursor.Position();
  uint32_t id = 0;
  uint32_t word = 0;
  if (!cursor.ReadU32(id)) return kIconDamaged;
  TagValue kind = ValueOf(id);
  if (kind == TagValue::Unknown) return kIconNotEditable;
  if (kind == TagValue::Word) {
    if (!cursor.ReadU32(word)) return kIconDamaged;
    if (id == kTagIconX) icon.read.x = static_cast<int32_t>(word);
    if (id == kTagIconY) icon.read.y = static_cast<int32_t>(word);
    if (id == kTagType) icon.type = static_cast<uint8_t>(word & 0xff);
  } else {
    std::string_view rest = bytes.substr(cursor.Position(), cursor.Left());
    size_t nul = rest.find('\0');
    if (nul == std::string_view::npos) return kIconDamaged;
    std::string text(rest.substr(0, nul));
    cursor.Skip(nul + 1);
    if (id == kTagDefaultTool) icon.read.defaultTool = std::move(text);
    if (id == kTagToolType) {
      if (!icon.read.toolTypes) icon.read.toolTypes.emplace();
      icon.read.toolTypes->push_back(std::move(text));
    }
  }
  icon.png.tags.push_back({id, {start, cursor.Position() - start}});
  return 0;
}

int ReadIconChunk(std::string_view bytes, const PngChunk& chunk, IconFile& icon) {
  if (PngCrc(bytes.substr(chunk.id.offset, 4 + chunk.data.size)) != GetU32(bytes, chunk.crc.offset))
    return kIconDamaged;
  ByteCursor cursor(bytes.substr(0, chunk.data.End()), chunk.data.offset);
  while (cursor.Left() > 0) {
    if (int result = ReadTag(cursor, bytes, icon); result != 0) return result;
  }
  return 0;
}

// ---------------------------------------------------------------- writing

void AppendTextTag(std::string& data, uint32_t id, std::string_view text) {
  Assert(text.find('\0') == std::string_view::npos, "AppendTextTag: NUL in text");
  AppendU32(data, id);
  data.append(text);
  data.push_back('\0');
}

void AppendEditedTag(std::string& data, uint32_t id, const IconFields& fields) {
  if (id == kTagIconX && fields.x != kNoIconPosition) {
    AppendU32(data, id);
    AppendU32(data, static_cast<uint32_t>(fields.x));
  } else if (id == kTagIconY && fields.y != kNoIconPosition) {
    AppendU32(data, id);
    AppendU32(data, static_cast<uint32_t>(fields.y));
  } else if (id == kTagDefaultTool && fields.defaultTool) {
    AppendTextTag(data, id, *fields.defaultTool);
  } else if (id == kTagToolType && fields.toolTypes) {
    for (const std::string& toolType : *fields.toolTypes) AppendTextTag(data, id, toolType);
  }
}

// The tags in their old order, each edited one where it first stood and the
// ones that are new at the end.
std::string IconChunkData(const IconFile& icon) {
  constexpr std::array<uint32_t, 4> kEdited{kTagIconX, kTagIconY, kTagDefaultTool, kTagToolType};
  std::array<bool, 4> done{};
  std::string data;
  for (const PngIconTag& tag : icon.png.tags) {
    size_t which = 0;
    while (which < kEdited.size() && kEdited[which] != tag.id) ++which;
    if (which == kEdited.size()) {
      data += Bytes(icon.bytes, tag.whole);
    } else if (!done[which]) {
      AppendEditedTag(data, tag.id, icon.fields);
      done[which] = true;
    }
  }
  for (size_t which = 0; which < kEdited.size(); ++which) {
    if (!done[which]) AppendEditedTag(data, kEdited[which], icon.fields);
  }
  return data;
}

}  // namespace

int ParsePngIcon(IconFile& icon) {
  std::string_view bytes = icon.bytes;
  PngLayout& layout = icon.png;
  ByteCursor cursor(bytes, kSignatureSize);
  bool first = true;
  while (true) {
    PngChunk chunk;
    if (!ReadChunk(cursor, chunk)) return kIconDamaged;
    std::string_view id = Bytes(bytes, chunk.id);
    if (first && id != "IHDR") return kIconDamaged;
    if (first) layout.newChunkAt = chunk.whole.End();
    first = false;
    if (id == "icOn") {
      // A second data chunk would say something we could not keep in step.
      if (layout.iconChunk.size != 0) return kIconNotEditable;
      layout.iconChunk = chunk.whole;
      if (int result = ReadIconChunk(bytes, chunk, icon); result != 0) return result;
    }
    if (id == "IEND") break;
  }
  cursor.Take(cursor.Left(), layout.trailing);
  return 0;
}

std::string SerialisePngIcon(const IconFile& icon) {
  const PngLayout& layout = icon.png;
  std::string body = "icOn" + IconChunkData(icon);
  std::string chunk;
  AppendU32(chunk, static_cast<uint32_t>(body.size() - 4));
  chunk += body;
  AppendU32(chunk, PngCrc(body));

  size_t from = layout.iconChunk.size != 0 ? layout.iconChunk.offset : layout.newChunkAt;
  size_t to = layout.iconChunk.size != 0 ? layout.iconChunk.End() : layout.newChunkAt;
  return icon.bytes.substr(0, from) + chunk + icon.bytes.substr(to);
}

uint32_t PngCrc(std::string_view bytes) {
  uint32_t crc = 0xffffffffu;
  for (char byte : bytes) {
    crc ^= static_cast<uint8_t>(byte);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

}  // namespace folioteer
