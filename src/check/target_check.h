// Whether a link target can be shown, decided as the guide viewer decides
// it, without showing anything: a node of this guide, found without regard
// to letter case; or a file, an Amiga path from the guide's folder resolved
// through the volume table (links/amiga_path.h), read as the viewer reads it
// (links/guide_file.h), and in it the node, or its main node when the
// target names none. A file that is no guide is shown whole whatever node
// is named, so any node of it can be shown.
//
// The checker keeps the guides it has read (at most kCheckedGuidesKept) and
// the paths it has resolved from the current guide's folder, so a guide of
// thousands of links to the same file reads that file once.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "check/findings.h"
#include "links/amiga_path.h"
#include "links/volume_table.h"
#include "render/guide_source.h"

namespace folioteer {

inline constexpr size_t kCheckedGuidesKept = 64;

// Why a target cannot be shown: MissingNode, MissingFile or
// MissingNodeElsewhere, and a clause that says it ("there is no node "x" in
// this guide").
struct TargetProblem {
  FindingKind kind = FindingKind::MissingNode;
  std::string text;
};

class TargetChecker {
 public:
  explicit TargetChecker(VolumeTable volumes = {});

  // The guide targets start from: its Linux name and what was read of it.
  void EnterGuide(const std::string& path, std::shared_ptr<const GuideSource> source);

  // A target as the display model holds it (UTF-8): the file part (empty
  // for this guide) and the node (empty for the main node). `charset` is the
  // one the current guide is shown in. Nothing when the target can be shown.
  std::optional<TargetProblem> Check(std::string_view file, std::string_view node, Charset charset);

 private:
  struct Loaded {
    std::shared_ptr<const GuideSource> source;  // null when the file cannot be shown
    std::string problem;
  };
  const ResolvedPath& Resolve(std::string_view file);
  const Loaded& Load(const std::string& linuxPath);

  VolumeTable volumes_;
  std::string path_;       // absolute, normalized
  std::string directory_;  // of path_
  std::shared_ptr<const GuideSource> source_;
  std::unordered_map<std::string, ResolvedPath> resolved_;  // by Amiga path, from directory_
  std::unordered_map<std::string, Loaded> loaded_;          // by Linux name
};

}  // namespace folioteer
