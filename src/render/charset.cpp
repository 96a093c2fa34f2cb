#include "render/charset.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "support/ascii.h"

namespace folioteer {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// ISO-8859-2 from 0xA0 up; below that it is ISO-8859-1.
constexpr std::array<char16_t, 96> kLatin2High = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7, 0x00A8, 0x0160, 0x015E, 0x0164,
    0x0179, 0x00AD, 0x017D, 0x017B, 0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7,
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102,
    0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170,
    0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3,
    0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// KOI8-R from 0x80 up.
constexpr std::array<char16_t, 128> kKoi8RHigh = {
    0x2500, 0x2502, 0x250C, 0x2510, 0x2514, 0x2518, 0x251C, 0x2524, 0x252C, 0x2534, 0x253C, 0x2580, 0x2584,
    0x2588, 0x258C, 0x2590, 0x2591, 0x2592, 0x2593, 0x2320, 0x25A0, 0x2219, 0x221A, 0x2248, 0x2264, 0x2265,
    0x00A0, 0x2321, 0x00B0, 0x00B2, 0x00B7, 0x00F7, 0x2550, 0x2551, 0x2552, 0x0451, 0x2553, 0x2554, 0x2555,
    0x2556, 0x2557, 0x2558, 0x2559, 0x255A, 0x255B, 0x255C, 0x255D, 0x255E, 0x255F, 0x2560, 0x2561, 0x0401,
    0x2562, 0x2563, 0x2564, 0x2565, 0x2566, 0x2567, 0x2568, 0x2569, 0x256A, 0x256B, 0x256C, 0x00A9, 0x044E,
    0x0430, 0x0431, 0x0446, 0x0434, 0x0435, 0x0444, 0x0433, 0x0445, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C,
    0x043D, 0x043E, 0x043F, 0x044F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0436, 0x0432, 0x044C, 0x044B, 0x0437,
    0x0448, 0x044D, 0x0449, 0x0447, 0x044A, 0x042E, 0x0410, 0x0411, 0x0426, 0x0414, 0x0415, 0x0424, 0x0413,
    0x0425, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x042F, 0x0420, 0x0421, 0x0422,
    0x0423, 0x0416, 0x0412, 0x042C, 0x042B, 0x0417, 0x0428, 0x042D, 0x0429, 0x0427, 0x042A,
};

struct CharsetNameRow {
  Charset charset;
  std::string_view name;
  std::string_view key;  // the name in small letters without "-" and "_"
  std::string_view alias;
};
constexpr std::array<CharsetNameRow, 4> kCharsetNames = {{
    {Charset::Latin1, "ISO-8859-1", "iso88591", "latin1"},
    {Charset::Latin2, "ISO-8859-2", "iso88592", "latin2"},
    {Charset::Koi8R, "KOI8-R", "koi8r", "koi8r"},
    {Charset::Utf8, "UTF-8", "utf8", "utf8"},
}};

void AppendDecodedUtf8(std::string& out, std::string_view bytes) {
  size_t pos = 0;
  while (pos < bytes.size()) {
    char32_t codePoint = 0;
    size_t length = Utf8SequenceLength(bytes, pos, codePoint);
    if (length == 0) {
      AppendUtf8(out, kReplacement);
      ++pos;
    } else {
      out.append(bytes.substr(pos, length));
      pos += length;
    }
  }
}

char32_t DecodeByte(uint8_t byte, Charset charset) {
  if (charset == Charset::Latin2 && byte >= 0xA0) return kLatin2High[byte - 0xA0];
  if (charset == Charset::Koi8R && byte >= 0x80) return kKoi8RHigh[byte - 0x80];
  return byte;
}

}  // namespace

Utf8Census CountUtf8(std::string_view bytes) {
  Utf8Census census;
  char32_t codePoint = 0;
  for (size_t pos = 0; pos < bytes.size();) {
    size_t length = Utf8SequenceLength(bytes, pos, codePoint);
    if (length == 0) {
      if (census.stray++ == 0) census.firstStray = pos;
      ++pos;
      continue;
    }
    if (length > 1) ++census.multiByte;
    pos += length;
  }
  return census;
}

Charset DetectCharset(std::string_view bytes) {
  bool multiByte = false;
  char32_t codePoint = 0;
  for (size_t pos = 0; pos < bytes.size();) {
    size_t length = Utf8SequenceLength(bytes, pos, codePoint);
    if (length == 0) return Charset::Latin1;
    multiByte = multiByte || length > 1;
    pos += length;
  }
  return multiByte ? Charset::Utf8 : Charset::Latin1;
}

std::string_view CharsetName(Charset charset) {
  for (const CharsetNameRow& row : kCharsetNames)
    if (row.charset == charset) return row.name;
  return kCharsetNames[0].name;
}

std::optional<Charset> CharsetByName(std::string_view name) {
  std::string key;
  for (char ch : name) {
    if (ch == '-' || ch == '_') continue;
    key.push_back(AsciiLower(ch));
  }
  for (const CharsetNameRow& row : kCharsetNames)
    if (key == row.key || key == row.alias) return row.charset;
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  auto put = [&](uint32_t value) { out.push_back(static_cast<char>(value)); };
  if (codePoint < 0x80) {
    put(codePoint);
  } else if (codePoint < 0x800) {
    put(0xC0 | (codePoint >> 6));
    put(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    put(0xE0 | (codePoint >> 12));
    put(0x80 | ((codePoint >> 6) & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  } else {
    put(0xF0 | (codePoint >> 18));
    put(0x80 | ((codePoint >> 12) & 0x3F));
    put(0x80 | ((codePoint >> 6) & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  }
}

void AppendDecoded(std::string& out, std::string_view bytes, Charset charset) {
  if (charset == Charset::Utf8) {
    AppendDecodedUtf8(out, bytes);
    return;
  }
  for (char ch : bytes) {
    auto byte = static_cast<uint8_t>(ch);
    if (byte < 0x80)
      out.push_back(ch);
    else
      AppendUtf8(out, DecodeByte(byte, charset));
  }
}

void AppendDisplayText(std::string& out, std::string_view bytes, Charset charset) {
  size_t pos = 0;
  while (pos < bytes.size()) {
    auto byte = static_cast<uint8_t>(bytes[pos]);
    if (byte >= 0x20 && byte < 0x7F) {
      size_t end = pos + 1;
      while (end < bytes.size() && bytes[end] >= 0x20 && bytes[end] < 0x7F) ++end;
      out.append(bytes.substr(pos, end - pos));
      pos = end;
      continue;
    }
    char32_t codePoint = kReplacement;
    size_t length = 1;
    if (charset == Charset::Utf8) {
      length = std::max<size_t>(Utf8SequenceLength(bytes, pos, codePoint), 1);
    } else {
      codePoint = DecodeByte(byte, charset);
    }
    bool control = codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
    AppendUtf8(out, control ? kReplacement : codePoint);
    pos += length;
  }
}

std::string DecodeToUtf8(std::string_view bytes, Charset charset) {
  std::string out;
  out.reserve(bytes.size());
  AppendDecoded(out, bytes, charset);
  return out;
}

}  // namespace folioteer
