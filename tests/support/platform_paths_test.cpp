#include "support/platform_paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "support/env_vars.h"
#include "test_util.h"

namespace folioteer {
namespace {

using testing::TempDir;

class EnvironmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("XDG_RUNTIME_DIR");
    ::unsetenv("XDG_CONFIG_HOME");
  }
  TempDir runtime, config;
};

TEST_F(EnvironmentTest, AssignsMapToTheirDirectories) {
  SetProgramDirectory("/opt/folioteer/bin");
  EXPECT_EQ(ResolvePath("PROGDIR:Dictionary.wordlist"), "/opt/folioteer/bin/Dictionary.wordlist");
  EXPECT_EQ(ResolvePath("progdir:Folioteer.guide"), "/opt/folioteer/bin/Folioteer.guide");
  EXPECT_EQ(ResolvePath("APPDIR:Multiview"), "/opt/folioteer/bin/folioview");
  EXPECT_EQ(ResolvePath("ENV:Folioteer/FTSwitches"), runtime.Path() + "/Folioteer/FTSwitches");
  EXPECT_EQ(ResolvePath("ENVARC:Folioteer/FTSwitches"), config.Path() + "/Folioteer/FTSwitches");
  EXPECT_EQ(ResolvePath("/home/user/Notes.guide"), "/home/user/Notes.guide");
  SetProgramDirectory("");

  std::string temp = ResolvePath("T:FolioteerTmp1.guide");
  std::string tempDir = TempDirectory();
  EXPECT_EQ(temp, tempDir + "/FolioteerTmp1.guide");
  struct stat info {};
  ASSERT_EQ(::stat(tempDir.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(TempDirectory(), tempDir);  // made once per process
}

TEST_F(EnvironmentTest, VariablesReadEnvFirstThenEnvarc) {
  EXPECT_FALSE(GetVar("Folioteer/FTSwitches"));
  ASSERT_TRUE(SetVar("Folioteer/FTSwitches", "MAKEICONS AUTOPREVIEW", VarScope::Permanent));
  EXPECT_EQ(testing::ReadFile(config.File("Folioteer/FTSwitches")), "MAKEICONS AUTOPREVIEW");
  ASSERT_TRUE(SetVar("Folioteer/FTSwitches", "NOMAKEICONS", VarScope::Session));
  EXPECT_EQ(GetVar("Folioteer/FTSwitches"), "NOMAKEICONS");
  EXPECT_EQ(testing::ReadFile(config.File("Folioteer/FTSwitches")), "MAKEICONS AUTOPREVIEW");
  std::filesystem::remove(runtime.File("Folioteer/FTSwitches"));
  EXPECT_EQ(GetVar("Folioteer/FTSwitches"), "MAKEICONS AUTOPREVIEW");
}

TEST_F(EnvironmentTest, UnwritableLocationIsReported) {
  ::setenv("XDG_RUNTIME_DIR", (runtime.Path() + "/file/below").c_str(), 1);
  testing::WriteFile(runtime.File("file"), "");
  EXPECT_FALSE(SetVar("Folioteer/FTSwitches", "MAKEICONS", VarScope::Session));
}

}  // namespace
}  // namespace folioteer
