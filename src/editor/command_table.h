// The editor command table: the closed set of editor commands, one row each
// with its name, argument template, hint, handler and the setting it
// switches; the
// parameter array into which an argument line is parsed; and the default
// parameters that prefill the dialogs for new commands and attributes.
//
// Every action of the editor is one command and an argument line in the
// AmigaDOS template syntax; the command loop parses the line against the
// command's template with AllocParamsArray, GetParams, DisposeParamsArray.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/settings/settings.h"
#include "guide/records.h"

namespace folioteer {

// clang-format off
enum class EditorCmd : uint8_t {
  None, NewNode, DelNode, ShowNode, EditNodeDescrip, NodeUp, NodeDown, NewGbl, EditGbl, DelGbl,
  NewLcl, EditLcl, DelLcl, DispNode, ViewOff, NewLink, NewTextAttr, CancelEdit, Save, SaveAs,
  ShowMisspell, SpellChk, SpellIgnore, SpellUserAdd, ExpRtf, SetEdFont, Icons, AutoPrev, TabAttr,
  HlpHints, SaveSet, Iconify, Help, About, Quit, ExpHtml
};
// clang-format on
inline constexpr int kNumEditorCmds = 36;
static_assert(kNumEditorCmds == static_cast<int>(EditorCmd::ExpHtml) + 1);

// Carries out a command with its argument line; returns the command to run
// next without waiting for the user, else None.
using CmdHandler = EditorCmd (*)(EditorCmd cmd, const std::string& argLine);

struct CommandInfo {
  std::optional<std::string_view> cmdName;
  std::optional<std::string_view> cmdTempl;
  std::optional<std::string_view> cmdHint;
  CmdHandler handler = nullptr;
  Setting setting = Setting::None;  // the setting the command switches
};

// The help hints of the main window's lists and fields.
inline constexpr std::string_view kGlobalListHint = "Global commands here";
inline constexpr std::string_view kNodeListHint = "Node list here";
inline constexpr std::string_view kLocalListHint = "Node local commands here";
inline constexpr std::string_view kEditBoxHint = "Edit node's text here";
inline constexpr std::string_view kNextHint = "Goto next node";
inline constexpr std::string_view kPrevHint = "Goto previous node";

// Fills and checks the table and the default parameter tables; a failed
// check is a fatal error. Runs on first use.
void InitCommandInfo();
const CommandInfo& CmdInfo(EditorCmd cmd);
// The number of commands that switch an on/off setting.
int NumBoolsSettings();
// The command of a name in any letter case; None when there is none.
EditorCmd MatchEditorCmd(std::string_view name);

enum class ParamType : uint8_t { Number = 0, Switch = 1, String = 2 };

struct ParamEntry {
  ParamType ptype = ParamType::String;
  bool switchValue = false;
  int32_t numberValue = 0;
  std::string stringValue;
  bool present = false;
};

using ParamsArray = std::vector<ParamEntry>;

ParamType ParamTypeFromTemplate(std::string_view argTemplate, int item);
void AllocParamsArray(std::string_view argTemplate, ParamsArray& params);
// FALSE when the line does not match; the entries then keep their initial values.
bool GetParams(std::string_view argLine, std::string_view argTemplate, ParamsArray& params);
void DisposeParamsArray(std::string_view argTemplate, ParamsArray& params);

// The parameters that prefill the dialogs, by command and attribute kind;
// updated with the values last entered, for the rest of the run.
CmdParams& DefaultCmdParams(AGCmdKind kind);
AttrParams& DefaultAttrParams(AGAttrKind kind);
// "0.0 (day.month.year)" of a date, as the @$VER: default reads.
std::string VersionDefault(int day, int month, int year);

}  // namespace folioteer
