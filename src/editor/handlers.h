// The handlers of the editor commands: each reads its arguments by parsing
// the argument line against the command's template, and carries the command
// out through node management, the preview, the spell check, the RTF export,
// the settings or the windows.
#pragma once

#include <string>

#include "editor/command_table.h"

namespace folioteer {

// Carries out one command; returns the command to run next without waiting
// for the user (DISPNODE when automatic preview is on), else None.
EditorCmd Dispatch(EditorCmd cmd, const std::string& argLine);

// Checks the node being edited and shows its misspellings, when spell
// checking is on; switches it off when there is no dictionary.
void RefreshSpellCheck();

// The about box.
void ShowAbout();

}  // namespace folioteer
