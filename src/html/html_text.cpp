#include "html/html_text.h"

#include <algorithm>

#include "support/ascii.h"
#include "support/utf8.h"

namespace folioteer {
namespace {

constexpr std::string_view kReplacement = "\uFFFD";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

bool IsNonCharacter(char32_t codePoint) {
  return (codePoint >= 0xFDD0 && codePoint <= 0xFDEF) || (codePoint & 0xFFFE) == 0xFFFE;
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

// A byte that starts no valid sequence is one U+FFFD, as DecodeToUtf8 makes it.
void AppendHtmlEscaped(std::string& out, std::string_view utf8) {
  for (size_t pos = 0; pos < utf8.size();) {
    if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
      AppendAscii(out, utf8[pos++]);
      continue;
    }
    char32_t codePoint = 0;
    size_t length = Utf8SequenceLength(utf8, pos, codePoint);
    if (length == 0 || codePoint <= 0x9F || IsNonCharacter(codePoint))
      out += kReplacement;
    else
      out.append(utf8.substr(pos, length));
    pos += std::max<size_t>(length, 1);
  }
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
