// The command line of the folioteer program: the Linux habits (--help, -h,
// ?, --version, --batch SCRIPT) beside the settings template, and the exit
// status (0 normal end, 1 fatal error, 2 a command line or script that does
// not fit).
#pragma once

#include <string>
#include <vector>

namespace folioteer {

// Opens the windows and runs the program in them: the words of the command
// line (the settings) and the Qt platforms to start on; the exit status.
using WindowRunner = int (*)(const std::vector<std::string>& args, const std::string& platforms);

// Without --batch the program needs windows: runWindows (nullptr in a build
// without them) once a display answers, else a message and status 2.
int RunProgram(const std::vector<std::string>& args, WindowRunner runWindows = nullptr);

// The text that --help prints.
std::string UsageText();

}  // namespace folioteer
