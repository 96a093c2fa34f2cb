// Link targets where the checker's golden cases do not reach: nodes by their
// decoded names, a guide without nodes, paths from the guide's own folder
// whatever the working folder, files read once.
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
    WriteFile(dir.File("guides/Here.guide"),
              "@database h\n@node Main\n@endnode\n@node \"Caf\xe9\"\n@endnode\n");
    WriteFile(dir.File("guides/sub/There.guide"), "@database t\n@node Main\n@endnode\n");
    WriteFile(dir.File("guides/Empty.guide"), "@database e\n@author nobody\n");
    checker = std::make_unique<TargetChecker>();
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
      {"", "caf\xc3\xa9", ""},
      {"SUB/THERE.GUIDE", "", ""},
      {"here.guide", "Caf\xc3\xa9", ""},
      {"Empty.guide", "Main", "missing-node-elsewhere: \"Empty.guide\" holds no node"},
  };
  for (const auto& [file, node, problem] : cases)
    EXPECT_EQ(Problem(file, node), problem) << file << "/" << node;
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
