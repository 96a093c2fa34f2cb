// The check of one guide file: what a reader of it would meet that the
// author did not mean, and what the editor would change, found with the
// readers the viewer and the editor use themselves (so a finding is what they
// would do, never a guess of another parser).
//
// Errors: a file that cannot be read or is no guide, a guide without nodes,
// two nodes of one name (letter case ignored), and links (link, alink) and
// node commands (@next, @prev, @toc, @index, @help) whose target the viewer
// cannot show (see target_check.h).
//
// Warnings: a node without @endnode; what the editor's next save would leave
// out (the parser's own record of dropped lines, consecutive text lines
// reported once) or a guide the editor refuses to open; commands and
// attributes no reader knows; a macro defined only inside a node (where it
// defines nothing); an attribute not closed on its line; a macro stopped by
// the expansion bounds; links with an unknown command or without a target;
// everything that asks to run a program on the reader's machine (system,
// rx, rxs links, @onopen, @onclose); bold, italics or underlining still on
// where a node ends; and bytes that are not UTF-8 in a guide written in
// UTF-8.
//
// A guide counts as written in UTF-8 when it holds at least one valid UTF-8
// sequence of two or more bytes and more of those than bytes from 0x80 up
// that fit no sequence. Guides carry no declaration of their character set;
// an ISO-8859-1 text almost never forms a valid sequence by chance (an
// accented letter would have to be followed by one of 0x80-0xBF), so such
// sequences outnumbering the stray bytes shows a UTF-8 guide with a few
// bytes from elsewhere. Those bytes matter: one of them is enough for the
// viewer to show the whole guide as ISO-8859-1.
//
// Findings come in line order. Nothing is written, and no file but the
// guide, the files its links name and the volume table is read.
#pragma once

#include <string>
#include <vector>

#include "check/findings.h"
#include "check/target_check.h"

namespace folioteer {

// `path` is the Linux name of the guide, as the user gave it.
std::vector<Finding> CheckGuideFile(const std::string& path, TargetChecker& targets);

// Whether a guide of these bytes counts as written in UTF-8 (see above).
bool WrittenInUtf8(const Utf8Census& census);

}  // namespace folioteer
