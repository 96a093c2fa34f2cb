// Big-endian byte access for the icon readers and writers.
//
// A ByteCursor walks a byte string of an icon file and never reads past its
// end: every read states how many bytes it needs and fails (returns FALSE,
// position unchanged) when fewer are left. Sizes read from a file are
// checked against what is left BEFORE anything is allocated for them, so a
// damaged length field can never make the reader allocate more than the
// file's own size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace folioteer {

// A stretch of an icon file: offset from its start and length in bytes.
struct ByteRange {
  size_t offset = 0;
  size_t size = 0;

  size_t End() const { return offset + size; }
  friend bool operator==(ByteRange, ByteRange) = default;
};

inline uint16_t GetU16(std::string_view bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) << 8 | static_cast<uint8_t>(bytes[at + 1]));
}

inline uint32_t GetU32(std::string_view bytes, size_t at) {
  return static_cast<uint32_t>(GetU16(bytes, at)) << 16 | GetU16(bytes, at + 2);
}

inline void PutU16(std::string& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<char>(value >> 8);
  bytes[at + 1] = static_cast<char>(value & 0xff);
}

inline void PutU32(std::string& bytes, size_t at, uint32_t value) {
  PutU16(bytes, at, static_cast<uint16_t>(value >> 16));
  PutU16(bytes, at + 2, static_cast<uint16_t>(value & 0xffff));
}

inline void AppendU16(std::string& bytes, uint16_t value) {
  bytes.append(2, '\0');
  PutU16(bytes, bytes.size() - 2, value);
}

inline void AppendU32(std::string& bytes, uint32_t value) {
  bytes.append(4, '\0');
  PutU32(bytes, bytes.size() - 4, value);
}

class ByteCursor {
 public:
  ByteCursor(std::string_view bytes, size_t position) : bytes_(bytes), position_(position) {}

  size_t Position() const { return position_; }
  size_t Left() const { return position_ <= bytes_.size() ? bytes_.size() - position_ : 0; }

  bool ReadU32(uint32_t& value) {
    if (Left() < 4) return false;
    value = GetU32(bytes_, position_);
    position_ += 4;
    return true;
  }
  // Moves past count bytes, taking their range.
  bool Take(uint64_t count, ByteRange& range) {
    if (count > Left()) return false;
    range = {position_, static_cast<size_t>(count)};
    position_ += static_cast<size_t>(count);
    return true;
  }
  bool Skip(uint64_t count) {
    ByteRange ignored;
    return Take(count, ignored);
  }

 private:
  std::string_view bytes_;
  size_t position_;
};

}  // namespace folioteer
