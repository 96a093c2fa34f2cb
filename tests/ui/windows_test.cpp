#include "ui/windows.h"

#include <gtest/gtest.h>

#include "guide/syntax.h"
#include "support/assert.h"
#include "ui/headless_windows.h"

namespace folioteer {
namespace {

class WindowsTest : public ::testing::Test {
 protected:
  void SetUp() override { windows.Reset(); }
  HeadlessWindows& windows = DefaultHeadlessWindows();
};

// Regression: a word the check listed without its quotes ('quoted' as
// quoted) was never found, the apostrophe not being a delimiter.
TEST_F(WindowsTest, MisspellingIsFoundAsTheCheckCutsWords) {
  struct Case {
    std::string text, word;
    std::vector<int> block;  // empty: nothing selected
  };
  for (const Case& c : std::vector<Case>{
           {"Teh cat\nteh\nsee teh, and tehx", "teh", {1, 0, 1, 3}},
           {"say 'quoted' or quoted", "quoted", {0, 5, 0, 11}},
           {"so ''x'' it", "'x'", {0, 4, 0, 7}},
           {"(don't) dont", "don't", {0, 1, 0, 6}},
       }) {
    windows.SetEditText(c.text);
    ShowMisspell(nullptr, c.word);
    int l1, c1, l2, c2;
    std::vector<int> block;
    if (GetSelectedBlock(l1, c1, l2, c2)) block = {l1, c1, l2, c2};
    EXPECT_EQ(block, c.block) << c.text;
  }
}

// Each row of a pop-up gives the command or attribute it shows.
TEST_F(WindowsTest, PopupRowsTranslateToWhatTheyShow) {
  for (CmdScope scope : {CmdScope::Global, CmdScope::Local}) {
    std::vector<std::string> rows = PopupRows(scope);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
      EXPECT_EQ(GetCmdName(TranslateCmdTable(scope, row)), rows[row]);
  }
  std::vector<std::string> attrs = AttrPopupRows();
  for (int row = 0; row < static_cast<int>(attrs.size()); ++row)
    EXPECT_EQ(GetAttrName(TranslateAttrTable(row)), attrs[row]);
  EXPECT_THROW(TranslateCmdTable(CmdScope::Global, 99), AssertionFailure);
}

}  // namespace
}  // namespace folioteer
