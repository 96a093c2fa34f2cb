// The navigation bar of a guide reader: six buttons in this order,
// Contents, Index, Help, Retrace, Browse < and Browse >, each with its target
// and whether it is enabled for the node shown. The viewer's bar and the
// HTML export's links both come from here, so they agree.
//
// - Contents: to the node's @toc, else to the guide's main node ("Main" in
//   any letter case, else the first node when the guide has no "Main");
//   enabled when the node has a @toc or is not that main node.
// - Index, Help: to @index and @help (the node's, else the database's);
//   enabled only when there is one.
// - Retrace: back through the reader's history; enabled when the history
//   holds something. It has no target here.
// - Browse < and >: to @prev and @next when set (disabled when they name
//   the node shown), else to the node before and after in the file;
//   disabled at the first and the last node.
//
// Targets are UTF-8: the name of a node of this guide as it stands (a name
// may hold a "/"), or, as a link writes it, "file/node" for a node of
// another guide (see SplitLinkTarget). Whoever follows a target looks it up
// as the whole name of a node of this guide first and splits it only when
// no node has that name.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "render/display_model.h"
#include "render/guide_source.h"

namespace folioteer {

enum class NavButton : uint8_t { Contents, Index, Help, Retrace, BrowsePrevious, BrowseNext };
inline constexpr int kNumNavButtons = 6;

// "Contents", "Index", "Help", "Retrace", "Browse <", "Browse >".
std::string_view NavButtonLabel(NavButton button);

struct NavTarget {
  bool enabled = false;
  std::string target;  // empty when disabled, and for Retrace
};

struct Navigation {
  std::array<NavTarget, kNumNavButtons> buttons;
  const NavTarget& operator[](NavButton button) const { return buttons[static_cast<int>(button)]; }
};

// The bar for the node at that index of the source, rendered as `node`.
Navigation NavigationFor(const GuideSource& source, int nodeIndex, const DisplayNode& node, bool canRetrace);

// The index of the node Contents falls back to: "Main", else the first node;
// -1 for a source without nodes.
int MainNodeIndex(const GuideSource& source);

}  // namespace folioteer
