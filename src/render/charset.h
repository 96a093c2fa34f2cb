// Character sets of guide text. Guides carry no declaration of their
// character set: most are ISO-8859-1, some are in other 8-bit sets
// (ISO-8859-2, KOI8-R) and newer ones in UTF-8. A file counts as UTF-8 only
// when it is valid UTF-8 and holds at least one multi-byte sequence; plain
// ASCII is ISO-8859-1 (the same characters either way). The reader may
// override the guess.
//
// Decoding always yields valid UTF-8: every byte of an 8-bit set maps to one
// character, and every byte of a broken UTF-8 sequence becomes U+FFFD. All
// markup is ASCII, and no set here uses bytes below 0x80 for anything else,
// so markup can be found in the bytes before they are decoded.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "support/utf8.h"

namespace folioteer {

enum class Charset : uint8_t { Latin1, Latin2, Koi8R, Utf8 };

// UTF-8 when the bytes are valid UTF-8 with a multi-byte sequence, else
// ISO-8859-1. (IsValidUtf8 and the other UTF-8 helpers: support/utf8.h.)
Charset DetectCharset(std::string_view bytes);

// How far bytes read as UTF-8: the valid sequences of two to four bytes, and
// the bytes that belong to no valid sequence (every one from 0x80 up), with
// the offset of the first of those (npos when there is none).
struct Utf8Census {
  size_t multiByte = 0;
  size_t stray = 0;
  size_t firstStray = std::string_view::npos;
};
Utf8Census CountUtf8(std::string_view bytes);

// "ISO-8859-1", "ISO-8859-2", "KOI8-R", "UTF-8".
std::string_view CharsetName(Charset charset);
// The set a name stands for, ignoring letter case, "-" and "_" ("latin1",
// "iso8859-2", "koi8r", "utf8"); nothing for an unknown name.
std::optional<Charset> CharsetByName(std::string_view name);

// Appends the bytes decoded to UTF-8.
void AppendDecoded(std::string& out, std::string_view bytes, Charset charset);
std::string DecodeToUtf8(std::string_view bytes, Charset charset);

// AppendDecoded for showing the text: control characters (below 0x20, 0x7F
// and 0x80-0x9F, the Amiga's control codes) become U+FFFD, so they are seen
// without being acted on. In KOI8-R 0x80-0x9F are box-drawing characters and
// stay.
void AppendDisplayText(std::string& out, std::string_view bytes, Charset charset);

// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace folioteer
