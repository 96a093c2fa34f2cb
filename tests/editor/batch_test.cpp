#include "editor/batch.h"

#include <gtest/gtest.h>

#include "state/editor_state.h"
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
           {".select nodes\n", "1: .select takes a list (global, nodes, local, misspells) and a row"},
           {"# fine\n.frobnicate\n", "2: unknown directive \".frobnicate\""},
           {".press Frob\n", "1: .press takes the name of a control (see README.md)"},
           {".press NodeList\n", "1: .press NodeList is no button: use .popup or .select"},
           {".press Ok\n", "1: .press Ok: a dialog is answered with .dialog"},
           {".popup add-node 1\n", "1: .popup takes a pop-up (add-global, add-local, attributes) and a row"},
           {".menu \"Make Coffee\"\n", "1: .menu takes the label of a menu item (see README.md)"},
           {".close dialog\n", "1: .close takes a window (main, edit, spell, preview)"},
           {".dialog Strng=x\n", "1: .dialog takes FIELD=VALUE ... and ok or cancel"},
           {".dialog Num=x ok\n", "1: .dialog: Num takes a number"},
           {".dialog Op=HTTP ok\n", "1: .dialog: Op takes LINK, RX, RXS or SYSTEM"},
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

TEST(Batch, StateReportNamesEveryPartAndRefusesUnknownOnes) {
  DefaultHeadlessWindows().Reset();
  Editor() = EditorState{};
  std::string all = DescribeState("");
  size_t at = 0;
  for (const char* part : {"nodes (", "globals (", "locals (", "text\n", "next ", "status ", "enabled",
                           "checked", "misspells (", "main window", "preview closed", "settings "}) {
    size_t found = all.find(part, at);
    EXPECT_NE(found, std::string::npos) << part << " in order in\n" << all;
    if (found != std::string::npos) at = found;
  }
  EXPECT_EQ(all.find("shown"), std::string::npos);  // the preview's content only when asked
  EXPECT_EQ(DescribeState("status bogus"), "status 0\n(no part \"bogus\")\n");
}

}  // namespace
}  // namespace folioteer
