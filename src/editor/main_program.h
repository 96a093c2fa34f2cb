// The program itself: start-up (settings, the screen, choosing and opening
// the guide, the main window), the command loop that carries out one editor
// command at a time, saving (write-out), and the end of the program, which
// always offers to save an open document, also after a fatal error.
#pragma once

#include <string>

#include "editor/command_source.h"

namespace folioteer {

inline constexpr std::string_view kVersionString = "$VER: Folioteer 1.0 (29.9.2014)";

enum ExitStatus : int { kExitNormal = 0, kExitFatal = 1, kExitBadCommandLine = 2 };

// Runs start-up, the command loop and the end of the program.
int RunEditor(CommandSource& source);

// Writes the document in the order of the node list, retrying at the user's
// request, and the project icon when icons are on.
void WriteItOut();

// The file name of the guide being edited.
const std::string& GuideFileName();
void SetGuideFileName(const std::string& name);

}  // namespace folioteer
