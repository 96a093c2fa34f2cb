#include "render/navigation.h"

#include "render/links.h"

namespace folioteer {
namespace {

constexpr std::array<std::string_view, kNumNavButtons> kLabels = {"Contents", "Index",    "Help",
                                                                  "Retrace",  "Browse <", "Browse >"};

NavTarget To(std::string target) { return {true, std::move(target)}; }

// Whether a reference names the node at that index of this guide: by the
// whole name of a node first, else as a link target.
bool NamesNode(const GuideSource& source, std::string_view target, int nodeIndex, Charset charset) {
  if (int named = FindNode(source, target, charset); named >= 0) return named == nodeIndex;
  LinkTarget split = SplitLinkTarget(target);
  return split.file.empty() && FindNode(source, split.node, charset) == nodeIndex;
}

std::string NodeName(const GuideSource& source, int nodeIndex, Charset charset) {
  return DecodeToUtf8(source.nodes[nodeIndex].name, charset);
}

NavTarget Contents(const GuideSource& source, int nodeIndex, const DisplayNode& node) {
  if (!node.info.toc.empty()) return To(node.info.toc);
  int main = MainNodeIndex(source);
  if (main < 0 || main == nodeIndex) return {};
  return To(NodeName(source, main, node.charset));
}

NavTarget Browse(const GuideSource& source, int nodeIndex, const DisplayNode& node, const std::string& named,
                 int step) {
  if (!named.empty()) {
    if (NamesNode(source, named, nodeIndex, node.charset)) return {};
    return To(named);
  }
  int neighbour = nodeIndex + step;
  if (neighbour < 0 || neighbour >= static_cast<int>(source.nodes.size())) return {};
  return To(NodeName(source, neighbour, node.charset));
}

NavTarget IfSet(const std::string& target) { return target.empty() ? NavTarget{} : To(target); }

}  // namespace

std::string_view NavButtonLabel(NavButton button) { return kLabels[static_cast<int>(button)]; }

int MainNodeIndex(const GuideSource& source) {
  if (source.nodes.empty()) return -1;
  int main = FindNode(source, "Main");
  return main >= 0 ? main : 0;
}

Navigation NavigationFor(const GuideSource& source, int nodeIndex, const DisplayNode& node, bool canRetrace) {
  Navigation bar;
  auto set = [&](NavButton button, NavTarget target) {
    bar.buttons[static_cast<int>(button)] = std::move(target);
  };
  set(NavButton::Contents, Contents(source, nodeIndex, node));
  set(NavButton::Index, IfSet(node.info.index));
  set(NavButton::Help, IfSet(node.info.help));
  set(NavButton::Retrace, {canRetrace, {}});
  set(NavButton::BrowsePrevious, Browse(source, nodeIndex, node, node.info.prev, -1));
  set(NavButton::BrowseNext, Browse(source, nodeIndex, node, node.info.next, +1));
  return bar;
}

}  // namespace folioteer
