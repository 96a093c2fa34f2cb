// Text made safe for an HTML page: escaped text and attribute values, the
// ids of node sections, and URL paths. Everything a guide holds reaches a
// page through these, so no guide text ever becomes markup or script.
//
// - Escaped text holds no "<", ">", "&", '"' or "'": it may stand in element
//   content and in a double-quoted attribute value alike. Characters a page
//   must not hold (controls other than TAB and LF, U+0080-U+009F, the
//   noncharacters) and bytes that are no UTF-8 become U+FFFD, one for each.
// - A node's anchor is "node-" and its name with ASCII letters folded to
//   small ones, every byte other than a-z, 0-9, "-" and "." written as "_"
//   and two hex digits. The encoding is one to one on folded names, so a
//   link to a node of another guide finds its anchor without reading that
//   guide, in any letter case, as readers match node names.
// - A URL path holds the bytes a-z, A-Z, 0-9, "-", ".", "_", "~" and "/"
//   as they are and every other byte percent-encoded, ":" too, so no path
//   can be read as a scheme ("javascript:").
#pragma once

#include <string>
#include <string_view>

namespace folioteer {

void AppendHtmlEscaped(std::string& out, std::string_view utf8);
std::string HtmlEscaped(std::string_view utf8);

std::string NodeAnchor(std::string_view utf8Name);

std::string PercentEncodedPath(std::string_view path);

}  // namespace folioteer
