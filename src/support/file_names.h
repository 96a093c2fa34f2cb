// File names: splitting a name into its directory and file part, the size of
// a file, whether two names name one file, the name of a sibling file with
// another extension, finding an entry whatever its letter case, and reading
// a file whole without ever waiting for it.
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

// The name of the directory's entry called `name`: `name` itself when it
// exists, else the first (in byte order) that differs from it only in ASCII
// letter case, so the answer is always the same; empty when there is none.
std::string EntryIgnoringCase(const std::string& directory, std::string_view name);

// Reads a regular file whole. It never waits: a pipe, a device or a socket is
// refused before a byte is read. 0, or EISDIR for a folder, ENODEV for any
// other file that is not a regular one, EFBIG when it holds more than
// maxBytes, else the system's reason (ENOENT for a missing file).
int ReadRegularFile(const std::string& name, size_t maxBytes, std::string& bytes);

}  // namespace folioteer
