// Links as a reader meets them: `@{"label" command arguments}`. The label is
// the text between the first two double quotes; the command part after it is
// split at spaces, TABs and, as old guides write it (`@{"x",link y}`), commas,
// with double quotes grouping. Command names are compared without regard to
// case. For link and alink the first argument is the target, split at its
// last "/" into a file (an Amiga path; empty for this guide) and a node name,
// and the second the line to show at the top. Nothing here follows a link or
// runs a command: that is the viewer's, under its own policy.
#pragma once

#include <string>
#include <string_view>

#include "render/charset.h"
#include "render/display_model.h"

namespace folioteer {

// Whether the text between "@{" and "}" is a link: it begins, after blanks,
// with a double quote.
bool IsLinkAttribute(std::string_view body);

// The link the text between "@{" and "}" describes, decoded to UTF-8. The
// label is shown, so its control characters become U+FFFD as in text
// (AppendDisplayText); the command and its arguments are decoded as written.
Link ParseLink(std::string_view body, Charset charset, int line);

LinkKind LinkKindByName(std::string_view command);

// A link or navigation target split at its last "/": the file part (an
// Amiga path; empty for this guide) and the node name.
struct LinkTarget {
  std::string file;
  std::string node;
};
LinkTarget SplitLinkTarget(std::string_view target);

}  // namespace folioteer
