// How a line of text is cut into the words of the spell check, shared by the
// check of a node and by the search for a listed misspelling in the edit box,
// so that every listed word can be found where it stands. The apostrophe,
// digits, the backslash and & ^ ~ | belong to words.
#pragma once

#include <string_view>
#include <vector>

namespace folioteer {

inline constexpr std::string_view kWordDelimiters = " \t,.:;-+=?!*%/\"`_()[]<>{}@#$";

inline bool IsWordDelimiter(char ch) { return kWordDelimiters.find(ch) != std::string_view::npos; }

// The words of the line, each a view into it: the runs between delimiters,
// with one apostrophe dropped at the end and then one at the start of a word
// of two characters or more (quotes around a word are not part of it).
inline std::vector<std::string_view> SpellWords(std::string_view line) {
  std::vector<std::string_view> words;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && IsWordDelimiter(line[pos])) ++pos;
    size_t start = pos;
    while (pos < line.size() && !IsWordDelimiter(line[pos])) ++pos;
    std::string_view word = line.substr(start, pos - start);
    if (word.size() > 1 && word.back() == '\'') word.remove_suffix(1);
    if (word.size() > 1 && word.front() == '\'') word.remove_prefix(1);
    if (!word.empty()) words.push_back(word);
  }
  return words;
}

}  // namespace folioteer
