#include "support/utf8.h"

#include <array>
#include <cstdint>

namespace folioteer {

size_t Utf8SequenceLength(std::string_view bytes, size_t pos, char32_t& codePoint) {
  auto byte = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
  uint8_t lead = byte(pos);
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  }
  size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || pos + length > bytes.size()) return 0;
  char32_t value = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(pos + i) & 0x3F);
  }
  constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  codePoint = value;
  return length;
}

bool IsValidUtf8(std::string_view bytes) {
  char32_t codePoint = 0;
  for (size_t pos = 0; pos < bytes.size();) {
    size_t length = Utf8SequenceLength(bytes, pos, codePoint);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

size_t Utf8CutLength(std::string_view utf8, size_t maxBytes) {
  if (utf8.size() <= maxBytes) return utf8.size();
  size_t cut = maxBytes;
  while (cut > 0 && (static_cast<uint8_t>(utf8[cut]) & 0xC0) == 0x80) --cut;
  return cut;
}

size_t Utf8CharacterCount(std::string_view utf8) {
  size_t count = 0;
  for (char ch : utf8) count += (static_cast<uint8_t>(ch) & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

}  // namespace folioteer
