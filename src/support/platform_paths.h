// Platform paths: where the program's named places lie on this system.
//
//   PROGDIR:  the directory of the running program (read-only data falls
//             back to ../share/folioteer/ beside it, see ProgramDataFile)
//   T:        a private 0700 directory made on first use under $TMPDIR (else
//             /tmp) and removed when the program ends, also on a signal;
//             when none can be made, the user is told and T: names resolve
//             to the empty name, which no file has
//   ENV:      $XDG_RUNTIME_DIR, else /tmp/folioteer-<uid> when that is a
//             folder of this user that nobody else may use (made so when
//             missing), else, after a warning, a folder in T: for this run
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
// Empty when no private folder could be made (the user was told why).
std::string TempDirectory();
// Empty when neither the shared fallback nor T: can be used.
std::string EnvDirectory();
std::string EnvArcDirectory();

std::string ResolvePath(std::string_view name);

// PROGDIR:name when that file exists, else ../share/folioteer/name beside the
// program when that exists, else PROGDIR:name.
std::string ProgramDataFile(std::string_view name);

// A real folder (not a link) of the current user, closed to everyone else.
bool IsPrivateFolder(const std::string& dir);

// Creates the directory and its missing parents (mode for the new ones);
// 0 or the system's reason.
int MakeDirectories(const std::string& dir, unsigned mode);

}  // namespace folioteer
