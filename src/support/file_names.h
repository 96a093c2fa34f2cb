// File names: splitting a name into its directory and file part, the size of
// a file, whether two names name one file, and the name of a sibling file
// with another extension.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace folioteer {

// dir keeps its final "/" (empty when the name has no directory); FALSE when
// the file part is empty.
bool SplitFileName(std::string_view name, std::string& dir, std::string& file);

std::optional<int64_t> FileSize(const std::string& name);

// TRUE when the two names are equal or name one existing file (as two
// spellings of one name do on a file system that ignores letter case).
bool NameTheSameFile(const std::string& first, const std::string& second);

// The name with its last extension (after a "." that is not the first
// character of the file part) replaced by ext, or ext appended when it has
// none: "Docs/demo.guide", "rtf" gives "Docs/demo.rtf". Empty when the name
// has no file part.
std::string WithExtension(std::string_view name, std::string_view ext);

}  // namespace folioteer
