#include "editor/command_table.h"

#include <ctime>

#include "guide/syntax.h"
#include "support/arg_template.h"
#include "support/ascii.h"
#include "support/assert.h"

namespace folioteer {
namespace {

struct Row {
  EditorCmd cmd;
  std::string_view name, argTemplate, hint;
  uint8_t settingSwitch;
};

constexpr Row kRows[] = {
    {EditorCmd::None, "", "", "", kNoSettingSwitch},
    {EditorCmd::NewNode, "NEWNODE", "NodeName/A,NodePos/N", "Add a new node", kNoSettingSwitch},
    {EditorCmd::DelNode, "DELNODE", "NodePos/N/A", "Delete this node", kNoSettingSwitch},
    {EditorCmd::ShowNode, "SHOWNODE", "NodeName/K,NodePos/K/N", "Show this node", kNoSettingSwitch},
    {EditorCmd::EditNodeDescrip, "EDITNODEDESCRIP", "NodeName/K,NodePos/K/N,NodeTitle/A/F",
     "Edit this node's title", kNoSettingSwitch},
    {EditorCmd::NodeUp, "NODEUP", "NodePos/N/A", "Move this node up", kNoSettingSwitch},
    {EditorCmd::NodeDown, "NODEDOWN", "NodePos/N/A", "Move this node down", kNoSettingSwitch},
    {EditorCmd::NewGbl, "NEWGBL", "CmdName/K/A,NodeRef/K,Strng/K,Strng2/K,Num/N/K", "Add global command",
     kNoSettingSwitch},
    {EditorCmd::EditGbl, "EDITGBL", "CmdIndex/N/A,NodeRef/K,Strng/K,Strng2/K,Num/N/K",
     "Edit this global command", kNoSettingSwitch},
    {EditorCmd::DelGbl, "DELGBL", "CmdIndex/N/A", "Delete global command", kNoSettingSwitch},
    {EditorCmd::NewLcl, "NEWLCL", "CmdName/K/A,NodeRef/K,Strng/K,Strng2/K,Num/N/K", "Add node-local command",
     kNoSettingSwitch},
    {EditorCmd::EditLcl, "EDITLCL", "CmdIndex/N/A,NodeRef/K,Strng/K,Strng2/K,Num/N/K", "Edit node-local command",
     kNoSettingSwitch},
    {EditorCmd::DelLcl, "DELLCL", "CmdIndex/N/A", "Delete node-local command", kNoSettingSwitch},
    {EditorCmd::DispNode, "DISPNODE", "", "Show formatted display", kNoSettingSwitch},
    {EditorCmd::ViewOff, "VIEWOFF", "", "Close the formatted display", kNoSettingSwitch},
    {EditorCmd::NewLink, "NEWLINK", "CmdName/K/A,LinkText/K/A,Op/K/A,NodeRef/K/A",
     "Insert a LINK/RX/RSX/SYSTEM command", kNoSettingSwitch},
    {EditorCmd::NewTextAttr, "NEWTEXTATTR", "AttrName/K/A,Strng/K,Color/K,On/S,Off/S,Num/N/K",
     "Insert an attribute command", kNoSettingSwitch},
    {EditorCmd::CancelEdit, "CANCELEDIT", "", "Undo recent edits for this node text", kNoSettingSwitch},
    {EditorCmd::Save, "SAVE", "", "", kNoSettingSwitch},
    {EditorCmd::SaveAs, "SAVEAS", "FileName/A", "", kNoSettingSwitch},
    {EditorCmd::ShowMisspell, "SHOWMISSPELL", "MatchTok/A", "Select from list to highlight word in Edit Window",
     kNoSettingSwitch},
    {EditorCmd::SpellChk, "SPELLCHK", "On/S,Off/S", "", 12},
    {EditorCmd::SpellIgnore, "SPELLIGNORE", "Word/A", "Ok this word for this run.", kNoSettingSwitch},
    {EditorCmd::SpellUserAdd, "SPELLUSERADD", "Word/A", "Permanently add this word to user WORDLIST",
     kNoSettingSwitch},
    {EditorCmd::ExpRtf, "EXPRTF", "FileName/A", "", kNoSettingSwitch},
    {EditorCmd::SetEdFont, "SETEDFONT", "FontName/A,FontSize/A/N", "", 2},
    {EditorCmd::Icons, "ICONS", "On/S,Off/S", "", 4},
    {EditorCmd::AutoPrev, "AUTOPREV", "On/S,Off/S", "", 6},
    {EditorCmd::TabAttr, "TABATTR", "On/S,Off/S", "", 8},
    {EditorCmd::HlpHints, "HLPHINTS", "On/S,Off/S", "", 10},
    {EditorCmd::SaveSet, "SAVESET", "", "", kNoSettingSwitch},
    {EditorCmd::Iconify, "ICONIFY", "On/S,Off/S", "", kNoSettingSwitch},
    {EditorCmd::Help, "HELP", "FileName", "", kNoSettingSwitch},
    {EditorCmd::About, "ABOUT", "", "", kNoSettingSwitch},
    {EditorCmd::Quit, "QUIT", "", "", kNoSettingSwitch},
};

struct Tables {
  std::array<CommandInfo, kNumEditorCmds> info;
  int numBoolsSettings = 0;
  std::array<CmdParams, kNumCmdKinds> cmdDefaults;
  std::array<AttrParams, kNumAttrKinds> attrDefaults;
};

void CheckTable(const Tables& tables) {
  for (const CommandInfo& info : tables.info) {
    Assert(info.cmdName.has_value(), "InitCommandInfo Startup Bug cmdName");
    Assert(info.cmdTempl.has_value(), "InitCommandInfo Startup Bug cmdTempl");
    Assert(info.cmdHint.has_value(), "InitCommandInfo Startup Bug cmdHint");
  }
  Assert(tables.numBoolsSettings == 5, "InitCommandInfo: wrong NumBoolsSettings");
}

void FillDefaults(Tables& tables) {
  for (CmdParams& params : tables.cmdDefaults) InitEmptyParams(params);
  for (AttrParams& params : tables.attrDefaults) InitEmptyAttrParams(params);
  CmdParams& font = tables.cmdDefaults[static_cast<int>(AGCmdKind::Font)];
  font.Strng = "CGTimes.font";
  font.Num = 18;
  tables.cmdDefaults[static_cast<int>(AGCmdKind::Tab)].Num = 3;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  tables.cmdDefaults[static_cast<int>(AGCmdKind::Version)].Strng =
      VersionDefault(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
  tables.attrDefaults[static_cast<int>(AGAttrKind::Apen)].Num = 1;
  tables.attrDefaults[static_cast<int>(AGAttrKind::Bg)].Num = 5;
  tables.attrDefaults[static_cast<int>(AGAttrKind::Lindent)].Num = 3;
}

Tables BuildTables() {
  Tables tables;
  for (const Row& row : kRows) {
    CommandInfo& info = tables.info[static_cast<int>(row.cmd)];
    info = CommandInfo{row.name, row.argTemplate, row.hint, row.settingSwitch};
    if (row.cmd == EditorCmd::Icons || row.cmd == EditorCmd::AutoPrev || row.cmd == EditorCmd::TabAttr ||
        row.cmd == EditorCmd::HlpHints || row.cmd == EditorCmd::SpellChk)
      ++tables.numBoolsSettings;
  }
  CheckTable(tables);
  FillDefaults(tables);
  return tables;
}

Tables& TheTables() {
  static Tables tables = BuildTables();
  return tables;
}

}  // namespace

void InitCommandInfo() { TheTables(); }
const CommandInfo& CmdInfo(EditorCmd cmd) { return TheTables().info[static_cast<int>(cmd)]; }
int NumBoolsSettings() { return TheTables().numBoolsSettings; }

EditorCmd MatchEditorCmd(std::string_view name) {
  for (int cmd = 1; cmd < kNumEditorCmds; ++cmd)
    if (EqualsIgnoreCase(*CmdInfo(static_cast<EditorCmd>(cmd)).cmdName, name)) return static_cast<EditorCmd>(cmd);
  return EditorCmd::None;
}

ParamType ParamTypeFromTemplate(std::string_view argTemplate, int item) {
  std::vector<TemplateItem> items = ParseTemplate(argTemplate);
  if (item < 0 || item >= static_cast<int>(items.size())) return ParamType::String;
  if (items[item].number) return ParamType::Number;
  if (items[item].isSwitch) return ParamType::Switch;
  return ParamType::String;
}

void AllocParamsArray(std::string_view argTemplate, ParamsArray& params) {
  params.clear();
  int count = static_cast<int>(ParseTemplate(argTemplate).size());
  for (int item = 0; item < count; ++item) {
    ParamEntry entry;
    entry.ptype = ParamTypeFromTemplate(argTemplate, item);
    params.push_back(entry);
  }
}

bool GetParams(std::string_view argLine, std::string_view argTemplate, ParamsArray& params) {
  std::vector<TemplateItem> items = ParseTemplate(argTemplate);
  Assert(items.size() == params.size(), "GetParams:ptype mismatch");
  for (size_t i = 0; i < items.size(); ++i) {
    Assert(params[i].ptype == ParamTypeFromTemplate(argTemplate, static_cast<int>(i)), "GetParams:ptype mismatch");
    params[i].present = false;
  }
  std::optional<std::vector<ArgValue>> values = ReadArgs(argLine, argTemplate);
  if (!values) return false;
  for (size_t i = 0; i < items.size(); ++i) {
    const ArgValue& value = (*values)[i];
    if (!value.present) continue;
    ParamEntry& entry = params[i];
    if (entry.ptype == ParamType::Number) entry.numberValue = value.number;
    if (entry.ptype == ParamType::Switch) entry.switchValue = true;
    if (entry.ptype == ParamType::String) entry.stringValue = value.text;
    entry.present = true;
  }
  return true;
}

void DisposeParamsArray(std::string_view, ParamsArray& params) { params.clear(); }

CmdParams& DefaultCmdParams(AGCmdKind kind) { return TheTables().cmdDefaults[static_cast<int>(kind)]; }
AttrParams& DefaultAttrParams(AGAttrKind kind) { return TheTables().attrDefaults[static_cast<int>(kind)]; }

std::string VersionDefault(int day, int month, int year) {
  return "0.0 (" + std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year) + ")";
}

}  // namespace folioteer
