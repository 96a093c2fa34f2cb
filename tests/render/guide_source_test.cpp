// The reader of guides for display: lines with their file numbers, what
// stands outside the nodes, nodes found by name whatever their case.
#include "render/guide_source.h"

#include <gtest/gtest.h>

namespace folioteer {
namespace {

std::vector<std::string> Lines(const std::vector<SourceLine>& lines) {
  std::vector<std::string> texts;
  for (const SourceLine& line : lines) texts.push_back(std::to_string(line.number) + ":" + line.text);
  return texts;
}

TEST(GuideSource, KeepsEveryLineOfANodeWithItsFileLineNumber) {
  GuideSource source = ReadGuideSource(
      "@database d\r\n@author me\nstray header text\n\n@node Main \"The main node\"\r\n@title T\n\n"
      "text\n  @toc x\n@endnode\nbetween nodes\n@node Second\nlast line without LF");
  EXPECT_TRUE(source.isGuide);
  ASSERT_EQ(source.nodes.size(), 2u);
  const SourceNode& main = source.nodes[0];
  EXPECT_EQ(main.name + "|" + main.title, "Main|The main node");
  EXPECT_EQ(std::pair(main.line, main.endLine), std::pair(5, 10));
  EXPECT_EQ(Lines(main.lines), (std::vector<std::string>{"6:@title T", "7:", "8:text", "9:  @toc x"}));
  const SourceNode& second = source.nodes[1];
  EXPECT_EQ(second.endLine, 0) << "no @endnode";
  EXPECT_EQ(Lines(second.lines), std::vector<std::string>{"13:last line without LF"});
  EXPECT_EQ(Lines(source.outsideLines),
            (std::vector<std::string>{"1:@database d", "2:@author me", "3:stray header text",
                                      "4:", "11:between nodes"}));
  EXPECT_EQ(source.databaseCommands.at(1).kind, AGCmdKind::Author);
}

TEST(GuideSource, FindsNodesWithoutRegardToCaseByTheirDecodedNames) {
  GuideSource source = ReadGuideSource("@database d\n@node Intro\n@node INTRO\n@node \"Two words\" t\n");
  EXPECT_EQ(FindNode(source, "iNtRo"), 0) << "the first of equal names";
  EXPECT_EQ(FindNode(source, "two WORDS"), 2);
  EXPECT_EQ(FindNode(source, "missing"), -1);
  GuideSource latin1 = ReadGuideSource("@database d\n@node Intro\n@node Caf\xe9\n");
  EXPECT_EQ(FindNode(latin1, "caf\xc3\xa9", Charset::Latin1), 1);
  EXPECT_EQ(FindNode(latin1, "Caf\xe9", Charset::Latin1), -1) << "the name is UTF-8, not the file's bytes";
  EXPECT_EQ(FindNode(latin1, "caf\xd0\x98", Charset::Koi8R), 1) << "0xE9 is a capital I in KOI8-R";
}

TEST(GuideSource, AFileThatIsNoGuideIsOneVerbatimNodeMain) {
  for (std::string text : {"plain text\n@node x\n", "", "\n@database later\n"}) {
    SCOPED_TRACE(text);
    GuideSource source = ReadGuideSource(text);
    EXPECT_FALSE(source.isGuide);
    ASSERT_EQ(source.nodes.size(), 1u);
    EXPECT_TRUE(source.nodes[0].verbatim);
    EXPECT_EQ(FindNode(source, "main"), 0);
  }
  EXPECT_TRUE(ReadGuideSource("  @DATABASE\r\n").isGuide);
}

TEST(GuideSource, EachSourceLineIsNumberedAsTheReaderNumbersIt) {
  const std::string bytes = "@database d\r\n\n@node Main\nx\r\r\n@endnode\nlast without LF\r";
  std::vector<std::string> lines;
  ForEachSourceLine(bytes, [&](int number, std::string_view text) {
    lines.push_back(std::to_string(number) + ":" + std::string(text));
  });
  EXPECT_EQ(lines, (std::vector<std::string>{"1:@database d", "2:", "3:@node Main", "4:x\r", "5:@endnode",
                                             "6:last without LF"}));
}

}  // namespace
}  // namespace folioteer
