// The editor's settings: the file to edit, the public screen, the editor
// font and its size, and five on/off settings. One table of switches
// describes them; the defaults, the command-line template, the parsing of
// the environment variable and of the command line, and the line written
// back to the variable all come from it.
//
// Layers, in order: defaults, the environment variable
// "Folioteer/FTSwitches", the command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace folioteer {

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
// The argument line that stands for the current settings.
std::string SettingsLine();
void PutEnvVars(bool permanent);

}  // namespace folioteer
