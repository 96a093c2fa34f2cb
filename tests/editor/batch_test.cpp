#include "editor/batch.h"

#include <gtest/gtest.h>

#include "ui/headless_windows.h"

namespace folioteer {
namespace {

// A script that does not fit is refused whole, with the line and the reason;
// the command-line tests show the unknown command, the long line, the NUL
// byte and the unended text through the program.
TEST(Batch, DirectivesThatDoNotFitAreRefusedWithTheirLine) {
  struct Case {
    std::string script, error;
  };
  for (const Case& c : std::vector<Case>{
           {"SAVE\n.cursor 1\n", "2: .cursor takes 2 numbers"},
           {"# fine\n.frobnicate\n", "2: unknown directive \".frobnicate\""},
           {".press NodeList\n", "1: .press NodeList is no button: use .popup or .select"},
           {".dialog Num=x ok\n", "1: .dialog: Num takes a number"},
       }) {
    std::string error;
    EXPECT_FALSE(ParseScript(c.script, error).has_value()) << c.script;
    EXPECT_EQ(error, c.error) << c.script;
  }
}

TEST(Batch, StepsKeepTheirLinesAndArguments) {
  std::string error;
  auto steps =
      ParseScript("; comment\r\nshownode NodePos 1\r\n.text <<EOT\na\n\nEOT\n.select misspells -1\n", error);
  ASSERT_TRUE(steps.has_value()) << error;
  ASSERT_EQ(steps->size(), 3u);
  EXPECT_EQ((*steps)[0].cmd, EditorCmd::ShowNode);
  EXPECT_EQ((*steps)[0].text, "NodePos 1");
  EXPECT_EQ((*steps)[0].line, 2);
  EXPECT_EQ((*steps)[1].text, "a\n");
  EXPECT_EQ((*steps)[2].numbers, (std::vector<int>{static_cast<int>(ListId::Misspells), -1}));
}

}  // namespace
}  // namespace folioteer
