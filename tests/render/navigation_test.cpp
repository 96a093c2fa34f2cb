// The six buttons of a reader's navigation bar, node by node through guides
// that set their targets and guides that leave them to the file order.
#include "render/navigation.h"

#include <gtest/gtest.h>

#include "render/renderer.h"

namespace folioteer {
namespace {

// Each button as "target" when enabled, "-" when not: the bar in one line.
std::string Bar(const GuideSource& source, std::string_view node, bool canRetrace = false) {
  int index = FindNode(source, node);
  EXPECT_GE(index, 0) << node;
  Navigation bar = NavigationFor(source, index, RenderNode(source, index), canRetrace);
  std::string line;
  for (const NavTarget& button : bar.buttons) {
    if (!line.empty()) line += " | ";
    line += !button.enabled ? "-" : button.target.empty() ? "on" : button.target;
  }
  return line;
}

TEST(Navigation, TargetsTheNodesAndTheDatabaseSet) {
  GuideSource source = ReadGuideSource(
      "@database set\n@index Idx\n@help \"Help me\"\n"
      "@node MAIN\n@toc MAIN\n@next Other/Node.guide/Far\nm\n@endnode\n"
      "@node Idx\n@prev Idx\n@next Idx\n@help Local\ni\n@endnode\n"
      "@node Last\n@toc Idx\n@prev main\nl\n@endnode\n");
  // A @toc keeps Contents on even in the node it names; a @next to another
  // guide is taken as written.
  EXPECT_EQ(Bar(source, "Main"), "MAIN | Idx | Help me | - | - | Other/Node.guide/Far");
  // @prev and @next that name the node itself switch Browse off; the node's
  // @help comes before the database's.
  EXPECT_EQ(Bar(source, "Idx"), "MAIN | Idx | Local | - | - | -");
  // @prev wins over the file order, also at the last node; Browse > falls
  // back to the order and stops there.
  EXPECT_EQ(Bar(source, "Last"), "Idx | Idx | Help me | - | main | -");
}

TEST(Navigation, ContentsFallsBackToTheFirstNodeWithoutMainAndNamesAreDecoded) {
  // The second node is "Müll" in ISO-8859-1.
  GuideSource source =
      ReadGuideSource("@database nomain\n@node Intro\na\n@endnode\n@node M\xFCll\nb\n@endnode\n");
  EXPECT_EQ(Bar(source, "Intro"), "- | - | - | - | - | M\u00FCll");
  EXPECT_EQ(Bar(source, "M\xFCll"), "Intro | - | - | - | Intro | -");
  EXPECT_EQ(Bar(ReadGuideSource("just some text\n"), "Main", true), "- | - | - | on | - | -");
}

}  // namespace
}  // namespace folioteer
