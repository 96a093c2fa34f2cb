#include "preview/preview.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "editor/batch.h"
#include "editor/main_program.h"
#include "editor/script.h"
#include "editor/settings/settings.h"
#include "nodes/node_test_util.h"
#include "state/editor_state.h"
#include "support/channels.h"
#include "support/platform_paths.h"
#include "support/requesters.h"
#include "test_util.h"

namespace folioteer {
namespace {

// PROGDIR: is found in ../share/folioteer beside an installed program.
TEST(Preview, HelpViewerArguments) {
  testing::TempDir prefix;
  std::filesystem::create_directories(prefix.File("bin"));
  std::filesystem::create_directories(prefix.File("share/folioteer"));
  testing::WriteFile(prefix.File("share/folioteer/Folioteer.guide"), "@database h\n");
  SetProgramDirectory(prefix.File("bin"));
  Editor().pubScreenName.clear();
  EXPECT_EQ(HelpArguments("PROGDIR:Folioteer.guide"),
            "\"" + prefix.File("share/folioteer/Folioteer.guide") + "\" WINDOWWIDTH 800 WINDOWHEIGHT 600");
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
  EXPECT_TRUE(FileExists(first));  // made at start, for the first preview
  std::vector<std::string> shown;
  for (int node : {0, 1, 0}) {
    DoShow(FindNodeByIdx(node));
    const HeadlessWindows::Preview& preview = windows().PreviewRecord();
    shown.push_back(preview.file);
    EXPECT_EQ(testing::ReadFile(preview.file), PreviewGuideText(FindNodeByIdx(node)));
  }
  std::string second = shown[1];
  EXPECT_NE(second, first);
  EXPECT_EQ(shown, (std::vector<std::string>{first, second, first}));
  EXPECT_EQ(CurrentPreviewFile(), second);
  EXPECT_TRUE(IsShowOn());
  TermPreview();
  EXPECT_FALSE(IsShowOn());
  EXPECT_FALSE(FileExists(first));
  EXPECT_FALSE(FileExists(second));
}

// The temporary files hold the user's unsaved text: no other user may read
// them, a link planted at a name is not written through, and a file the
// disk could not take whole is never shown as the node.
TEST_F(PreviewTest, TemporaryFilesArePrivateAndWholeOrNotShown) {
  DoShow(FindNodeByIdx(0));
  struct stat info {};
  ASSERT_EQ(::stat(windows().PreviewRecord().file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  std::string next = CurrentPreviewFile();
  testing::WriteFile(dir.File("target"), "kept");
  ASSERT_EQ(::symlink(dir.File("target").c_str(), next.c_str()), 0);
  EXPECT_EQ(testing::AssertionMessage([] { DoShow(FindNodeByIdx(1)); }),
            "FolioteerShow: cannot create temp file");
  EXPECT_EQ(testing::ReadFile(dir.File("target")), "kept");
  ::unlink(next.c_str());
  SimulateWriteFailure(10, ENOSPC);
  EXPECT_EQ(testing::AssertionMessage([] { DoShow(FindNodeByIdx(1)); }),
            "FolioteerShow: cannot write temp file");
  SimulateWriteFailure(-1, 0);
  EXPECT_EQ(windows().PreviewRecord().shown, 1);
  DoShow(FindNodeByIdx(1));
  EXPECT_EQ(windows().PreviewRecord().shown, 2);
}

// A preview window that fails as a window system can: with a failed
// assertion, or with an exception of a library.
class FailingPreview : public HeadlessWindows {
 public:
  explicit FailingPreview(bool assertion) : assertion_(assertion) {}
  void ShowPreview(std::string_view guideFile, std::string_view title) override {
    HeadlessWindows::ShowPreview(guideFile, title);
    files.emplace_back(guideFile);
    if (files.size() < 2) return;
    if (assertion_) AssertFail("preview window gone");
    throw std::bad_alloc();
  }
  std::vector<std::string> files;

 private:
  bool assertion_;
};

// A fatal error, whatever throws it, still ends the program properly: the
// user is asked whether to save and both temporary files are removed.
TEST(PreviewFiles, AFatalErrorRemovesTheTemporaryFiles) {
  testing::TempDir dir;
  testing::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path());
  testing::ScopedEnv config("XDG_CONFIG_HOME", dir.Path());
  std::string guide = dir.File("g.guide");
  for (bool assertion : {true, false}) {
    SCOPED_TRACE(assertion ? "assertion" : "exception");
    testing::WriteFile(guide, "@database g\n@node MAIN\nmain\n@endnode\n");
    FailingPreview failing(assertion);
    InstallWindowSystem(&failing);
    std::string error;
    auto steps = ParseScript("SHOWNODE NodePos 0\nDISPNODE\nDISPNODE\n", error);
    ASSERT_TRUE(steps.has_value()) << error;
    SetProgramArguments({guide, "NOMAKEICONS"});
    ::testing::internal::CaptureStderr();
    int status = RunBatch(std::move(*steps));
    std::string err = ::testing::internal::GetCapturedStderr();
    InstallWindowSystem(nullptr);
    SetProgramArguments({});
    EXPECT_EQ(status, kExitFatal);
    EXPECT_NE(err.find(assertion ? "preview window gone" : "Unexpected error: std::bad_alloc"),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("Save the AmigaGuide File?"), std::string::npos) << err;
    ASSERT_EQ(failing.files.size(), 2u);
    for (const std::string& file : failing.files) EXPECT_FALSE(FileExists(file)) << file;
  }
}

}  // namespace
}  // namespace folioteer
