// A guide read for display. Unlike the editor's parser, which keeps only what
// the editor edits, this reader keeps what a viewer must show and a checker
// must point at: every line of every node exactly as the file holds it
// (command lines, empty lines and stray text included), every line outside
// the nodes, and the file line number (from 1) of each. It never fails: a
// file that does not begin with @database is no guide and becomes one
// verbatim node "Main" holding every line, as a viewer shows any other file.
//
// A command line is a line that begins with "@" and not with "@{". A node
// runs from its @node line to its @endnode line; a node without @endnode ends
// where the next @node begins or at the end of the file. Lines end at LF; a
// CR just before the LF is dropped. Text stays in the file's bytes; the
// character set guessed for the whole file is kept beside them.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "guide/syntax.h"
#include "render/charset.h"
#include "support/ascii.h"

namespace folioteer {

struct SourceLine {
  int number = 0;  // in the file, from 1
  std::string text;
};

struct GuideCommand {
  int line = 0;
  AGCmdKind kind = AGCmdKind::None;  // None for a keyword outside the syntax tables
  std::string keyword;               // as written, "@" included
  std::string rest;                  // after the keyword and the blanks that follow it
};

struct SourceNode {
  std::string name;               // quotes removed
  std::string title;              // quotes removed; empty when the @node line has none
  int line = 0;                   // of the @node line
  int endLine = 0;                // of the @endnode line; 0 when the node has none
  bool verbatim = false;          // a file that is no guide: no command lines, no markup
  std::vector<SourceLine> lines;  // every line between @node and @endnode
};

struct GuideSource {
  bool isGuide = false;
  Charset charset = Charset::Latin1;                // guessed from the whole file
  std::vector<SourceLine> outsideLines;             // lines that belong to no node, in file order
  std::vector<GuideCommand> databaseCommands;       // the command lines among them
  std::vector<SourceNode> nodes;                    // in file order
  std::unordered_map<std::string, int> nodeByName;  // AsciiLowered names; the first of equal names
};

GuideSource ReadGuideSource(std::string_view bytes);

// Calls take(number, text) for every line of the bytes, numbered from 1 and
// cut as ReadGuideSource cuts them (at LF, a CR just before it dropped).
template <typename Take>
void ForEachSourceLine(std::string_view bytes, Take&& take) {
  int number = 0;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = std::min(bytes.find('\n', start), bytes.size());
    std::string_view line = bytes.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    take(++number, line);
    start = end + 1;
  }
}

// The index of the node of that name, compared without regard to case; -1
// when there is none.
int FindNode(const GuideSource& source, std::string_view name);
// The same for a name in UTF-8, as the display model holds link targets:
// each node's name is decoded in the given character set first.
int FindNode(const GuideSource& source, std::string_view utf8Name, Charset charset);

bool IsCommandLine(std::string_view line);
GuideCommand ParseCommandLine(std::string_view line, int number);

// The next argument from pos: separators (by default the blanks, space and
// TAB) are skipped; a double quote groups up to the next one (or the end)
// and is removed. pos ends after the argument; empty at the end of the text.
inline constexpr std::string_view kBlanks = " \t";
std::string_view NextArgument(std::string_view text, size_t& pos, std::string_view separators = kBlanks);
// A text argument (title, node name): a quoted first argument, else the
// rest without the blanks around it.
std::string_view TextArgument(std::string_view rest);

}  // namespace folioteer
