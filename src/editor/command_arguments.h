// The argument lines of the commands that command input finds in the
// window events (editor/command_input.h): what a command still needs is
// asked for in a requester (a node name or title, a file, a font) or in one
// of the parameter dialogs, whose loops run here; each value is quoted as the
// argument templates quote, so it parses back as it was typed. The values
// entered in a dialog are remembered for the next one of the same kind
// (DefaultCmdParams, DefaultAttrParams, the link operation), except for the
// kinds marked NoDefaults.
#pragma once

#include <string>

#include "editor/command_table.h"
#include "guide/syntax.h"

namespace folioteer {

// The longest node name or title the requesters take.
inline constexpr int kNodeTextMax = 134;

// What an event gave before the argument line is built.
struct CmdInput {
  EditorCmd cmd = EditorCmd::None;
  int nodePos = -1;
  int globalIdx = -1;
  int localIdx = -1;
  int attrRow = -1;
  std::string word;  // a word or "On"/"Off" for the argument line
};

// Builds the argument line of in.cmd; the command, or None when the user
// cancelled what it needed (or it was refused).
EditorCmd BuildArgLine(const CmdInput& in, std::string& line);

// For NEWGBL and NEWLCL: a command of a kind that stands at most once in its
// scope (the document's globals, the edited node's locals) exists already;
// then the warning "Command already exists", and nothing is issued.
bool RefusedAsExisting(EditorCmd cmd, AGCmdKind kind);

}  // namespace folioteer
