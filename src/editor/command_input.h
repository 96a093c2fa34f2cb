// Command input: the user's actions on the windows turned into editor
// commands. NxtCmd takes the events that the window event model queues for
// the edit window, the main window, the spell window and the formatted
// display (in that order), decides which command an event means, asks for
// what the command still needs (a node name or title in a requester, a file,
// a font, or the fields of a parameter dialog) and writes the command's
// argument line (editor/command_arguments.h), each value quoted as the
// argument templates quote, so that whatever was typed parses back unchanged.
//
// Besides the argument line it changes only shared state: the selection
// flags of ProgramStatus, the node list's selection (navigation), and the
// values remembered for the dialogs (DefaultCmdParams and DefaultAttrParams,
// the link operation used last as the Num of the link kind's defaults).
#pragma once

#include <string>

#include "editor/command_source.h"

namespace folioteer {

// How long NxtCmd waits for the user between two looks at the windows.
inline constexpr int kCmdWaitSeconds = 10;

// One look at the windows without waiting: QUIT after the break signal,
// else the queued events, source after source, until one yields a command,
// whose argument line is then built (cmd None when the user cancelled what
// the command needed). FALSE when nothing queued yielded a command.
bool PollCmd(EditorCmd& cmd, std::string& argLine);
// Waits for the next command: PollCmd, with a timed wait on any window
// (kCmdWaitSeconds) between looks.
EditorCmd NxtCmd(std::string& argLine);

// The command source of a program whose windows a user works with.
class WindowCommandSource : public CommandSource {
 public:
  EditorCmd NxtCmd(std::string& argLine) override { return folioteer::NxtCmd(argLine); }
};

}  // namespace folioteer
