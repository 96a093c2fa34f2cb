// Cutting a text into its lines at LF. Two readings of a final LF: in an
// edit box it starts one more (empty) line, in a file or a script it ends
// the last line. The lines are views into the text, without their LFs.
#pragma once

#include <string_view>
#include <vector>

namespace folioteer {

// The lines as an edit box shows them: "a\nb\n" is "a", "b", ""; the empty
// text is one empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The lines as a file holds them: "a\nb\n" is "a", "b"; the empty text has
// none, and a last line without LF counts.
std::vector<std::string_view> SplitFileLines(std::string_view text);

}  // namespace folioteer
