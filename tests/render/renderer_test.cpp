// Golden tests of the renderer, grouped by rule: a node's text (and header)
// and the exact plain text a reader sees; runs where the model matters.
#include "render/renderer.h"

#include <gtest/gtest.h>

#include "render_test_util.h"

namespace folioteer {
namespace {

using testing::PlainTextOf;
using testing::RenderGuideNode;
using testing::RenderText;

struct GoldenCase {
  const char* rule;
  std::string header;
  std::string text;
  std::string expected;
};

void CheckGolden(const std::vector<GoldenCase>& cases) {
  for (const GoldenCase& golden : cases) {
    SCOPED_TRACE(golden.rule);
    EXPECT_EQ(PlainTextOf(golden.text, golden.header), golden.expected);
  }
}

// The spans of the first paragraph as "text|bits" items.
std::vector<std::string> StyledRuns(const DisplayNode& node, size_t paragraph = 0) {
  std::vector<std::string> runs;
  for (const Span& span : node.paragraphs.at(paragraph).spans)
    runs.push_back(span.text + "|" + std::to_string(span.style.bits));
  return runs;
}

TEST(Renderer, CommandLinesLeaveNoLineAndWithoutWrapEveryLineEndIsHard) {
  CheckGolden({
      {"known command", "", "a\n@title x\nb\n", "a\nb\n"},
      {"unknown command", "", "@frobnicate all\nline\n", "line\n"},
      {"a line starting with @{ is text", "", "@{b}bold\n", "bold\n"},
      {"only column one makes a command", "", "  @title x\n", "  @title x\n"},
      {"an escaped @ starts no command", "", "\\@title\n", "@title\n"},
      {"empty lines", "", "a\n\n\nb\n", "a\n\n\nb\n"},
      {"word wrap ends lines the same", "@wordwrap\n", "a\nb\n\nc\n", "a\nb\n\nc\n"},
  });
}

TEST(Renderer, SmartWrapJoinsLinesAndBreaksOnlyAtALineEndAfterALineEnd) {
  const std::string smart = "@smartwrap\n";
  CheckGolden({
      {"a LF b: one line", smart, "a\nb\n", "a b\n"},
      {"a LF LF b: b on the next line, no gap", smart, "a\n\nb\n", "a\nb\n"},
      {"a LF LF LF b: one empty line", smart, "a\n\n\nb\n", "a\n\nb\n"},
      {"a command line inside is a soft break", smart, "a\n@remark note\nb\n", "a b\n"},
      {"a command line leaves no line end of its own", smart, "a\n\n@remark\n\nb\n", "a\n\nb\n"},
      {"@{line} then LF: no space, no gap", smart, "a@{line}\nb\n", "a\nb\n"},
      {"@{line} then LF LF: one empty line", smart, "a@{line}\n\nb\n", "a\n\nb\n"},
      {"no space at a line start", smart, "\n\nx\ny\n", "\nx y\n"},
  });
}

TEST(Renderer, ANodeCannotSwitchOffADatabaseWrap) {
  // Header, node commands: the wrap of the text ("0" none, "1" word, "2" smart).
  const std::pair<const char*, const char*> cases[] = {{"", ""},
                                                       {"@wordwrap\n", ""},
                                                       {"", "@wordwrap\n"},
                                                       {"@wordwrap\n", "@smartwrap\n"},
                                                       {"@smartwrap\n", "@wordwrap\n"}};
  std::string wraps;
  for (const auto& [header, commands] : cases)
    wraps += std::to_string(
        static_cast<int>(RenderText(std::string(commands) + "text\n", header).paragraphs.at(0).wrap));
  EXPECT_EQ(wraps, "01122");
}

TEST(Renderer, ADatabaseCommandCountsForTheNodesAfterIt) {
  std::string guide =
      "@database t\n@node First\na\nb\n@endnode\n@smartwrap\n@tab 4\n@node Second\na\nb\n\tc\n@endnode\n";
  EXPECT_EQ(PlainText(RenderGuideNode(guide, "First")), "a\nb\n");
  EXPECT_EQ(PlainText(RenderGuideNode(guide, "Second")), "a b     c\n");
}

TEST(Renderer, LineAndParBreakAndParIndentsByPari) {
  CheckGolden({
      {"@{line}", "", "a@{line}b\n", "a\nb\n"},
      {"@{par} indents the next line by lindent plus pari", "", "@{lindent 2}@{pari 3}a@{par}b\nc\n",
       "  a\n     b\n  c\n"},
      {"negative pari hangs", "", "@{lindent 4}@{pari -2}a@{par}b\n", "    a\n  b\n"},
      {"pari set after @{par} waits for the next one", "", "a@{par}@{pari 3}b@{par}c\n", "a\nb\n   c\n"},
      {"@{par} in smart wrap leaves no empty line", "@smartwrap\n", "one\ntwo@{par}three\nfour\n",
       "one two\nthree four\n"},
      {"@{par} then an empty line", "@smartwrap\n", "one@{par}\n\ntwo\n", "one\n\ntwo\n"},
  });
}

TEST(Renderer, CodeBodyAndPardSwitchWrapping) {
  CheckGolden({
      {"@{code} makes every line end hard, @{body} restores", "@smartwrap\n",
       "a\nb\n@{code}\nc\nd\n@{body}\ne\nf\n", "a b\nc\nd\ne f\n"},
      {"@{pard} restores wrap and clears lindent", "@smartwrap\n", "@{lindent 3}@{code}x\n@{pard}y\nz\n",
       "   x\ny z\n"},
  });
  DisplayNode node = RenderText("@{b}@{fg shine}@{jcenter}x@{pard}y\n");
  ASSERT_EQ(node.paragraphs[0].spans.size(), 2u);
  EXPECT_EQ(node.paragraphs[0].spans[1].style, TextStyle());
  DisplayNode kept = RenderText("@{jcenter}@{pard}x\n");
  EXPECT_EQ(kept.paragraphs[0].justification, Justification::Center) << "@{pard} keeps justification";
}

TEST(Renderer, StyleBitsAreIndependentAndPlainClearsThem) {
  DisplayNode node = RenderText("a@{b}b@{i}c@{ub}d@{ui}e@{u}f@{plain}g@{B}h@{UB}i\n");
  EXPECT_EQ(PlainText(node), "abcdefghi\n");
  std::vector<std::string> expected = {"a|0", "b|1", "c|3", "d|2", "e|0", "f|4", "g|0", "h|1", "i|0"};
  EXPECT_EQ(StyledRuns(node), expected);
  EXPECT_EQ(StyledRuns(RenderText("Made with @{amigaguide}.\n")),
            (std::vector<std::string>{"Made with |0", "AmigaGuide(R)|1", ".|0"}));
}

TEST(Renderer, PensByNameAndNumber) {
  DisplayNode node = RenderText(
      "@{fg shine}a@{bg fill}b@{fg nosuch}c@{apen 5}@{bpen 13}d@{fg FillText}@{bg TEXT}e@{pard}f\n");
  std::vector<std::string> pens;
  for (const Span& span : node.paragraphs[0].spans)
    pens.push_back(span.text + ":" + std::to_string(span.style.fgPen) + "/" +
                   std::to_string(span.style.bgPen));
  EXPECT_EQ(pens, (std::vector<std::string>{"a:2/0", "bc:2/3", "d:5/13", "e:1/1", "f:1/0"}));
  EXPECT_EQ(PenColor(13), PenColor(5)) << "pens beyond the palette wrap as the hardware masks them";
}

TEST(Renderer, TabsGoToTheNextStop) {
  CheckGolden({
      {"TAB to every 8 columns", "", "a\tb\n", "a       b\n"},
      {"@{tab} is a TAB", "", "a@{tab}b\n", "a       b\n"},
      {"@tab sets the width", "@tab 4\n", "a\tb\n", "a   b\n"},
      {"a node's @tab", "", "@tab 3\n\tx\n", "   x\n"},
      {"settabs, then every @tab after the last", "", "@{settabs 3 10}a\tb\tc\td\n", "a  b      c       d\n"},
      {"settabs in any order", "", "@{settabs 10 3}\tx\ty\n", "   x      y\n"},
      {"settabs continues by @tab", "@tab 4\n", "@{settabs 5}\ta\tb\n", "     a   b\n"},
      {"cleartabs", "", "@{settabs 3}\tx@{cleartabs}\ty\n", "   x    y\n"},
      {"stops count from the left edge, indent included", "", "@{lindent 2}a\tb\n", "  a     b\n"},
      {"a tab at a stop goes to the next", "", "12345678\tx\n", "12345678        x\n"},
  });
}

TEST(Renderer, MacrosExpandInPlaceWithArguments) {
  CheckGolden({
      {"body with attributes", "@macro em \"@{b}$1@{ub}\"\n", "an @{em word} here\n", "an word here\n"},
      {"quoted arguments, any order", "@macro pair \"$2-$1\"\n", "@{pair a \"b c\"}\n", "b c-a\n"},
      {"missing arguments are empty", "@macro three \"[$1|$2|$3]\"\n", "@{three x}\n", "[x||]\n"},
      {"names ignore case", "@MACRO Em \"<$1>\"\n", "@{eM x}\n", "<x>\n"},
      {"a macro calls a macro", "@macro inner \"<$1>\"\n@macro outer \"@{inner $1}!\"\n", "@{outer hi}\n",
       "<hi>!\n"},
      {"a macro redefines a built-in", "@macro b \"BOLD\"\n", "@{b}x\n", "BOLDx\n"},
      {"the first definition stays", "@macro m \"one\"\n@macro M \"two\"\n", "@{m}\n", "one\n"},
      {"an expansion may break lines", "@macro hd \"@{jcenter}$1@{line}@{jleft}\"\n", "@{hd Title}text\n",
       "Title\ntext\n"},
      {"a body may hold a quoted link label", "@macro go \"@{\"$1\" link $1}\"\n", "@{go Intro}\n",
       "Intro\n"},
  });
  EXPECT_EQ(RenderText("@{go Intro}\n", "@macro go \"@{\"$1\" link $1}\"\n").links.at(0).node, "Intro");
}

// What each kind of link does is left to link_action_test.cpp and the golden pages.
TEST(Renderer, LinksShowTheirLabelsAndKeepTheirTargets) {
  DisplayNode node = RenderText(
      "See @{\"the intro\" link Intro} and @{\"x\" LINK \"other.guide/Main\" 12},"
      "@{\"old\",link y}@{\"web\" system OpenURL http://a.b/c}@{\"far\" alink \"Work:docs/a b.guide/Sub\"}"
      "@{\"f\" frob x}@{\"bare\"}\n");
  EXPECT_EQ(PlainText(node), "See the intro and x,oldwebfarfbare\n");
  std::vector<std::string> links;
  for (const Link& link : node.links)
    links.push_back(link.command + " " + link.file + "/" + link.node + ":" + std::to_string(link.lineNumber));
  EXPECT_EQ(links,
            (std::vector<std::string>{"link /Intro:0", "LINK other.guide/Main:12", "link /y:0", "system /:0",
                                      "alink Work:docs/a b.guide/Sub:0", "frob /:0", " /:0"}));
  EXPECT_EQ(node.links[0].line, 3) << "the file line of the link";
}

TEST(Renderer, BackslashShowsTheNextCharacter) {
  CheckGolden({
      {"\\\\ shows a backslash", "", "a\\\\b\n", "a\\b\n"},
      {"\\@ shows an @ and starts no attribute", "", "\\@{b}x\n", "@{b}x\n"},
      {"any other character", "", "\\q\\n\n", "qn\n"},
      {"a backslash at the line end shows nothing", "", "end\\\n", "end\n"},
  });
}

TEST(Renderer, UnknownAttributesAreNotShownAndAnUnclosedOneEndsAtTheLineEnd) {
  CheckGolden({
      {"unknown", "", "a@{foo bar}b\n", "ab\n"},
      {"a parameter attribute without its parameter", "", "a@{fg}@{lindent}b\n", "ab\n"},
      {"unclosed at the line end", "", "a@{b\nc\n", "a\nc\n"},
      {"an unclosed link still shows", "", "x @{\"lab\" link y\n", "x lab\n"},
  });
  DisplayNode node = RenderText("a@{b\nc\n");
  EXPECT_EQ(StyledRuns(node, 1), (std::vector<std::string>{"c|1"})) << "read as if closed at the line end";
  ASSERT_FALSE(node.issues.empty());
  EXPECT_EQ(node.issues[0].kind, RenderIssueKind::UnclosedAttribute);
  EXPECT_EQ(node.issues[0].line, 3);
}

TEST(Renderer, FontsComeFromTheNodeElseTheDatabase) {
  auto font = [](std::string_view text, std::string_view header) {
    FontRequest font = RenderText(text, header).font;
    return font.family + "/" + std::to_string(font.pixelHeight) +
           (font.hint == FontHint::Monospace ? " mono" : "");
  };
  EXPECT_EQ(font("x\n", "@font topaz.font 8\n"), "topaz/8 mono");
  EXPECT_EQ(font("@font \"Bitstream Vera Sans.font\" 15\nx\n", "@font XEN.font 9\n"),
            "Bitstream Vera Sans/15");
  EXPECT_FALSE(RenderText("x\n").font.IsSet());
}

TEST(Renderer, NodeInfoHoldsTheDisplayCommands) {
  // The targets of the bar's buttons are checked through the bar (navigation_test.cpp).
  std::string guide =
      "@database t\n@node Intro \"Intro title\"\n@title \"Better title\"\n"
      "@onopen \"open.rexx\"\n@onclose close.rexx\ntext\n@endnode\n@node Bare\n@endnode\n";
  NodeInfo info = RenderGuideNode(guide, "intro").info;
  EXPECT_EQ(info.name + "|" + info.title + "|" + info.onOpen + "|" + info.onClose,
            "Intro|Better title|open.rexx|close.rexx");
  EXPECT_EQ(RenderGuideNode(guide, "Bare").info.title, "Bare") << "no title: the name";
}

TEST(Renderer, ParagraphsKnowTheirFileLines) {
  std::vector<int> lines;
  for (const Paragraph& paragraph : RenderText("one\n@remark x\ntwo\n\nthree\n").paragraphs)
    lines.push_back(paragraph.line);
  EXPECT_EQ(lines, (std::vector<int>{3, 5, 6, 7}));
}

// The last switch, plain, pard and macros: the checker's golden styles.guide.
TEST(Renderer, StylesStillOnAtTheEndAreIssuesAtTheLineThatSwitchedThemOn) {
  using enum RenderIssueKind;
  EXPECT_EQ(RenderText("@{b}a@{ub} @{i}b@{ui} @{u}c@{uu} @{\"b\" link Main}\n").issues,
            std::vector<RenderIssue>{});
  EXPECT_EQ(
      RenderText("x\n@{u}@{i}@{b}\n").issues,
      (std::vector<RenderIssue>{{StyleOnAtEnd, 4, "b"}, {StyleOnAtEnd, 4, "i"}, {StyleOnAtEnd, 4, "u"}}));
}

}  // namespace
}  // namespace folioteer
