// The handlers of the editor commands: each reads its arguments by parsing
// the argument line against the command's template, and carries the command
// out through node management, the preview, the spell check, the RTF export,
// the settings or the windows. The command table names each command's
// handler; a handler serving several commands tells them apart by the
// command it is given (and a setting's by the command's setting).
#pragma once

#include <string>

#include "editor/command_table.h"

namespace folioteer {

// Carries out one command through its handler; returns the command to run
// next without waiting for the user (DISPNODE when automatic preview is on),
// else None.
EditorCmd Dispatch(EditorCmd cmd, const std::string& argLine);

// The handlers, each of the form CmdHandler.
EditorCmd NoActionCmd(EditorCmd cmd, const std::string& line);  // None, and QUIT (the loop ends)
EditorCmd NewNodeCmd(EditorCmd cmd, const std::string& line);
EditorCmd DelNodeCmd(EditorCmd cmd, const std::string& line);
EditorCmd ShowNodeCmd(EditorCmd cmd, const std::string& line);
EditorCmd EditNodeDescripCmd(EditorCmd cmd, const std::string& line);
EditorCmd NodeUpCmd(EditorCmd cmd, const std::string& line);
EditorCmd NodeDownCmd(EditorCmd cmd, const std::string& line);
EditorCmd NewCommandCmd(EditorCmd cmd, const std::string& line);     // NEWGBL, NEWLCL
EditorCmd EditCommandCmd(EditorCmd cmd, const std::string& line);    // EDITGBL, EDITLCL
EditorCmd DeleteCommandCmd(EditorCmd cmd, const std::string& line);  // DELGBL, DELLCL
EditorCmd DispNodeCmd(EditorCmd cmd, const std::string& line);
EditorCmd ViewOffCmd(EditorCmd cmd, const std::string& line);
EditorCmd NewLinkCmd(EditorCmd cmd, const std::string& line);
EditorCmd NewTextAttrCmd(EditorCmd cmd, const std::string& line);
EditorCmd CancelEditCmd(EditorCmd cmd, const std::string& line);
EditorCmd SaveCmd(EditorCmd cmd, const std::string& line);
EditorCmd SaveAsCmd(EditorCmd cmd, const std::string& line);
EditorCmd ShowMisspellCmd(EditorCmd cmd, const std::string& line);
EditorCmd SpellChkCmd(EditorCmd cmd, const std::string& line);
EditorCmd SpellWordCmd(EditorCmd cmd, const std::string& line);  // SPELLIGNORE, SPELLUSERADD
EditorCmd ExpRtfCmd(EditorCmd cmd, const std::string& line);
EditorCmd ExpHtmlCmd(EditorCmd cmd, const std::string& line);
EditorCmd SetEdFontCmd(EditorCmd cmd, const std::string& line);
EditorCmd SettingToggleCmd(EditorCmd cmd, const std::string& line);  // ICONS, AUTOPREV, TABATTR, HLPHINTS
EditorCmd SaveSetCmd(EditorCmd cmd, const std::string& line);
EditorCmd IconifyCmd(EditorCmd cmd, const std::string& line);
EditorCmd HelpCmd(EditorCmd cmd, const std::string& line);
EditorCmd AboutCmd(EditorCmd cmd, const std::string& line);

// Checks the node being edited and shows its misspellings, when spell
// checking is on; switches it off when there is no dictionary.
void RefreshSpellCheck();

// The about box.
void ShowAbout();

}  // namespace folioteer
