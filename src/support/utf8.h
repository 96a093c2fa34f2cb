// UTF-8 as bytes: the valid sequence at a place, whether a text is valid
// UTF-8, and where a text may be cut without splitting a character. Valid
// is Unicode's definition: no overlong forms, no surrogates, nothing above
// U+10FFFF. The character sets of the display (render/charset.h) build on
// this; the requesters cut answers with it.
#pragma once

#include <cstddef>
#include <string_view>

namespace folioteer {

// The length of the valid UTF-8 sequence at pos (its code point in
// codePoint), 0 when there is none.
size_t Utf8SequenceLength(std::string_view bytes, size_t pos, char32_t& codePoint);

bool IsValidUtf8(std::string_view bytes);

// How many bytes of valid UTF-8 text to keep so that at most maxBytes
// remain and no character is split: maxBytes, less the start of a
// character that would not fit whole.
size_t Utf8CutLength(std::string_view utf8, size_t maxBytes);

// The characters of valid UTF-8 text: its bytes less the continuation bytes.
size_t Utf8CharacterCount(std::string_view utf8);

}  // namespace folioteer
