// The editor's settings: the file to edit, the public screen, the editor
// font and its size, and five on/off settings. One table of switches, a row
// per Setting, describes them; the defaults, the command-line template, the
// parsing of the environment variable and of the command line, and the line
// written back to the variable all come from it. An on/off setting has two
// keywords in the template, the second switching it off (MAKEICONS,
// NOMAKEICONS).
//
// Layers, in order: defaults, the environment variable
// "Folioteer/FTSwitches", the command line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/env_vars.h"

namespace folioteer {

// clang-format off
enum class Setting : uint8_t {
  File, PubScreen, EditFont, EditFontSize, MakeIcons, AutoPreview, UseTabAttr, HelpHints, SpellCheck, None
};
// clang-format on
inline constexpr int kNumSettings = 9;  // None excluded
static_assert(kNumSettings == static_cast<int>(Setting::None));

inline constexpr std::string_view kSettingsVariable = "Folioteer/FTSwitches";

// "FILE,PUBSCREEN/K,EDITFONT/K,EDITFONTSIZE/N,MAKEICONS/S,..."
const std::string& SettingsTemplate();

// The words of the program's command line (without the program name and
// the batch-mode words), kept for GetPgmArgs.
void SetProgramArguments(std::vector<std::string> words);

void SetDefSettings();
bool GetEnvVars();
// Parses argText, or the program's command line when argText is empty; a
// line that does not fit the template is the fatal error "Bad CLI/Env Params".
bool GetPgmArgs(const std::string& argText, std::string& fileName);
void EnforceSettings();
// TRUE for the five on/off settings.
bool IsOnOffSetting(Setting setting);
int NumOnOffSettings();
// The value of an on/off setting in the editor state.
bool& OnOffSetting(Setting setting);
// The argument line that stands for the current settings.
std::string SettingsLine();
void PutEnvVars(VarScope scope);

}  // namespace folioteer
