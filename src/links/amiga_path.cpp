#include "links/amiga_path.h"

#include <sys/stat.h>

#include <climits>
#include <filesystem>

#include "support/file_names.h"

namespace folioteer {
namespace {

std::string Join(std::string_view dir, std::string_view name) {
  std::string joined(dir);
  if (joined.empty() || joined.back() != '/') joined += '/';
  return joined.append(name);
}

// The absolute directory without "." and ".." parts and without a final "/".
std::string Normalized(std::string_view directory) {
  std::string normal = std::filesystem::path(directory).lexically_normal().string();
  while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal.empty() ? std::string("/") : normal;
}

bool IsWithin(std::string_view path, std::string_view directory) {
  if (directory == "/") return true;
  return path.starts_with(directory) && (path.size() == directory.size() || path[directory.size()] == '/');
}

// The top of the volume a directory lies in: the deepest volume of the
// table that holds it, else the root directory.
std::string VolumeTopOf(std::string_view directory, const VolumeTable& volumes) {
  std::string top = "/";
  for (const Volume& volume : volumes.volumes) {
    std::string candidate = Normalized(volume.directory);
    if (IsWithin(directory, candidate) && candidate.size() > top.size()) top = candidate;
  }
  return top;
}

// The entry of that name in the directory, whatever its letter case; empty
// when there is none.
std::string LookUp(const std::string& directory, std::string_view name) {
  if (name.size() > NAME_MAX) return {};
  std::string entry = EntryIgnoringCase(directory, name);
  return entry.empty() ? std::string() : Join(directory, entry);
}

ResolvedPath Found(std::string path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {PathOutcome::Missing, std::move(path), {}};
  PathOutcome outcome = S_ISREG(info.st_mode)   ? PathOutcome::File
                        : S_ISDIR(info.st_mode) ? PathOutcome::Directory
                                                : PathOutcome::Special;
  return {outcome, std::move(path), {}};
}

// Walks the parts of `rest` from `directory`, never above `top`.
ResolvedPath Walk(std::string directory, const std::string& top, std::string_view rest) {
  if (rest.empty()) return Found(std::move(directory));
  size_t start = 0;
  for (bool first = true;; first = false) {
    size_t slash = rest.find('/', start);
    bool last = slash == std::string_view::npos;
    std::string_view part = rest.substr(start, last ? std::string_view::npos : slash - start);
    bool trailingSlash = part.empty() && last && !first;
    bool parent = (part.empty() && !trailingSlash) || part == "..";
    if (parent) {
      if (directory == top) return {PathOutcome::AboveTop, directory, {}};
      directory = std::filesystem::path(directory).parent_path().string();
    } else if (!part.empty() && part != ".") {
      std::string entry = LookUp(directory, part);
      if (entry.empty()) return {PathOutcome::Missing, Join(directory, part), {}};
      directory = std::move(entry);
    }
    if (last) break;
    start = slash + 1;
  }
  return Found(std::move(directory));
}

}  // namespace

std::string QuotedForMessage(std::string_view text) { return "\"" + ShortenedForMessage(text) + "\""; }

std::string DirectoryOf(std::string_view linuxPath) {
  size_t slash = linuxPath.rfind('/');
  if (slash == std::string_view::npos) return ".";
  return slash == 0 ? std::string("/") : std::string(linuxPath.substr(0, slash));
}

std::string AbsolutePath(const std::string& linuxPath) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(linuxPath, error);
  return error ? linuxPath : absolute.lexically_normal().string();
}

ResolvedPath ResolveAmigaPath(std::string_view amigaPath, std::string_view baseDirectory,
                              const VolumeTable& volumes) {
  if (amigaPath.size() > kMaxAmigaPath) return {PathOutcome::TooLong, {}, {}};
  if (amigaPath.find('\0') != std::string_view::npos)
    return {PathOutcome::Missing, std::string(amigaPath), {}};
  std::string base = Normalized(baseDirectory);
  // Only a colon in the first part names a volume.
  size_t colon = amigaPath.find(':');
  if (colon == std::string_view::npos || amigaPath.substr(0, colon).find('/') != std::string_view::npos)
    return Walk(base, "/", amigaPath);
  std::string_view name = amigaPath.substr(0, colon);
  std::string_view rest = amigaPath.substr(colon + 1);
  if (name.empty()) {
    std::string top = VolumeTopOf(base, volumes);
    return Walk(top, top, rest);
  }
  const Volume* volume = FindVolume(volumes, name);
  if (volume == nullptr) return {PathOutcome::UnknownVolume, {}, std::string(name)};
  std::string top = Normalized(volume->directory);
  return Walk(top, top, rest);
}

std::string PathProblem(const ResolvedPath& resolved, std::string_view amigaPath) {
  std::string linux = QuotedForMessage(resolved.path);
  switch (resolved.outcome) {
    case PathOutcome::File: return {};
    case PathOutcome::Directory:
      return QuotedForMessage(amigaPath) + " is a folder (" + linux + "), not a file.";
    case PathOutcome::Special:
      return QuotedForMessage(amigaPath) + " (" + linux +
             ") is a device, a pipe or a socket; it is not opened.";
    case PathOutcome::Missing:
      return "There is no file " + QuotedForMessage(amigaPath) + " (looked for " + linux + ").";
    case PathOutcome::UnknownVolume:
      return "The volume " + QuotedForMessage(resolved.volume + ":") + " of " + QuotedForMessage(amigaPath) +
             " is not in the volume table " + QuotedForMessage(VolumeTablePath()) + ".";
    case PathOutcome::AboveTop:
      return QuotedForMessage(amigaPath) + " leads above " + linux + ", the top of its volume.";
    case PathOutcome::TooLong:
      return "The file name " + QuotedForMessage(amigaPath) + " is too long (" +
             std::to_string(amigaPath.size()) + " bytes).";
  }
  return {};
}

std::string ShortenedForMessage(std::string_view text, size_t limit) {
  constexpr std::string_view kEllipsis = "\u2026";
  if (text.size() <= limit) return std::string(text);
  auto continues = [&](size_t pos) { return (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80; };
  size_t keep = limit > kEllipsis.size() ? limit - kEllipsis.size() : 0;
  size_t head = keep / 2;
  while (head > 0 && continues(head)) --head;
  size_t tail = text.size() - (keep - head);
  while (tail < text.size() && continues(tail)) ++tail;
  return std::string(text.substr(0, head)).append(kEllipsis).append(text.substr(tail));
}

}  // namespace folioteer
