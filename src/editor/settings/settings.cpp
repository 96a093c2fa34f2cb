#include "editor/settings/settings.h"

#include <optional>

#include "editor/command_table.h"
#include "state/editor_state.h"
#include "guide/syntax.h"
#include "support/arg_template.h"
#include "support/ascii.h"
#include "support/assert.h"
#include "support/env_vars.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

enum class SwitchType { Switch, String, Number };

struct SwitchEntry {
  std::string_view keyword;
  std::string_view modifier;
  SwitchType type;
  bool* flag;                // the setting of an on form; null otherwise
  std::string* text;         // the setting of a string; null for FILE
  int* number;               // the setting of a number
  bool switchDefault = false;
  int numberDefault = 0;
};

// Indices 0 to 13; index 14 stands for no switch and holds nothing.
std::vector<SwitchEntry> SwitchTable() {
  EditorState& e = Editor();
  return {
      {"FILE", "", SwitchType::String, nullptr, nullptr, nullptr},
      {"PUBSCREEN", "/K", SwitchType::String, nullptr, &e.pubScreenName, nullptr},
      {"EDITFONT", "/K", SwitchType::String, nullptr, &e.editorFont.name, nullptr},
      {"EDITFONTSIZE", "/N", SwitchType::Number, nullptr, nullptr, &e.editorFont.size, false, 14},
      {"MAKEICONS", "/S", SwitchType::Switch, &e.makeIcons, nullptr, nullptr, true},
      {"NOMAKEICONS", "/S", SwitchType::Switch, nullptr, nullptr, nullptr, false},
      {"AUTOPREVIEW", "/S", SwitchType::Switch, &e.autoPreview, nullptr, nullptr, false},
      {"AUTOPREVIEWOFF", "/S", SwitchType::Switch, nullptr, nullptr, nullptr, true},
      {"USETABATTR", "/S", SwitchType::Switch, &e.useTabAttr, nullptr, nullptr, false},
      {"USETABATTROFF", "/S", SwitchType::Switch, nullptr, nullptr, nullptr, true},
      {"HELPHINTS", "/S", SwitchType::Switch, &e.helpHints, nullptr, nullptr, true},
      {"HELPHINTSOFF", "/S", SwitchType::Switch, nullptr, nullptr, nullptr, false},
      {"SPELLCHECK", "/S", SwitchType::Switch, &e.spellCheck, nullptr, nullptr, false},
      {"SPELLCHECKOFF", "/S", SwitchType::Switch, nullptr, nullptr, nullptr, true},
  };
}

bool IsOffForm(size_t index) { return index >= 5 && index % 2 == 1; }

std::vector<std::string>& ProgramWords() {
  static std::vector<std::string> words;
  return words;
}

void ApplyParams(const ParamsArray& params, std::string& fileName) {
  std::vector<SwitchEntry> table = SwitchTable();
  for (size_t i = 0; i < table.size(); ++i) {
    const ParamEntry& param = params[i];
    if (!param.present) continue;
    const SwitchEntry& entry = table[i];
    if (entry.type == SwitchType::Switch) {
      if (IsOffForm(i))
        *table[i - 1].flag = false;
      else
        *entry.flag = true;
    } else if (entry.type == SwitchType::String) {
      if (i == 0)
        fileName = param.stringValue;
      else
        *entry.text = param.stringValue;
    } else {
      *entry.number = param.numberValue;
    }
    if (i == 2 || i == 3) Editor().editorFont.fromSystem = false;  // the user chose a font
  }
}

}  // namespace

const std::string& SettingsTemplate() {
  static const std::string text = [] {
    std::string joined;
    for (const SwitchEntry& entry : SwitchTable()) {
      if (!joined.empty()) joined += ',';
      joined += std::string(entry.keyword) + std::string(entry.modifier);
    }
    return joined;
  }();
  return text;
}

void SetProgramArguments(std::vector<std::string> words) { ProgramWords() = std::move(words); }

std::string JoinProgramArguments(const std::vector<std::string>& words) {
  std::string line;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (EqualsIgnoreCase(word, "CLI") || EqualsIgnoreCase(word, "REXX") || EqualsIgnoreCase(word, "DONOTPROMPT") ||
        EqualsIgnoreCase(word, "DONOTWAIT"))
      continue;
    if (EqualsIgnoreCase(word, "STARTPRI") || EqualsIgnoreCase(word, "WAIT")) {
      ++i;  // and the word after it
      continue;
    }
    if (!line.empty()) line += ' ';
    bool plain = !word.empty() && word.find_first_of(" \t\"") == std::string::npos;
    line += plain ? word : QuoteArg(word);
  }
  return line;
}

void SetDefSettings() {
  std::vector<SwitchEntry> table = SwitchTable();
  for (size_t i = 0; i < table.size(); ++i) {
    const SwitchEntry& entry = table[i];
    if (entry.type == SwitchType::Switch) {
      *entry.flag = entry.switchDefault;
      ++i;  // the off form
    } else if (entry.type == SwitchType::String) {
      if (entry.text != nullptr) entry.text->clear();
    } else {
      *entry.number = entry.numberDefault;
    }
  }
}

bool GetPgmArgs(const std::string& argText, std::string& fileName) {
  const std::string& argTemplate = SettingsTemplate();
  ParamsArray params;
  AllocParamsArray(argTemplate, params);
  std::string line = argText.empty() ? JoinProgramArguments(ProgramWords()) : argText;
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

std::string SettingsLine() {
  std::vector<SwitchEntry> table = SwitchTable();
  const EditorFont& font = Editor().editorFont;
  std::string line;
  auto piece = [&line](const std::string& text) {
    if (!line.empty()) line += ' ';
    line += text;
  };
  for (size_t i = 0; i < table.size(); ++i) {
    const SwitchEntry& entry = table[i];
    if (entry.type == SwitchType::Switch) {
      piece(std::string(*entry.flag ? entry.keyword : table[i + 1].keyword));
      ++i;
    } else if (entry.type == SwitchType::String) {
      bool fromSystem = (i == 1 && Editor().screenFromSystem) || (i == 2 && font.fromSystem);
      if (entry.text == nullptr || entry.text->empty() || fromSystem) continue;
      const std::string& value = *entry.text;
      bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
      piece(std::string(entry.keyword) + "=" + (quoted ? value : QuoteArg(value)));
    } else if (*entry.number != entry.numberDefault && !font.fromSystem) {
      piece(std::string(entry.keyword) + "=" + std::to_string(*entry.number));
    }
  }
  return line;
}

void PutEnvVars(bool permanent) {
  if (!SetVar(kSettingsVariable, SettingsLine(), permanent)) ShowWarningS("unable to PutEnvVars");
}

}  // namespace folioteer
