#include "folioview/guide_reader.h"

#include <sys/stat.h>

#include <filesystem>

#include "links/amiga_path.h"
#include "render/links.h"

namespace folioteer {
namespace {

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string ScriptNote(std::string_view what, std::string_view script, std::string_view when) {
  return std::string(what) + " asks to run the ARexx script " + QuotedForMessage(script) + " when it " +
         std::string(when) + ". There is no ARexx on this system, so it was not run.";
}

void Append(std::string& notes, const std::string& note) {
  if (note.empty()) return;
  if (!notes.empty()) notes += "\n";
  notes += note;
}

// The @onopen or @onclose of the database, decoded; empty when it has none.
std::string DatabaseScript(const GuideSource& source, AGCmdKind kind) {
  for (const GuideCommand& command : source.databaseCommands)
    if (command.kind == kind) return DecodeToUtf8(TextArgument(command.rest), source.charset);
  return {};
}

// Identifies a version of a file: its size and time of change.
bool FileStamp(const std::string& path, int64_t& size, int64_t& modified) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  size = info.st_size;
  modified = int64_t{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec;
  return true;
}

}  // namespace

GuideReader::GuideReader(VolumeTable volumes) : volumes_(std::move(volumes)) {}

// ---------------------------------------------------------------------------
// Reading files

GuideReader::Loaded GuideReader::Remember(const GuideFile& file) {
  Loaded loaded;
  if (file.outcome != FileReadOutcome::Read) {
    loaded.problem = ReadNote(file);
    return loaded;
  }
  loaded.source = file.source;
  loaded.note = ReadNote(file);
  Cached cached{file.path, 0, 0, loaded};
  if (!FileStamp(file.path, cached.size, cached.modified)) return loaded;
  cache_.remove_if([&](const Cached& entry) { return entry.path == file.path; });
  cache_.push_front(std::move(cached));
  if (cache_.size() > kCachedGuides) cache_.pop_back();
  return loaded;
}

GuideReader::Loaded GuideReader::Load(const std::string& path) {
  int64_t size = 0, modified = 0;
  if (FileStamp(path, size, modified)) {
    for (auto entry = cache_.begin(); entry != cache_.end(); ++entry) {
      if (entry->path != path || entry->size != size || entry->modified != modified) continue;
      cache_.splice(cache_.begin(), cache_, entry);
      return cache_.front().loaded;
    }
  }
  return Remember(ReadGuideFile(path));
}

// ---------------------------------------------------------------------------
// Going places

GoResult GuideReader::Open(const GuideFile& file, std::string_view node,
                           const std::optional<ReadingPlace>& here) {
  Loaded loaded = Remember(file);
  if (!loaded.problem.empty()) return {false, {}, loaded.problem, {}};
  GoResult result = Show(file.path, loaded, node, 0, here);
  if (result.shown || !loaded.source->isGuide) return result;
  // An unknown start node: the main node, and why.
  GoResult main = Show(file.path, loaded, {}, 0, here);
  main.problem = result.problem + " The main node is shown instead.";
  return main;
}

GoResult GuideReader::Open(const std::string& path, std::string_view node,
                           const std::optional<ReadingPlace>& here) {
  return Open(ReadGuideFile(AbsolutePath(path)), node, here);
}

GoResult GuideReader::Go(std::string_view file, std::string_view node, int line, const ReadingPlace& here) {
  if (file.empty() || !shown_.source) {
    if (!shown_.source) return {false, {}, "No guide is open.", {}};
    return Show(shown_.path, {shown_.source, {}, {}}, node, line, here);
  }
  ResolvedPath resolved = ResolveAmigaPath(file, DirectoryOf(shown_.path), volumes_);
  if (resolved.outcome != PathOutcome::File) return {false, {}, PathProblem(resolved, file), {}};
  Loaded loaded = Load(resolved.path);
  if (!loaded.problem.empty()) return {false, {}, loaded.problem, {}};
  return Show(resolved.path, loaded, node, line, here);
}

GoResult GuideReader::GoTo(std::string_view reference, const ReadingPlace& here) {
  if (shown_.source && FindNode(*shown_.source, reference, charset_.value_or(shown_.source->charset)) >= 0)
    return Go({}, reference, 0, here);
  LinkTarget target = SplitLinkTarget(reference);
  return Go(target.file, target.node, 0, here);
}

GoResult GuideReader::Show(const std::string& path, const Loaded& loaded, std::string_view node, int line,
                           const std::optional<ReadingPlace>& here) {
  const GuideSource& source = *loaded.source;
  int index = 0;
  if (source.isGuide && node.empty()) {
    index = MainNodeIndex(source);
  } else if (source.isGuide) {
    index = FindNode(source, node, charset_.value_or(source.charset));
    if (index < 0)
      return {false,
              {},
              "There is no node " + QuotedForMessage(node) + " in " + QuotedForMessage(FileName(path)) + ".",
              {}};
  }
  if (index < 0) return {false, {}, QuotedForMessage(FileName(path)) + " holds no node.", {}};
  GoResult result;
  result.shown = true;
  if (line > 0) result.place = ReadingPlace{line - 1, 0, 0};
  if (path == shown_.path && index == shown_.node) return result;
  bool newGuide = path != shown_.path;
  std::string notes = LeavingNote(newGuide);
  if (here && shown_.node >= 0) {
    history_.push_back({shown_.path, shown_.node, *here});
    if (history_.size() > kMaxHistory) history_.erase(history_.begin());
  }
  Display(path, loaded.source, index);
  if (newGuide) Append(notes, loaded.note);
  Append(notes, ArrivalNote(newGuide));
  result.note = notes;
  return result;
}

GoResult GuideReader::Retrace() {
  if (history_.empty()) return {false, {}, "There is nothing to retrace.", {}};
  Step step = std::move(history_.back());
  history_.pop_back();
  Loaded loaded = step.path == shown_.path ? Loaded{shown_.source, {}, {}} : Load(step.path);
  if (!loaded.problem.empty()) {
    shown_.navigation = NavigationFor(*shown_.source, shown_.node, *shown_.display, CanRetrace());
    return {false, {}, loaded.problem, {}};
  }
  bool newGuide = step.path != shown_.path;
  std::string notes = LeavingNote(newGuide);
  int last = static_cast<int>(loaded.source->nodes.size()) - 1;
  Display(step.path, loaded.source, std::min(step.node, last));
  if (newGuide) Append(notes, loaded.note);
  Append(notes, ArrivalNote(newGuide));
  return {true, step.place, {}, notes};
}

void GuideReader::SetCharset(std::optional<Charset> charset) {
  charset_ = charset;
  if (shown_.source) Display(shown_.path, shown_.source, shown_.node);
}

void GuideReader::Display(const std::string& path, std::shared_ptr<const GuideSource> source, int node) {
  RenderOptions options;
  options.charset = charset_;
  shown_.path = path;
  shown_.source = std::move(source);
  shown_.node = node;
  shown_.display = std::make_shared<DisplayNode>(RenderNode(*shown_.source, node, options));
  shown_.navigation = NavigationFor(*shown_.source, node, *shown_.display, CanRetrace());
}

// ---------------------------------------------------------------------------
// Scripts that are never run

std::string GuideReader::LeavingNote(bool leavingGuide) const {
  std::string notes;
  if (!shown_.display) return notes;
  if (!shown_.display->info.onClose.empty())
    Append(notes, ScriptNote("The node you left", shown_.display->info.onClose, "closes"));
  if (leavingGuide) {
    std::string script = DatabaseScript(*shown_.source, AGCmdKind::OnClose);
    if (!script.empty()) Append(notes, ScriptNote("The guide you left", script, "closes"));
  }
  return notes;
}

std::string GuideReader::ArrivalNote(bool newGuide) const {
  std::string notes;
  if (newGuide) {
    std::string script = DatabaseScript(*shown_.source, AGCmdKind::OnOpen);
    if (!script.empty()) Append(notes, ScriptNote("This guide", script, "opens"));
  }
  if (!shown_.display->info.onOpen.empty())
    Append(notes, ScriptNote("This node", shown_.display->info.onOpen, "opens"));
  return notes;
}

}  // namespace folioteer
