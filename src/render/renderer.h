// The AmigaGuide renderer: turns one node of a guide into the display model
// a reader sees, following the rules of AmigaGuide readers (V39/V40):
//
// - Command lines are never shown and leave no empty line.
// - Wrap mode: a node cannot switch off a database-wide wrap: it wraps when
//   the database or the node says @wordwrap or @smartwrap, and is smart when
//   either says @smartwrap. Database commands count when they stand before
//   the node's @node line; the node's own count wherever they stand in it.
//   Without smart wrap every line end is a hard break; with it a line end is
//   soft (a space) unless it directly follows another line end, so
//   "a LF LF b" puts b on the next line and "a LF LF LF b" leaves one empty
//   line between them. "@{code}" turns wrapping off from there, "@{body}"
//   and "@{pard}" restore the node's mode.
// - "@{line}" is a hard break; "@{par}" a hard break after which the next
//   line is indented by lindent plus pari.
// - Style bits (b, i, u and their "u" off forms, plain), pens (fg/bg by
//   name, apen/bpen by number), justification, lindent, tab stops (@tab,
//   settabs, cleartabs, TAB and "@{tab}"), "@{amigaguide}", links, macros,
//   backslash escapes ("\x" shows x). Anything else between "@{" and "}" is
//   not shown; an "@{" without "}" ends at the line end.
// - Font: the node's @font, else the database's, else the viewer's.
//
// The renderer never fails: whatever the bytes, it returns a model within
// bounds that grow with the size of the guide (macro expansion is bounded,
// indents and tab stops are capped at kMaxColumn).
#pragma once

#include <optional>

#include "render/display_model.h"
#include "render/guide_source.h"

namespace folioteer {

struct RenderOptions {
  std::optional<Charset> charset;  // instead of the one guessed from the file
};

// The node at that index of the source (which must be a valid index).
DisplayNode RenderNode(const GuideSource& source, int nodeIndex, const RenderOptions& options = {});

}  // namespace folioteer
