// Finding the file a link names. The file part of a link target is an
// AmigaDOS path: "VOLUME:dir/file" from a volume of the volume table,
// ":dir/file" from the root of the current guide's volume, anything else
// from the current guide's folder. A "/" at the start, and an empty part
// between two "/", mean the parent directory ("/" at the very end is
// ignored); as Linux users write them, "." is the directory itself and ".."
// its parent. Parents are taken by name, never above the top: the volume's
// directory, or "/" for a path without a volume.
//
// Amiga file systems ignore letter case, so each part of the path is looked
// up as written first and then, when that does not exist, among the
// directory's entries without regard to ASCII letter case (the first such
// entry in byte order, so the answer is always the same).
//
// The result says what the path leads to; every outcome but File is a
// problem the reader is told about (PathProblem), never an exception.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "links/volume_table.h"

namespace folioteer {

// Longer paths are refused before any part of them is looked up.
inline constexpr size_t kMaxAmigaPath = 4096;

enum class PathOutcome : uint8_t {
  File,           // a plain file: `path` is its Linux name
  Directory,      // a directory
  Special,        // a device, a pipe or a socket: never opened
  Missing,        // some part of the path does not exist (`path`: the first that does not)
  UnknownVolume,  // `volume` is not in the table
  AboveTop,       // a parent step leads above the top
  TooLong,
};

struct ResolvedPath {
  PathOutcome outcome = PathOutcome::Missing;
  std::string path;    // the Linux name, as far as it was found
  std::string volume;  // for UnknownVolume
};

// `baseDirectory` is the current guide's folder, an absolute Linux path.
ResolvedPath ResolveAmigaPath(std::string_view amigaPath, std::string_view baseDirectory,
                              const VolumeTable& volumes);

// The directory part of a Linux file name ("/" for a file in the root).
std::string DirectoryOf(std::string_view linuxPath);
// The Linux file name made absolute from the working folder, without "."
// and ".." parts; the name as it is when the working folder is unknown.
std::string AbsolutePath(const std::string& linuxPath);

// A sentence for the reader about an outcome other than File; `amigaPath`
// is the path as the link wrote it.
std::string PathProblem(const ResolvedPath& resolved, std::string_view amigaPath);

// The text cut in its middle to at most `limit` bytes (on a UTF-8
// character boundary) with "…" standing for what was left out, so that a
// target of thousands of characters still makes a readable message.
std::string ShortenedForMessage(std::string_view text, size_t limit = 160);
// The shortened text in double quotes, as messages name files and nodes.
std::string QuotedForMessage(std::string_view text);

}  // namespace folioteer
