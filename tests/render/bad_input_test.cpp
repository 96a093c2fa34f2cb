// Input that would hang, exhaust memory or crash a careless renderer: it
// renders, within bounds the size of the guide sets.
#include <gtest/gtest.h>

#include "nodes/scanner.h"
#include "render/macros.h"
#include "render_test_util.h"

namespace folioteer {
namespace {

using namespace std::string_literals;
using testing::PlainTextOf;
using testing::RenderGuideNode;
using testing::RenderText;

std::string Repeat(std::string_view piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text.append(piece);
  return text;
}

TEST(RenderBadInput, LongRunsOfAttributes) {
  DisplayNode node = RenderText(Repeat("@{b}", 20000) + "x" + Repeat("@{fg shine}@{ub}", 20000) + "y\n");
  EXPECT_EQ(PlainText(node), "xy\n");
  EXPECT_EQ(node.paragraphs[0].spans.size(), 2u);
}

TEST(RenderBadInput, MacrosThatExpandToThemselvesStop) {
  struct Case {
    const char* header;
    RenderIssueKind issue;
  } cases[] = {
      {"@macro m \"@{m}\"\n", RenderIssueKind::MacroTooDeep},
      {"@macro m \"x@{m}@{m}\"\n", RenderIssueKind::MacroBudgetUsed},
      {"@macro a \"@{b}\"\n@macro b \"a@{a}\"\n", RenderIssueKind::MacroTooDeep},
      {"@macro m \"@{m $1$1$1$1$1$1$1$1$1}\"\n", RenderIssueKind::MacroBudgetUsed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.header);
    DisplayNode node = RenderText("<@{m 0123456789}@{a}>\n", c.header);
    std::string plain = PlainText(node);
    EXPECT_TRUE(plain.starts_with("<")) << plain.substr(0, 40);
    EXPECT_TRUE(plain.ends_with(">\n"));
    EXPECT_LT(plain.size(), static_cast<size_t>(kExpansionBudgetBase));
    bool reported = false;
    for (const RenderIssue& issue : node.issues) reported = reported || issue.kind == c.issue;
    EXPECT_TRUE(reported);
    EXPECT_LE(node.issues.size(), kMaxRenderIssues);
  }
}

TEST(RenderBadInput, ALargeMacroCalledOftenStopsAtTheBudget) {
  std::string header = "@macro big \"" + std::string(256 << 10, 'x') + "\"\n";
  DisplayNode node = RenderText(Repeat("@{big}", 20000) + "\n", header);
  EXPECT_LE(PlainText(node).size(),
            static_cast<size_t>(kExpansionBudgetBase + kExpansionBudgetPerByte * 200000));
  ASSERT_EQ(node.issues.size(), 1u);
  EXPECT_EQ(node.issues[0].kind, RenderIssueKind::MacroBudgetUsed);
}

TEST(RenderBadInput, HugeTabStopsIndentsAndWidthsAreCapped) {
  std::string stops;
  for (int i = 1; i <= 10000; ++i) stops += " " + std::to_string(i * 7);
  DisplayNode node = RenderText("@{settabs" + stops + "}\tx\n");
  EXPECT_EQ(PlainText(node), "       x\n");
  EXPECT_LE(node.tabStopSets.back().stops.size(), static_cast<size_t>(kMaxColumn));
  EXPECT_EQ(node.tabStopSets.back().stops.back(), kMaxColumn);

  EXPECT_EQ(PlainTextOf("@{lindent 2000000000}x\n"), std::string(kMaxColumn, ' ') + "x\n");
  EXPECT_EQ(PlainTextOf("@{lindent 99999999999999999999999}@{pari -2000000000}x@{par}y\n"),
            std::string(kMaxColumn, ' ') + "x\ny\n");
  EXPECT_EQ(PlainTextOf("\tx\n", "@tab 2000000000\n"), std::string(kMaxColumn, ' ') + "x\n");
  EXPECT_EQ(PlainTextOf("\tx\n", "@tab 0\n"), "        x\n");
  EXPECT_EQ(PlainTextOf("@{apen 99999999999}@{bpen -1}x\n"), "x\n");
  EXPECT_EQ(RenderText("x\n", "@font topaz.font 99999999999\n").font.pixelHeight, 255);
}

TEST(RenderBadInput, BrokenLinksAndAttributes) {
  DisplayNode node = RenderText("@{\"x\" link}@{\"\" link}@{\"unclosed label\n@{\n@{\"a\" link \"b\n");
  EXPECT_EQ(PlainText(node), "xunclosed label\n\na\n");
  ASSERT_EQ(node.links.size(), 4u);
  EXPECT_EQ(PlainTextOf("ends in @{"), "ends in \n");
  EXPECT_EQ(PlainTextOf("ends in \\"), "ends in \n");
}

TEST(RenderBadInput, ControlBytesAndNul) {
  std::string bytes;
  for (int byte = 0x80; byte <= 0x9F; ++byte) bytes.push_back(static_cast<char>(byte));
  bytes +=
      "\0\x01\x1b[1m\x9b"
      "0m"s;
  std::string guide =
      "@database \x9b\0\n@macro \x80 \"\x81\0\"\n@node \x85\0\n"s + bytes + "@{\x80}\n@endnode\n";
  GuideSource source = ReadGuideSource(guide);
  ASSERT_EQ(source.nodes.size(), 1u);
  DisplayNode node = RenderNode(source, 0);
  std::string plain = PlainText(node);
  EXPECT_TRUE(IsValidUtf8(plain));
  EXPECT_EQ(node.info.title, "\xef\xbf\xbd\xef\xbf\xbd")
      << "control codes in a title are shown, not acted on";
  EXPECT_EQ(plain.find('\0'), std::string::npos);
  EXPECT_NE(plain.find("[1m"), std::string::npos);
}

// Regression: link labels kept their control characters raw and could
// break a line of folioview --text (in KOI8-R 0x80-0x9F are box drawing).
TEST(RenderBadInput, ALinkLabelShowsControlCharactersAsTextDoes) {
  const std::string controls = "a\x1b[1m\r\f\x07\x7f\x9b\x85\xe4z";
  const std::pair<Charset, std::string> cases[] = {
      {Charset::Latin1, controls},
      {Charset::Latin2, controls},
      {Charset::Koi8R, controls},
      {Charset::Utf8, "a\x1b[1m\r\f\xc2\x9b\xc2\x85\xc3\xa4\x85z"},
  };
  for (const auto& [charset, bytes] : cases) {
    SCOPED_TRACE(std::string(CharsetName(charset)));
    RenderOptions options;
    options.charset = charset;
    std::string text = PlainText(RenderGuideNode(testing::GuideWith(bytes), "Main", options));
    DisplayNode linked =
        RenderGuideNode(testing::GuideWith("@{\"" + bytes + "\" link Main}"), "Main", options);
    ASSERT_EQ(linked.links.size(), 1u);
    EXPECT_EQ(linked.links[0].label + "\n", text);
    for (size_t i = 0; i + 1 < text.size(); ++i) {
      auto byte = static_cast<unsigned char>(text[i]), next = static_cast<unsigned char>(text[i + 1]);
      EXPECT_FALSE(byte < 0x20 || byte == 0x7F || (byte == 0xC2 && next < 0xA0)) << text;
    }
  }
}

}  // namespace
}  // namespace folioteer
