#include "editor/command_table.h"

#include <ctime>

#include "editor/handlers.h"
#include "guide/syntax.h"
#include "support/arg_template.h"
#include "support/ascii.h"
#include "support/assert.h"
#include "support/enum_table.h"

namespace folioteer {
namespace {

struct Row {
  EditorCmd cmd;
  std::string_view name, argTemplate, hint;
  CmdHandler handler;
  Setting setting = Setting::None;
};

constexpr std::string_view kCmdArgs = "CmdName/K/A,NodeRef/K,Strng/K,Strng2/K,Num/N/K";
constexpr std::string_view kEditCmdArgs = "CmdIndex/N/A,NodeRef/K,Strng/K,Strng2/K,Num/N/K";
constexpr std::string_view kOnOff = "On/S,Off/S";

constexpr Row kRows[] = {
    {EditorCmd::None, "", "", "", NoActionCmd},
    {EditorCmd::NewNode, "NEWNODE", "NodeName/A,NodePos/N", "Add a new node", NewNodeCmd},
    {EditorCmd::DelNode, "DELNODE", "NodePos/N/A", "Delete this node", DelNodeCmd},
    {EditorCmd::ShowNode, "SHOWNODE", "NodeName/K,NodePos/K/N", "Show this node", ShowNodeCmd},
    {EditorCmd::EditNodeDescrip, "EDITNODEDESCRIP", "NodeName/K,NodePos/K/N,NodeTitle/A/F",
     "Edit this node's title", EditNodeDescripCmd},
    {EditorCmd::NodeUp, "NODEUP", "NodePos/N/A", "Move this node up", NodeUpCmd},
    {EditorCmd::NodeDown, "NODEDOWN", "NodePos/N/A", "Move this node down", NodeDownCmd},
    {EditorCmd::NewGbl, "NEWGBL", kCmdArgs, "Add global command", NewCommandCmd},
    {EditorCmd::EditGbl, "EDITGBL", kEditCmdArgs, "Edit this global command", EditCommandCmd},
    {EditorCmd::DelGbl, "DELGBL", "CmdIndex/N/A", "Delete global command", DeleteCommandCmd},
    {EditorCmd::NewLcl, "NEWLCL", kCmdArgs, "Add node-local command", NewCommandCmd},
    {EditorCmd::EditLcl, "EDITLCL", kEditCmdArgs, "Edit node-local command", EditCommandCmd},
    {EditorCmd::DelLcl, "DELLCL", "CmdIndex/N/A", "Delete node-local command", DeleteCommandCmd},
    {EditorCmd::DispNode, "DISPNODE", "", "Show formatted display", DispNodeCmd},
    {EditorCmd::ViewOff, "VIEWOFF", "", "Close the formatted display", ViewOffCmd},
    {EditorCmd::NewLink, "NEWLINK", "CmdName/K/A,LinkText/K/A,Op/K/A,NodeRef/K/A",
     "Insert a LINK/RX/RSX/SYSTEM command", NewLinkCmd},
    {EditorCmd::NewTextAttr, "NEWTEXTATTR", "AttrName/K/A,Strng/K,Color/K,On/S,Off/S,Num/N/K",
     "Insert an attribute command", NewTextAttrCmd},
    {EditorCmd::CancelEdit, "CANCELEDIT", "", "Undo recent edits for this node text", CancelEditCmd},
    {EditorCmd::Save, "SAVE", "", "", SaveCmd},
    {EditorCmd::SaveAs, "SAVEAS", "FileName/A", "", SaveAsCmd},
    {EditorCmd::ShowMisspell, "SHOWMISSPELL", "MatchTok/A",
     "Select from list to highlight word in Edit Window", ShowMisspellCmd},
    {EditorCmd::SpellChk, "SPELLCHK", kOnOff, "", SpellChkCmd, Setting::SpellCheck},
    {EditorCmd::SpellIgnore, "SPELLIGNORE", "Word/A", "Ok this word for this run.", SpellWordCmd},
    {EditorCmd::SpellUserAdd, "SPELLUSERADD", "Word/A", "Permanently add this word to user WORDLIST",
     SpellWordCmd},
    {EditorCmd::ExpRtf, "EXPRTF", "FileName/A", "", ExpRtfCmd},
    {EditorCmd::SetEdFont, "SETEDFONT", "FontName/A,FontSize/A/N", "", SetEdFontCmd, Setting::EditFont},
    {EditorCmd::Icons, "ICONS", kOnOff, "", SettingToggleCmd, Setting::MakeIcons},
    {EditorCmd::AutoPrev, "AUTOPREV", kOnOff, "", SettingToggleCmd, Setting::AutoPreview},
    {EditorCmd::TabAttr, "TABATTR", kOnOff, "", SettingToggleCmd, Setting::UseTabAttr},
    {EditorCmd::HlpHints, "HLPHINTS", kOnOff, "", SettingToggleCmd, Setting::HelpHints},
    {EditorCmd::SaveSet, "SAVESET", "", "", SaveSetCmd},
    {EditorCmd::Iconify, "ICONIFY", kOnOff, "", IconifyCmd},
    {EditorCmd::Help, "HELP", "FileName", "", HelpCmd},
    {EditorCmd::About, "ABOUT", "", "", AboutCmd},
    {EditorCmd::Quit, "QUIT", "", "", NoActionCmd},
    // Added after the commands of the first design, so their numbers stay.
    {EditorCmd::ExpHtml, "EXPHTML", "", "", ExpHtmlCmd},
};
static_assert(RowsFollowEnum(kRows, &Row::cmd, kNumEditorCmds));

struct Tables {
  std::array<CommandInfo, kNumEditorCmds> info;
  int numBoolsSettings = 0;
  std::array<CmdParams, kNumCmdKinds> cmdDefaults;
  std::array<AttrParams, kNumAttrKinds> attrDefaults;
};

// Every command has its texts and its handler, and every on/off setting
// has the one command that switches it.
void CheckTable(const Tables& tables) {
  for (const CommandInfo& info : tables.info) {
    Assert(info.cmdName.has_value(), "InitCommandInfo Startup Bug cmdName");
    Assert(info.cmdTempl.has_value(), "InitCommandInfo Startup Bug cmdTempl");
    Assert(info.cmdHint.has_value(), "InitCommandInfo Startup Bug cmdHint");
    Assert(info.handler != nullptr, "InitCommandInfo Startup Bug handler");
  }
  Assert(tables.numBoolsSettings == NumOnOffSettings(), "InitCommandInfo: wrong NumBoolsSettings");
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
    tables.info[static_cast<int>(row.cmd)] =
        CommandInfo{row.name, row.argTemplate, row.hint, row.handler, row.setting};
    if (row.setting != Setting::None && IsOnOffSetting(row.setting)) ++tables.numBoolsSettings;
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
    if (EqualsIgnoreCase(*CmdInfo(static_cast<EditorCmd>(cmd)).cmdName, name))
      return static_cast<EditorCmd>(cmd);
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
    Assert(params[i].ptype == ParamTypeFromTemplate(argTemplate, static_cast<int>(i)),
           "GetParams:ptype mismatch");
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
