// Debug output: the trace channel for diagnostics nobody but a developer
// needs to see ("MaxBlockOfAg exceeded", assertion reports from other
// threads). Silent unless the environment variable FOLIOTEER_DEBUG is set:
// then each message goes as one line to standard error, or, when the variable
// names a file, is appended to that file.
#pragma once

#include <string_view>

namespace folioteer {

bool DebugEnabled();
void DebugPrint(std::string_view message);

// Re-reads FOLIOTEER_DEBUG; tests use it after changing the variable.
void ReloadDebugSetting();

}  // namespace folioteer
