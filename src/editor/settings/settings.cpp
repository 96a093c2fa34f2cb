#include "editor/settings/settings.h"

#include <optional>

#include "editor/command_table.h"
#include "guide/syntax.h"
#include "state/editor_state.h"
#include "support/arg_template.h"
#include "support/ascii.h"
#include "support/assert.h"
#include "support/enum_table.h"
#include "support/env_vars.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

enum class SwitchType : uint8_t { OnOff, Text, Number };

using FlagOf = bool* (*)(EditorState&);
using TextOf = std::string* (*)(EditorState&);
using NumberOf = int* (*)(EditorState&);

struct SwitchRow {
  Setting setting;
  std::string_view keyword;
  std::string_view modifier;    // of the keyword's template item
  std::string_view offKeyword;  // the second keyword of an on/off setting
  SwitchType type;
  FlagOf flag = nullptr;      // where an on/off setting lives
  TextOf text = nullptr;      // ... a text (null for FILE, which is handed back)
  NumberOf number = nullptr;  // ... a number
  bool onByDefault = false;
  int numberDefault = 0;
};

constexpr SwitchRow TextSwitch(Setting setting, std::string_view keyword, std::string_view modifier,
                               TextOf text) {
  return {setting, keyword, modifier, "", SwitchType::Text, nullptr, text};
}
constexpr SwitchRow NumberSwitch(Setting setting, std::string_view keyword, NumberOf number, int byDefault) {
  return {setting, keyword, "/N", "", SwitchType::Number, nullptr, nullptr, number, false, byDefault};
}
constexpr SwitchRow OnOffSwitch(Setting setting, std::string_view on, std::string_view off, FlagOf flag,
                                bool byDefault) {
  return {setting, on, "/S", off, SwitchType::OnOff, flag, nullptr, nullptr, byDefault};
}

// clang-format off
constexpr SwitchRow kSwitches[] = {
    TextSwitch(Setting::File,          "FILE",         "",   nullptr),
    TextSwitch(Setting::PubScreen,     "PUBSCREEN",    "/K", [](EditorState& e) { return &e.pubScreenName; }),
    TextSwitch(Setting::EditFont,      "EDITFONT",     "/K", [](EditorState& e) { return &e.editorFont.name; }),
    NumberSwitch(Setting::EditFontSize, "EDITFONTSIZE",      [](EditorState& e) { return &e.editorFont.size; }, 14),
    OnOffSwitch(Setting::MakeIcons,   "MAKEICONS",   "NOMAKEICONS",    [](EditorState& e) { return &e.makeIcons; }, true),
    OnOffSwitch(Setting::AutoPreview, "AUTOPREVIEW", "AUTOPREVIEWOFF", [](EditorState& e) { return &e.autoPreview; }, false),
    OnOffSwitch(Setting::UseTabAttr,  "USETABATTR",  "USETABATTROFF",  [](EditorState& e) { return &e.useTabAttr; }, false),
    OnOffSwitch(Setting::HelpHints,   "HELPHINTS",   "HELPHINTSOFF",   [](EditorState& e) { return &e.helpHints; }, true),
    OnOffSwitch(Setting::SpellCheck,  "SPELLCHECK",  "SPELLCHECKOFF",  [](EditorState& e) { return &e.spellCheck; }, false),
};
// clang-format on
static_assert(RowsFollowEnum(kSwitches, &SwitchRow::setting, kNumSettings));

const SwitchRow& Row(Setting setting) {
  Assert(setting != Setting::None, "no switch for Setting::None");
  return kSwitches[static_cast<int>(setting)];
}

bool ChoosesFont(Setting setting) { return setting == Setting::EditFont || setting == Setting::EditFontSize; }

std::vector<std::string>& ProgramWords() {
  static std::vector<std::string> words;
  return words;
}

// The parameters stand in template order: one per keyword, two for an
// on/off setting (on, then off; off wins when both are given).
void ApplyParams(const ParamsArray& params, std::string& fileName) {
  EditorState& editor = Editor();
  size_t param = 0;
  for (const SwitchRow& row : kSwitches) {
    bool given = params[param].present;
    if (row.type == SwitchType::OnOff) {
      bool off = params[param + 1].present;
      if (given) *row.flag(editor) = true;
      if (off) *row.flag(editor) = false;
      param += 2;
      continue;
    }
    const ParamEntry& value = params[param++];
    if (!given) continue;
    if (row.type == SwitchType::Number)
      *row.number(editor) = value.numberValue;
    else if (row.setting == Setting::File)
      fileName = value.stringValue;
    else
      *row.text(editor) = value.stringValue;
    if (ChoosesFont(row.setting)) editor.editorFont.fromSystem = false;  // the user chose a font
  }
}

}  // namespace

const std::string& SettingsTemplate() {
  static const std::string text = [] {
    std::string joined;
    auto item = [&joined](std::string_view keyword, std::string_view modifier) {
      if (!joined.empty()) joined += ',';
      joined += std::string(keyword) + std::string(modifier);
    };
    for (const SwitchRow& row : kSwitches) {
      item(row.keyword, row.modifier);
      if (row.type == SwitchType::OnOff) item(row.offKeyword, row.modifier);
    }
    return joined;
  }();
  return text;
}

void SetProgramArguments(std::vector<std::string> words) { ProgramWords() = std::move(words); }

void SetDefSettings() {
  EditorState& editor = Editor();
  for (const SwitchRow& row : kSwitches) {
    if (row.type == SwitchType::OnOff)
      *row.flag(editor) = row.onByDefault;
    else if (row.type == SwitchType::Number)
      *row.number(editor) = row.numberDefault;
    else if (row.text != nullptr)
      row.text(editor)->clear();
  }
}

bool GetPgmArgs(const std::string& argText, std::string& fileName) {
  const std::string& argTemplate = SettingsTemplate();
  ParamsArray params;
  AllocParamsArray(argTemplate, params);
  std::string line = argText.empty() ? JoinProgramArguments(SettingsTemplate(), ProgramWords()) : argText;
  if (!GetParams(line, argTemplate, params)) {
    DisposeParamsArray(argTemplate, params);
    AssertFail("Bad CLI/Env Params");
    return false;
  }
  ApplyParams(params, fileName);
  DisposeParamsArray(argTemplate, params);
  return true;
}

bool GetEnvVars() {
  std::optional<std::string> value = GetVar(kSettingsVariable);
  if (!value) return false;
  if (value->size() > 2 * SettingsTemplate().size()) return false;  // ignored, as too long
  if (value->empty()) return true;
  std::string scratchFile;
  bool applied = GetPgmArgs(*value, scratchFile);
  if (!scratchFile.empty()) ShowWarningS("File name found in EnvVar");
  return applied;
}

void EnforceSettings() { SetFontEditWin(); }

bool IsOnOffSetting(Setting setting) { return Row(setting).type == SwitchType::OnOff; }

int NumOnOffSettings() {
  int count = 0;
  for (const SwitchRow& row : kSwitches) count += row.type == SwitchType::OnOff ? 1 : 0;
  return count;
}

bool& OnOffSetting(Setting setting) {
  const SwitchRow& row = Row(setting);
  Assert(row.type == SwitchType::OnOff, "OnOffSetting: not an on/off setting");
  return *row.flag(Editor());
}

// A screen or a font filled in from the system, because none was set, is
// not written.
std::string SettingsLine() {
  EditorState& editor = Editor();
  const EditorFont& font = editor.editorFont;
  std::string line;
  auto piece = [&line](const std::string& text) {
    if (!line.empty()) line += ' ';
    line += text;
  };
  for (const SwitchRow& row : kSwitches) {
    if (row.type == SwitchType::OnOff) {
      piece(std::string(*row.flag(editor) ? row.keyword : row.offKeyword));
    } else if (row.type == SwitchType::Text) {
      bool fromSystem = (row.setting == Setting::PubScreen && editor.screenFromSystem) ||
                        (row.setting == Setting::EditFont && font.fromSystem);
      if (row.text == nullptr || row.text(editor)->empty() || fromSystem) continue;
      // Always quoted with the template escapes, also a value that begins and
      // ends with a quote of its own: whatever is written reads back the same.
      piece(std::string(row.keyword) + "=" + QuoteArg(*row.text(editor)));
    } else if (*row.number(editor) != row.numberDefault && !font.fromSystem) {
      piece(std::string(row.keyword) + "=" + std::to_string(*row.number(editor)));
    }
  }
  return line;
}

void PutEnvVars(VarScope scope) {
  if (!SetVar(kSettingsVariable, SettingsLine(), scope)) ShowWarningS("unable to PutEnvVars");
}

}  // namespace folioteer
