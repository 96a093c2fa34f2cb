// Findings as lines a compiler would print: severities, safe messages and
// names, quoting with a bound, the viewer's sentences as clauses, line order.
#include "check/findings.h"

#include <gtest/gtest.h>

namespace folioteer {
namespace {

const std::string kReplacement = "\xef\xbf\xbd";

TEST(Findings, FormattedAsCompilersDoWithoutControlCharacters) {
  EXPECT_EQ(FormatFinding("a.guide", {12, FindingKind::MissingNode, "gone"}), "a.guide:12: error: gone");
  EXPECT_EQ(FormatFinding("dir/b.guide", {3, FindingKind::NoEndNode, "open"}),
            "dir/b.guide:3: warning: open");
  // A name keeps its bytes but its control characters; a message is made UTF-8.
  EXPECT_EQ(FormatFinding("x\n\x1b[1m\xe9.guide", {1, FindingKind::NoNode, "a\tb\x1b\xc2\x85\xe9"}),
            "x??[1m\xe9.guide:1: error: a" + kReplacement + "b" + kReplacement + kReplacement + kReplacement);
}

TEST(Findings, QuotedTextsAreSafeAndBounded) {
  EXPECT_EQ(Quoted("Main"), "\"Main\"");
  EXPECT_EQ(Quoted("a\nb"), "\"a" + kReplacement + "b\"");
  std::string longName(100000, 'n');
  longName.replace(0, 4, "head");
  longName.replace(longName.size() - 4, 4, "tail");
  std::string quoted = Quoted(longName);
  EXPECT_LE(quoted.size(), kMaxQuoted + 2);
  EXPECT_TRUE(quoted.starts_with("\"head")) << quoted;
  EXPECT_TRUE(quoted.ends_with("tail\"")) << quoted;
  EXPECT_NE(quoted.find("\u2026"), std::string::npos) << "the cut is shown";
  EXPECT_EQ(QuotedBytes("Gr\xfc\xdf"
                        "e",
                        Charset::Latin1),
            "\"Gr\xc3\xbc\xc3\x9f"
            "e\"");
}

TEST(Findings, TheViewersSentencesBecomeClauses) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"There is no file \"x\".", "there is no file \"x\""},
      {"ARexx is not here.", "ARexx is not here"},
  };
  for (auto [sentence, clause] : cases) EXPECT_EQ(AsClause(sentence), clause);
}

}  // namespace
}  // namespace folioteer
