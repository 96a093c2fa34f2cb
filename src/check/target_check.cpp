#include "check/target_check.h"

#include "links/guide_file.h"

namespace folioteer {

TargetChecker::TargetChecker(VolumeTable volumes) : volumes_(std::move(volumes)) {}

void TargetChecker::EnterGuide(const std::string& path, std::shared_ptr<const GuideSource> source) {
  path_ = AbsolutePath(path);
  directory_ = DirectoryOf(path_);
  source_ = std::move(source);
  resolved_.clear();
}

const ResolvedPath& TargetChecker::Resolve(std::string_view file) {
  auto [entry, added] = resolved_.try_emplace(std::string(file));
  if (added) entry->second = ResolveAmigaPath(file, directory_, volumes_);
  return entry->second;
}

const TargetChecker::Loaded& TargetChecker::Load(const std::string& linuxPath) {
  if (auto found = loaded_.find(linuxPath); found != loaded_.end()) return found->second;
  if (loaded_.size() >= kCheckedGuidesKept) loaded_.clear();
  GuideFile file = ReadGuideFile(linuxPath);
  Loaded loaded;
  if (file.outcome == FileReadOutcome::Read)
    loaded.source = file.source;
  else
    loaded.problem = AsClause(ReadNote(file));
  return loaded_.emplace(linuxPath, std::move(loaded)).first->second;
}

std::optional<TargetProblem> TargetChecker::Check(std::string_view file, std::string_view node,
                                                  Charset charset) {
  if (file.empty()) {
    if (node.empty() || FindNode(*source_, node, charset) >= 0) return std::nullopt;
    return TargetProblem{FindingKind::MissingNode, "there is no node " + Quoted(node) + " in this guide"};
  }
  const ResolvedPath& resolved = Resolve(file);
  if (resolved.outcome != PathOutcome::File)
    return TargetProblem{FindingKind::MissingFile, AsClause(PathProblem(resolved, file))};
  std::shared_ptr<const GuideSource> target = source_;
  if (resolved.path != path_) {
    const Loaded& loaded = Load(resolved.path);
    if (!loaded.source) return TargetProblem{FindingKind::MissingFile, loaded.problem};
    target = loaded.source;
  }
  if (!target->isGuide) return std::nullopt;
  if (target->nodes.empty())
    return TargetProblem{FindingKind::MissingNodeElsewhere, Quoted(file) + " holds no node"};
  if (node.empty() || FindNode(*target, node, target->charset) >= 0) return std::nullopt;
  return TargetProblem{FindingKind::MissingNodeElsewhere,
                       "there is no node " + Quoted(node) + " in " + Quoted(file)};
}

}  // namespace folioteer
