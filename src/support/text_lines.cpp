#include "support/text_lines.h"

namespace folioteer {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (true) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      return lines;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

std::vector<std::string_view> SplitFileLines(std::string_view text) {
  std::vector<std::string_view> lines = SplitLines(text);
  if (lines.back().empty()) lines.pop_back();  // what follows a final LF, or the empty text
  return lines;
}

}  // namespace folioteer
