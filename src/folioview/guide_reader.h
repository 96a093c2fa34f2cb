// The reading state of the guide viewer, without windows: the guide and the
// node shown, the way back (the history, each step with its scroll place),
// the character set, and the guides read so far. Going somewhere either
// shows a node or leaves everything as it was and says why.
//
// Rules kept here: showing the node already shown adds nothing to the
// history (it only scrolls), and neither does a retrace; a file that is no
// guide shows its one node "Main" whatever node a link names; a line number
// names a line of the node as the plain text counts them (a paragraph of
// the display model), 1 for the first. Scripts a guide or node asks to run
// when opened or closed (@onopen, @onclose) are ARexx, which this system
// does not have: they are never run, and the reader is told so.
#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "links/guide_file.h"
#include "links/volume_table.h"
#include "render/navigation.h"
#include "render/renderer.h"

namespace folioteer {

// Where the reader stood in a node (see GuideView::Position).
struct ReadingPlace {
  int paragraph = 0;
  int piece = 0;
  int x = 0;
};

struct ShownNode {
  std::string path;  // the guide's Linux name
  std::shared_ptr<const GuideSource> source;
  int node = -1;
  std::shared_ptr<const DisplayNode> display;
  Navigation navigation;
};

struct GoResult {
  bool shown = false;                 // a node is shown: a new one, or the same one scrolled
  std::optional<ReadingPlace> place;  // where to scroll; none: the top of a new node, unchanged for the same
  std::string problem;                // why nothing was shown
  std::string note;                   // something to tell the reader about what is shown
};

class GuideReader {
 public:
  explicit GuideReader(VolumeTable volumes = {});

  // Opens a guide by its Linux name, at the node of that name (empty: the
  // main node). An unknown node shows the main node with a problem noted.
  // With `here`, the node shown so far goes into the history.
  GoResult Open(const std::string& path, std::string_view node = {},
                const std::optional<ReadingPlace>& here = std::nullopt);
  // The same for a file read already (the command line reads it first).
  GoResult Open(const GuideFile& file, std::string_view node = {},
                const std::optional<ReadingPlace>& here = std::nullopt);
  // Follows a link: a file (an Amiga path from the current guide's folder;
  // empty for this guide), a node and a 1-based line (0: the top).
  GoResult Go(std::string_view file, std::string_view node, int line, const ReadingPlace& here);
  // Follows a reference as the navigation bar holds it: the whole name of a
  // node of this guide first (names may hold a "/"), else "file/node" or
  // "node" as a link writes it.
  GoResult GoTo(std::string_view reference, const ReadingPlace& here);
  bool CanRetrace() const { return !history_.empty(); }
  GoResult Retrace();
  // Renders the node shown again in another character set (none: the one
  // guessed from the file).
  void SetCharset(std::optional<Charset> charset);
  std::optional<Charset> CharsetOverride() const { return charset_; }

  const ShownNode& Shown() const { return shown_; }
  size_t HistoryDepth() const { return history_.size(); }
  const VolumeTable& Volumes() const { return volumes_; }

 private:
  struct Step {
    std::string path;
    int node = 0;
    ReadingPlace place;
  };
  struct Loaded {
    std::shared_ptr<const GuideSource> source;
    std::string problem;  // why it cannot be shown
    std::string note;     // binary files
  };

  Loaded Load(const std::string& path);
  Loaded Remember(const GuideFile& file);
  GoResult Show(const std::string& path, const Loaded& loaded, std::string_view node, int line,
                const std::optional<ReadingPlace>& here);
  void Display(const std::string& path, std::shared_ptr<const GuideSource> source, int node);
  std::string LeavingNote(bool leavingGuide) const;
  std::string ArrivalNote(bool newGuide) const;

  VolumeTable volumes_;
  std::optional<Charset> charset_;
  ShownNode shown_;
  std::vector<Step> history_;
  // The guides read lately, newest first; a file changed since is read again.
  struct Cached {
    std::string path;
    int64_t size = 0;
    int64_t modified = 0;
    Loaded loaded;
  };
  std::list<Cached> cache_;
};

// How many guides GuideReader keeps read, and the deepest history.
inline constexpr size_t kCachedGuides = 8;
inline constexpr size_t kMaxHistory = 1000;

}  // namespace folioteer
