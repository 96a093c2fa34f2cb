// Platform paths: where the program's named places lie on this system.
//
//   PROGDIR:  the directory of the running program (read-only data falls
//             back to ../share/folioteer/ beside it, see ProgramDataFile)
//   T:        a private 0700 directory made on first use under $TMPDIR and
//             removed when the program ends
//   ENV:      $XDG_RUNTIME_DIR, else /tmp/folioteer-<uid>
//   ENVARC:   $XDG_CONFIG_HOME, else ~/.config
//   APPDIR:   programs that come with the editor, beside it (APPDIR:Multiview
//             is the guide viewer, folioview)
//
// The prefixes are recognised without regard to case. Other names pass
// through unchanged.
#pragma once

#include <string>
#include <string_view>

namespace folioteer {

std::string ProgramDirectory();
// Overrides the directory found from /proc/self/exe (tests, installed layouts).
void SetProgramDirectory(std::string dir);
std::string TempDirectory();
std::string EnvDirectory();
std::string EnvArcDirectory();

std::string ResolvePath(std::string_view name);

// PROGDIR:name when that file exists, else ../share/folioteer/name beside the
// program when that exists, else PROGDIR:name.
std::string ProgramDataFile(std::string_view name);

// Creates the directory and its missing parents (mode for the new ones);
// 0 or the system's reason.
int MakeDirectories(const std::string& dir, unsigned mode);

}  // namespace folioteer
