#include "editor/argument_readers.h"

#include "guide/syntax.h"
#include "nodes/node_registry.h"
#include "state/editor_state.h"
#include "support/assert.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

// Parses the line against the command's template; empty when it does not match.
std::optional<ParamsArray> Parse(EditorCmd cmd, const std::string& line) {
  std::string_view argTemplate = *CmdInfo(cmd).cmdTempl;
  ParamsArray params;
  AllocParamsArray(argTemplate, params);
  if (!GetParams(line, argTemplate, params)) return std::nullopt;
  return params;
}

int NonNegativeOrNone(const ParamEntry& entry) {
  return entry.present && entry.numberValue >= 0 ? entry.numberValue : -1;
}

void ReadCmdFields(const ParamsArray& p, size_t first, CmdParams& params) {
  params.NodeRef = p[first].stringValue;
  params.Strng = p[first + 1].stringValue;
  params.Strng2 = p[first + 2].stringValue;
  params.Num = p[first + 3].numberValue;
}

}  // namespace

int ReadPosition(EditorCmd cmd, const std::string& line) {
  std::optional<ParamsArray> p = Parse(cmd, line);
  return p ? (*p)[0].numberValue : -1;
}

int ReadIndex(EditorCmd cmd, const std::string& line) { return ReadPosition(cmd, line); }

bool ReadNewNode(const std::string& line, std::string& name, int& position) {
  std::optional<ParamsArray> p = Parse(EditorCmd::NewNode, line);
  if (!p) return false;
  name = (*p)[0].stringValue;
  position = NonNegativeOrNone((*p)[1]);
  return true;
}

bool ReadShowNode(const std::string& line, int& position, NodeEntry*& entry) {
  std::optional<ParamsArray> p = Parse(EditorCmd::ShowNode, line);
  if (!p) return false;
  const ParamEntry& name = (*p)[0];
  const ParamEntry& pos = (*p)[1];
  position = NonNegativeOrNone(pos);
  entry = name.present ? FindNodeByName(name.stringValue) : nullptr;
  return name.present != pos.present;
}

bool ReadTitle(const std::string& line, int& position, std::string& title) {
  std::optional<ParamsArray> p = Parse(EditorCmd::EditNodeDescrip, line);
  if (!p) return false;
  position = NonNegativeOrNone((*p)[1]);
  title = (*p)[2].stringValue;
  return true;
}

bool NewCmdArgs(EditorCmd cmd, const std::string& line, AGCmdKind& kind, CmdParams& params) {
  std::optional<ParamsArray> p = Parse(cmd, line);
  if (!p || !(*p)[0].present) return false;
  kind = MatchCommand((*p)[0].stringValue);
  ReadCmdFields(*p, 1, params);
  return true;
}

bool UpdCmdArgs(EditorCmd cmd, const std::string& line, int& index, CmdParams& params) {
  std::optional<ParamsArray> p = Parse(cmd, line);
  if (!p) return false;
  index = (*p)[0].numberValue;
  ReadCmdFields(*p, 1, params);
  return true;
}

bool NewLinkArgs(const std::string& line, LinkOp& op, CmdParams& params) {
  std::optional<ParamsArray> p = Parse(EditorCmd::NewLink, line);
  if (!p) return false;
  Assert((*p)[0].stringValue == GetCmdName(AGCmdKind::Link), "NewLinkArgs CmdName problem");
  params.Strng = (*p)[1].stringValue;
  op = MatchLinkOpName((*p)[2].stringValue);
  params.NodeRef = (*p)[3].stringValue;
  return true;
}

bool NewAttrArgs(const std::string& line, AGAttrKind& kind, AttrParams& params) {
  std::optional<ParamsArray> p = Parse(EditorCmd::NewTextAttr, line);
  if (!p || !(*p)[0].present) return false;
  kind = MatchAttribute((*p)[0].stringValue);
  params.Strng = (*p)[1].stringValue;
  params.Color = MatchColorName((*p)[2].stringValue);
  params.OnOff = (*p)[3].present ? AttrForm::On : ((*p)[4].present ? AttrForm::Off : AttrForm::NotStyle);
  params.Num = (*p)[5].present ? (*p)[5].numberValue : 0;
  return true;
}

bool ReadFont(const std::string& line) {
  std::optional<ParamsArray> p = Parse(EditorCmd::SetEdFont, line);
  if (!p) return false;
  EditorFont& font = Editor().editorFont;
  font.name = (*p)[0].stringValue;
  font.size = (*p)[1].numberValue;
  font.fromSystem = false;
  return true;
}

bool ReadWord(EditorCmd cmd, const std::string& line, std::string& word) {
  std::optional<ParamsArray> p = Parse(cmd, line);
  if (!p) return false;
  word = (*p)[0].stringValue;
  return true;
}

bool OnOffArgs(EditorCmd cmd, const std::string& line, bool& value) {
  std::optional<ParamsArray> p = Parse(cmd, line);
  if (!p) return false;
  if (!(*p)[0].present && !(*p)[1].present) {
    ShowWarningS("OnOffArgs: bad pgmcmd");
    return false;
  }
  value = (*p)[0].present;
  return true;
}

}  // namespace folioteer
