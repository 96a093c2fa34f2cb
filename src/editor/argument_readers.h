// The argument readers of the command handlers: each parses an argument line
// against the template of the command it is given.
#pragma once

#include <optional>
#include <string>

#include "editor/command_table.h"
#include "guide/records.h"

namespace folioteer {

struct NodeEntry;

// The NodePos number, or -1 when the line did not match.
int ReadPosition(EditorCmd cmd, const std::string& line);
// The CmdIndex number, or -1 when the line did not match.
int ReadIndex(EditorCmd cmd, const std::string& line);
bool ReadNewNode(const std::string& line, std::string& name, int& position);
// FALSE also when neither or both of NodeName and NodePos are given.
bool ReadShowNode(const std::string& line, int& position, NodeEntry*& entry);
bool ReadTitle(const std::string& line, int& position, std::string& title);
bool NewCmdArgs(EditorCmd cmd, const std::string& line, AGCmdKind& kind, CmdParams& params);
bool UpdCmdArgs(EditorCmd cmd, const std::string& line, int& index, CmdParams& params);
bool NewLinkArgs(const std::string& line, LinkOp& op, CmdParams& params);
bool NewAttrArgs(const std::string& line, AGAttrKind& kind, AttrParams& params);
// Writes the font name and size into the editor font settings.
bool ReadFont(const std::string& line);
// The one text item of the command (empty when absent).
bool ReadWord(EditorCmd cmd, const std::string& line, std::string& word);
// On gives TRUE, Off FALSE (On wins); neither is a warning and no match.
bool OnOffArgs(EditorCmd cmd, const std::string& line, bool& value);

}  // namespace folioteer
