#include "html/html_text.h"

#include "render/charset.h"
#include "support/ascii.h"

namespace folioteer {
namespace {

constexpr std::string_view kReplacement = "\uFFFD";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

bool IsNonCharacter(char32_t codePoint) {
  return (codePoint >= 0xFDD0 && codePoint <= 0xFDEF) || (codePoint & 0xFFFE) == 0xFFFE;
}

// The code point of the valid UTF-8 sequence at pos, and its length.
char32_t CodePointAt(std::string_view text, size_t pos, size_t& length) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(pos);
  length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  char32_t value = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) value = (value << 6) | (byte(pos + i) & 0x3F);
  return value;
}

void AppendAscii(std::string& out, char ch) {
  switch (ch) {
    case '&': out += "&amp;"; return;
    case '<': out += "&lt;"; return;
    case '>': out += "&gt;"; return;
    case '"': out += "&quot;"; return;
    case '\'': out += "&#39;"; return;
    case '\t':
    case '\n': out += ch; return;
    default: break;
  }
  if (ch < 0x20 || ch == 0x7F)
    out += kReplacement;
  else
    out += ch;
}

void AppendValidEscaped(std::string& out, std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      AppendAscii(out, text[pos++]);
      continue;
    }
    size_t length = 0;
    char32_t codePoint = CodePointAt(text, pos, length);
    if (codePoint <= 0x9F || IsNonCharacter(codePoint))
      out += kReplacement;
    else
      out.append(text.substr(pos, length));
    pos += length;
  }
}

bool KeptInAnchor(char ch) {
  return (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '-' || ch == '.';
}

bool KeptInPath(char ch) {
  return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '-' ||
         ch == '.' || ch == '_' || ch == '~' || ch == '/';
}

void AppendHexByte(std::string& out, char escape, char ch) {
  auto byte = static_cast<unsigned char>(ch);
  out += escape;
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0x0F];
}

}  // namespace

void AppendHtmlEscaped(std::string& out, std::string_view utf8) {
  if (IsValidUtf8(utf8))
    AppendValidEscaped(out, utf8);
  else
    AppendValidEscaped(out, DecodeToUtf8(utf8, Charset::Utf8));
}

std::string HtmlEscaped(std::string_view utf8) {
  std::string out;
  AppendHtmlEscaped(out, utf8);
  return out;
}

std::string NodeAnchor(std::string_view utf8Name) {
  std::string anchor = "node-";
  for (char ch : utf8Name) {
    char lower = AsciiLower(ch);
    if (KeptInAnchor(lower))
      anchor += lower;
    else
      AppendHexByte(anchor, '_', lower);
  }
  return anchor;
}

std::string PercentEncodedPath(std::string_view path) {
  std::string encoded;
  for (char ch : path) {
    if (KeptInPath(ch))
      encoded += ch;
    else
      AppendHexByte(encoded, '%', ch);
  }
  return encoded;
}

}  // namespace folioteer
