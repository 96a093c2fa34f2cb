// Global environment variables of the program (its settings live in one).
//
// A variable "Folioteer/FTSwitches" is the file of that relative name under
// ENV: (the running session's copy) and ENVARC: (the permanent copy). Reading
// takes ENV: first, then ENVARC:. Each file is written whole through a
// temporary file and a rename, so a reader never sees half a value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace folioteer {

// The value, without a final line end; empty when the variable is unset.
std::optional<std::string> GetVar(std::string_view name);

// Where a variable is written: ENV: only, or ENVARC: as well.
enum class VarScope : uint8_t { Session, Permanent };

// FALSE when a write failed.
bool SetVar(std::string_view name, std::string_view value, VarScope scope);

}  // namespace folioteer
