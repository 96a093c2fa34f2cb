#include "guide/syntax.h"

#include <gtest/gtest.h>

#include "guide/syntax_tables.h"
#include "support/assert.h"
#include "test_util.h"

namespace folioteer {
namespace {

// Each broken table is refused with its own message.
TEST(Syntax, ConsistencyChecks) {
  struct Case {
    void (*breakIt)(SyntaxSource&);
    const char* message;
  };
  // clang-format off
  const Case cases[] = {
      // Rows 3 and 11 are the sets of Inline and Switch.
      {[](SyntaxSource& s) { s.cmdSets[3].members.clear(); }, "Bug in AmigaGuideSyntax InitCmdsModifiers"},
      {[](SyntaxSource& s) { s.cmdSets[11].members.pop_back(); }, "BUG:AGCmdModSets not set up correctly"},
      {[](SyntaxSource& s) { s.cmdKeywords.push_back({AGCmdKind::Tab, "@tab2", ""}); }, "Bug in AmigaGuideSyntax init"},
      {[](SyntaxSource& s) { s.cmdHints.push_back({AGCmdKind::Tab, {}}); }, "Bug in AmigaGuideSyntax InitCmdsHints"},
      {[](SyntaxSource& s) { s.attrHints.pop_back(); }, "Bug in AmigaGuideSyntax initCmdHints code"},
      {[](SyntaxSource& s) { s.linkOpHints.pop_back(); }, "Bug in AmigaGuideSyntax InitLinkOpHints code"},
  };
  // clang-format on
  EXPECT_NO_THROW(BuildSyntaxTables(DefaultSyntaxSource()));
  for (const Case& c : cases) {
    SyntaxSource source = DefaultSyntaxSource();
    c.breakIt(source);
    EXPECT_EQ(testing::AssertionMessage([&] { BuildSyntaxTables(source); }), c.message);
  }
}

}  // namespace
}  // namespace folioteer
