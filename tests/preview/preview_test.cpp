#include "preview/preview.h"

#include <gtest/gtest.h>

#include "state/editor_state.h"
#include "support/platform_paths.h"

namespace folioteer {
namespace {

TEST(Preview, HelpViewerArguments) {
  SetProgramDirectory("/opt/folioteer/bin");
  Editor().pubScreenName.clear();
  EXPECT_EQ(HelpArguments("PROGDIR:Folioteer.guide"), "\"/opt/folioteer/bin/Folioteer.guide\" WINDOWWIDTH 800 WINDOWHEIGHT 600");
  Editor().pubScreenName = "Work";
  EXPECT_EQ(HelpArguments("\"my help.guide\""), "\"my help.guide\" WINDOWWIDTH 800 WINDOWHEIGHT 600 PUBSCREEN Work");
  EXPECT_FALSE(HelpOn("PROGDIR:Folioteer.guide"));  // there is no viewer in /opt/folioteer/bin
  Editor() = EditorState{};
  SetProgramDirectory("");
}

TEST(Preview, TemporaryFilesAlternate) {
  InitPreview();
  std::string first = CurrentPreviewFile();
  EXPECT_NE(first.find("FolioteerTmp"), std::string::npos);
  EXPECT_TRUE(first.ends_with("0.guide"));
  EXPECT_TRUE(FileExists(first));  // made at start, for the first preview
  TermPreview();
  EXPECT_FALSE(FileExists(first));
}

}  // namespace
}  // namespace folioteer
