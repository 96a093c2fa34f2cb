// The command line of the folioteer program: the Linux habits (--help, -h,
// ?, --version, --batch SCRIPT) beside the settings template, and the exit
// status (0 normal end, 1 fatal error, 2 a command line or script that does
// not fit).
#pragma once

#include <string>
#include <vector>

namespace folioteer {

int RunProgram(const std::vector<std::string>& args);

// The text that --help prints.
std::string UsageText();

}  // namespace folioteer
