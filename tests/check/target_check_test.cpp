// Link targets decided as the viewer decides them: nodes of this guide by
// their decoded names, other files through Amiga paths from the guide's own
// folder and the volume table, files read once.
#include "check/target_check.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_util.h"

namespace folioteer {
namespace {

using testing::TempDir;
using testing::WriteFile;

class TargetCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir.File("guides/sub"));
    std::filesystem::create_directories(dir.File("volume"));
    WriteFile(dir.File("guides/Here.guide"),
              "@database h\n@node Main\n@endnode\n@node \"Caf\xe9\"\n@endnode\n");
    WriteFile(dir.File("guides/sub/There.guide"), "@database t\n@node Main\n@endnode\n@node Far\n@endnode\n");
    WriteFile(dir.File("guides/Empty.guide"), "@database e\n@author nobody\n");
    WriteFile(dir.File("guides/notes.txt"), "just text\n");
    WriteFile(dir.File("volume/Manual.guide"), "@database m\n@node Main\n@endnode\n");
    VolumeTable volumes = ParseVolumeTable("Docs: " + dir.File("volume") + "\n", "/home");
    checker = std::make_unique<TargetChecker>(std::move(volumes));
    here = std::make_shared<GuideSource>(ReadGuideSource(testing::ReadFile(dir.File("guides/Here.guide"))));
    checker->EnterGuide(dir.File("guides/Here.guide"), here);
  }
  // "" when the target can be shown, else the kind's name and the clause.
  std::string Problem(std::string_view file, std::string_view node, Charset charset = Charset::Latin1) {
    std::optional<TargetProblem> problem = checker->Check(file, node, charset);
    if (!problem) return "";
    return std::string(FindingKindName(problem->kind)) + ": " + problem->text;
  }

  TempDir dir;
  std::unique_ptr<TargetChecker> checker;
  std::shared_ptr<GuideSource> here;
};

TEST_F(TargetCheckTest, TargetsAsTheViewerFindsThem) {
  const std::tuple<std::string_view, std::string_view, std::string> cases[] = {
      {"", "main", ""},
      {"", "", ""},
      {"", "caf\xc3\xa9", ""},
      {"", "Nowhere", "missing-node: there is no node \"Nowhere\" in this guide"},
      {"sub/There.guide", "far", ""},
      {"SUB/THERE.GUIDE", "", ""},
      {"sub/There.guide", "Near", "missing-node-elsewhere: there is no node \"Near\" in \"sub/There.guide\""},
      {"here.guide", "Caf\xc3\xa9", ""},
      {"notes.txt", "any node", ""},
      {"Docs:Manual.guide", "Main", ""},
      {"Empty.guide", "Main", "missing-node-elsewhere: \"Empty.guide\" holds no node"},
      {"sub", "Main", "missing-file: \"sub\" is a folder (\"" + dir.File("guides/sub") + "\"), not a file"},
      {"Gone.guide", "Main",
       "missing-file: there is no file \"Gone.guide\" (looked for \"" + dir.File("guides/Gone.guide") +
           "\")"},
  };
  for (const auto& [file, node, problem] : cases)
    EXPECT_EQ(Problem(file, node), problem) << file << "/" << node;
  EXPECT_NE(Problem("Work:x.guide", "Main").find("missing-file: the volume \"Work:\""), std::string::npos);
}

TEST_F(TargetCheckTest, PathsStartFromTheGuidesFolderAndFilesAreReadOnce) {
  std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(dir.File("guides/sub"));
  checker->EnterGuide("There.guide", std::make_shared<GuideSource>(ReadGuideSource("@database t\n")));
  EXPECT_EQ(Problem("/Here.guide", "Main"), "") << "the parent of sub, whatever the working folder";
  std::filesystem::current_path(old);
  WriteFile(dir.File("guides/Here.guide"), "@database h\n@node Other\n@endnode\n");
  checker->EnterGuide(dir.File("guides/sub/There.guide"), here);
  EXPECT_EQ(Problem("/Here.guide", "Main"), "") << "the guide as it was read first";
  EXPECT_EQ(Problem("/Here.guide", "Other"),
            "missing-node-elsewhere: there is no node \"Other\" in \"/Here.guide\"");
}

}  // namespace
}  // namespace folioteer
