#include "html/html_links.h"

#include <filesystem>
#include <fstream>

#include "html/html_text.h"
#include "links/amiga_path.h"
#include "links/link_action.h"
#include "render/links.h"
#include "support/ascii.h"
#include "support/file_names.h"

namespace folioteer {
namespace {

// Enough of a file to see its first line.
constexpr std::streamsize kFirstLineBytes = 512;

HtmlLink Nowhere(std::string why) { return {{}, std::move(why)}; }

std::string Fragment(std::string_view node) { return node.empty() ? std::string() : "#" + NodeAnchor(node); }

// Files a page is made for: guides, and names that do not say what they are.
bool NamedLikeGuide(std::string_view name) {
  size_t slash = name.rfind('/');
  std::string_view file = slash == std::string_view::npos ? name : name.substr(slash + 1);
  size_t dot = file.rfind('.');
  return dot == std::string_view::npos || dot == 0 || EqualsIgnoreCase(file.substr(dot), ".guide");
}

// An Amiga path without a volume as a Linux path below `directory`: an
// empty part (a "/" at the start, or two in a row) is the parent; a "/" at
// the end is ignored.
std::string LinuxPathByName(const std::string& directory, std::string_view amigaPath) {
  std::filesystem::path path(directory);
  size_t start = 0;
  while (start <= amigaPath.size()) {
    size_t slash = amigaPath.find('/', start);
    bool last = slash == std::string_view::npos;
    std::string_view part = amigaPath.substr(start, last ? std::string_view::npos : slash - start);
    if (!part.empty())
      path /= std::string(part);
    else if (!last)
      path /= "..";
    if (last) break;
    start = slash + 1;
  }
  return path.lexically_normal().string();
}

// Why a file cannot be linked, said without the names of this machine's
// folders, which mean nothing to a reader of the page.
std::string FileProblem(const ResolvedPath& resolved, std::string_view amigaPath) {
  std::string file = QuotedForMessage(amigaPath);
  switch (resolved.outcome) {
    case PathOutcome::Directory: return file + " is a folder, not a file.";
    case PathOutcome::Special: return file + " is a device, a pipe or a socket.";
    case PathOutcome::UnknownVolume:
      return file + " is on the volume " + QuotedForMessage(resolved.volume + ":") +
             ", which was not known here.";
    case PathOutcome::AboveTop: return file + " leads above the top of its volume.";
    case PathOutcome::TooLong: return "The file name " + file + " is too long.";
    case PathOutcome::File:
    case PathOutcome::Missing: break;
  }
  return "There is no file " + file + ".";
}

std::string WhatItWouldDo(const Link& link, const LinkAction& action) {
  switch (action.kind) {
    case LinkActionKind::RunProgram:
    case LinkActionKind::OpenUrl: return "Would run: " + action.command;
    case LinkActionKind::Arexx:
      return (link.kind == LinkKind::Rx ? "Would run the ARexx script: " : "Would run the ARexx command: ") +
             action.command;
    case LinkActionKind::Beep: return "Would beep.";
    case LinkActionKind::Close:
    case LinkActionKind::Quit: return "Would close the viewer.";
    case LinkActionKind::Nothing: return action.reason;
    case LinkActionKind::ShowNode: break;
  }
  return {};
}

}  // namespace

HtmlLinkResolver::HtmlLinkResolver(const GuideSource& source, Charset charset,
                                   const std::vector<std::string>& anchors, HtmlPlaces places)
    : source_(source),
      charset_(charset),
      anchors_(anchors),
      places_(std::move(places)),
      guideDirectory_(DirectoryOf(places_.guidePath)),
      pageDirectory_(DirectoryOf(places_.pagePath)) {}

// The bar names a neighbour or the main node by its name, which may hold a
// "/" (a name that does not stand for "file/node").
HtmlLink HtmlLinkResolver::Target(std::string_view reference) {
  int index = FindNode(source_, reference, charset_);
  if (index >= 0) return {"#" + anchors_[index], {}};
  LinkTarget target = SplitLinkTarget(reference);
  return target.file.empty() ? InThisGuide(target.node) : InOtherFile(target.file, target.node);
}

HtmlLink HtmlLinkResolver::ForLink(const Link& link) {
  LinkAction action = DecideLinkAction(link);
  if (action.kind != LinkActionKind::ShowNode) return Nowhere(WhatItWouldDo(link, action));
  return action.file.empty() ? InThisGuide(action.node) : InOtherFile(action.file, action.node);
}

HtmlLink HtmlLinkResolver::InThisGuide(std::string_view node) {
  int index = FindNode(source_, node, charset_);
  if (index < 0) return Nowhere("There is no node " + QuotedForMessage(node) + " in this guide.");
  return {"#" + anchors_[index], {}};
}

HtmlLink HtmlLinkResolver::InOtherFile(std::string_view file, std::string_view node) {
  ResolvedPath resolved = ResolveAmigaPath(file, guideDirectory_, places_.volumes);
  if (resolved.outcome == PathOutcome::Missing) return ByName(file, node);
  if (resolved.outcome != PathOutcome::File) return Nowhere(FileProblem(resolved, file));
  if (NameTheSameFile(resolved.path, places_.guidePath)) return InThisGuide(node);
  bool guide = IsGuide(resolved.path);
  std::string url = RelativeUrl(guide ? WithExtension(resolved.path, "html") : resolved.path);
  if (url.empty()) return Nowhere(FileProblem({}, file));
  return {guide ? url + Fragment(node) : url, {}};
}

// A file that is not there now: only a path from the guide's folder can be
// named relatively.
HtmlLink HtmlLinkResolver::ByName(std::string_view file, std::string_view node) {
  if (file.substr(0, file.find('/')).find(':') != std::string_view::npos)
    return Nowhere("There is no file " + QuotedForMessage(file) + ".");
  std::string path = LinuxPathByName(guideDirectory_, file);
  bool guide = NamedLikeGuide(path);
  std::string url = RelativeUrl(guide ? WithExtension(path, "html") : path);
  if (url.empty()) return Nowhere("There is no file " + QuotedForMessage(file) + ".");
  return {guide ? url + Fragment(node) : url, {}};
}

std::string HtmlLinkResolver::RelativeUrl(const std::string& linuxPath) const {
  std::string relative = std::filesystem::path(linuxPath).lexically_relative(pageDirectory_).string();
  if (relative.empty() || relative.front() == '/' || relative == "." || relative.back() == '/') return {};
  return PercentEncodedPath(relative);
}

bool HtmlLinkResolver::IsGuide(const std::string& linuxPath) {
  auto known = guides_.find(linuxPath);
  if (known != guides_.end()) return known->second;
  std::string head(static_cast<size_t>(kFirstLineBytes), '\0');
  std::ifstream in(linuxPath, std::ios::binary);
  in.read(head.data(), kFirstLineBytes);
  head.resize(static_cast<size_t>(in.gcount()));
  bool guide = ReadGuideSource(head.substr(0, head.find('\n'))).isGuide;
  guides_.emplace(linuxPath, guide);
  return guide;
}

}  // namespace folioteer
