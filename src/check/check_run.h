// The check of guide files from the command line (`folioteer --check
// FILE...`): each file checked in turn, its findings printed one a line in
// line order ("FILE:LINE: error: MESSAGE"), nothing else on standard output.
// Problems of the volume table and of the command line go to standard error.
//
// It needs no display and reads no settings: only the guides, the files
// their links name, and the volume table, which links need to be followed as
// the viewer follows them. It writes no file.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace folioteer {

// Exit statuses: no file has an error; one has (or the findings could not
// be written); the command line does not fit.
enum CheckStatus : int { kCheckClean = 0, kCheckErrors = 1, kCheckBadCommandLine = 2 };

// `args` are the words after --check: file names; "--" makes every word
// after it a file name, so names may begin with "-".
int RunCheck(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace folioteer
