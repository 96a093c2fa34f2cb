// The characters that separate words of node text for the spell check and
// for finding a listed misspelling in the edit box. The apostrophe, digits,
// the backslash and & ^ ~ | belong to words.
#pragma once

#include <string_view>

namespace folioteer {

inline constexpr std::string_view kWordDelimiters = " \t,.:;-+=?!*%/\"`_()[]<>{}@#$";

inline bool IsWordDelimiter(char ch) { return kWordDelimiters.find(ch) != std::string_view::npos; }

}  // namespace folioteer
