#include "preview/preview.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "nodes/node_test_util.h"
#include "state/editor_state.h"
#include "support/channels.h"
#include "support/platform_paths.h"
#include "support/requesters.h"
#include "test_util.h"

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
  Editor().pubScreenName = "My Screen";  // a name with a blank stays one argument
  EXPECT_EQ(HelpArguments("a.guide"), "\"a.guide\" WINDOWWIDTH 800 WINDOWHEIGHT 600 PUBSCREEN \"My Screen\"");
  Editor() = EditorState{};
  SetProgramDirectory("");
}

// Waits (at most 10 s) for a file the started viewer writes.
bool AppearsSoon(const std::string& name) {
  for (int i = 0; i < 1000 && !FileExists(name); ++i) ::usleep(10000);
  return FileExists(name);
}

TEST(Preview, HelpStartsTheViewerWithoutAShellAndWithoutWaiting) {
  testing::TempDir bin;
  SetProgramDirectory(bin.Path());
  Editor().pubScreenName = "My Screen";
  std::string problem;
  // No viewer beside the program: a clear problem, nothing started.
  EXPECT_FALSE(HelpOn("PROGDIR:Folioteer.guide", &problem));
  EXPECT_EQ(PlainText(problem), "Cannot show the help: the viewer is missing: " + bin.File("folioview"));
  // The viewer stands in as a script that writes its arguments, one a line,
  // then takes its time; a file name with shell characters stays one word.
  testing::WriteFile(bin.File("folioview"),
                     "#!/bin/sh\nexec >/dev/null 2>&1\nprintf '%s\\n' \"$@\" >\"$0.tmp\" && mv \"$0.tmp\" "
                     "\"$0.args\"\nsleep 2\ntouch \"$0.done\"\n");
  ::chmod(bin.File("folioview").c_str(), 0755);
  EXPECT_FALSE(HelpOn("PROGDIR:Help $(x);.guide", &problem));
  EXPECT_EQ(PlainText(problem), "Cannot show the help: no readable file " + bin.File("Help $(x);.guide"));
  testing::WriteFile(bin.File("Help $(x);.guide"), "@database h\n");
  EXPECT_TRUE(HelpOn("PROGDIR:Help $(x);.guide", &problem)) << problem;
  EXPECT_FALSE(FileExists(bin.File("folioview.done")));  // HelpOn did not wait for the viewer
  ASSERT_TRUE(AppearsSoon(bin.File("folioview.args")));
  EXPECT_EQ(testing::ReadFile(bin.File("folioview.args")),
            bin.File("Help $(x);.guide") + "\nWINDOWWIDTH\n800\nWINDOWHEIGHT\n600\nPUBSCREEN\nMy Screen\n");
  // A viewer that cannot be started says why.
  ::chmod(bin.File("folioview").c_str(), 0644);
  EXPECT_FALSE(HelpOn("PROGDIR:Help $(x);.guide", &problem));
  EXPECT_EQ(PlainText(problem), "Cannot start the help viewer (Permission denied): " + bin.File("folioview"));
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
