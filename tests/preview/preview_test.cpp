#include "preview/preview.h"

#include <gtest/gtest.h>

#include "nodes/node_test_util.h"
#include "state/editor_state.h"
#include "support/platform_paths.h"

namespace folioteer {
namespace {

TEST(Preview, HelpViewerArguments) {
  SetProgramDirectory("/opt/folioteer/bin");
  Editor().pubScreenName.clear();
  EXPECT_EQ(HelpArguments("PROGDIR:Folioteer.guide"),
            "\"/opt/folioteer/bin/Folioteer.guide\" WINDOWWIDTH 800 WINDOWHEIGHT 600");
  Editor().pubScreenName = "Work";
  EXPECT_EQ(HelpArguments("\"my help.guide\""),
            "\"my help.guide\" WINDOWWIDTH 800 WINDOWHEIGHT 600 PUBSCREEN Work");
  EXPECT_FALSE(HelpOn("PROGDIR:Folioteer.guide"));  // there is no viewer in /opt/folioteer/bin
  Editor() = EditorState{};
  SetProgramDirectory("");
}

class PreviewTest : public testing::OpenGuideTest {
 protected:
  void SetUp() override {
    Open("@database d\n@node MAIN \"Contents\"\nmain text\n@endnode\n@node One\none\n@endnode\n");
    InitPreview();
  }
  void TearDown() override {
    TermPreview();
    OpenGuideTest::TearDown();
  }
};

// The viewer may still be reading the file shown last while the next one is
// written, so each preview goes to the other file, and each file shown holds
// the node it was written for.
TEST_F(PreviewTest, TemporaryFilesAlternate) {
  std::string first = CurrentPreviewFile();
  EXPECT_NE(first.find("FolioteerTmp"), std::string::npos);
  EXPECT_TRUE(first.ends_with("0.guide"));
  EXPECT_TRUE(FileExists(first));  // made at start, for the first preview
  std::vector<std::string> shown;
  for (int node : {0, 1, 0}) {
    DoShow(FindNodeByIdx(node));
    const HeadlessWindows::Preview& preview = windows().PreviewRecord();
    shown.push_back(preview.file);
    EXPECT_NE(preview.content.find(node == 0 ? "main text" : "one\n"), std::string::npos) << preview.content;
  }
  std::string second = shown[1];
  EXPECT_TRUE(second.ends_with("1.guide"));
  EXPECT_EQ(shown, (std::vector<std::string>{first, second, first}));
  EXPECT_EQ(CurrentPreviewFile(), second);
  EXPECT_TRUE(IsShowOn());
  TermPreview();
  EXPECT_FALSE(IsShowOn());
  EXPECT_FALSE(FileExists(first));
  EXPECT_FALSE(FileExists(second));
}

}  // namespace
}  // namespace folioteer
