// The volume table file as users write it: names, directories, comments and
// the lines that do not fit.
#include "links/volume_table.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_util.h"

namespace folioteer {
namespace {

TEST(VolumeTable, ReadsNamesAndDirectoriesAndReportsWhatDoesNotFit) {
  VolumeTable table = ParseVolumeTable(
      "# Amiga volume   Linux directory\n"
      "Work:            /home/me/amiga/Work/\n"
      "\n"
      "; old name\n"
      "SYS:  ~/amiga/My System  \r\n"
      "HOME: ~\n"
      "work: /elsewhere\n"
      "Docs  /no/colon\n"
      "Rel: relative/dir\n"
      "Bad Name: /x\n"
      ": /empty\n",
      "/home/me");
  ASSERT_EQ(table.volumes.size(), 3u);
  EXPECT_EQ(table.volumes[0].directory, "/home/me/amiga/Work");
  EXPECT_EQ(table.volumes[1].directory, "/home/me/amiga/My System");
  EXPECT_EQ(FindVolume(table, "home")->directory, "/home/me");
  EXPECT_EQ(FindVolume(table, "Wor"), nullptr);
  ASSERT_EQ(table.problems.size(), 5u);
  EXPECT_EQ(table.problems[0], "line 7: work: is named on an earlier line");
  EXPECT_EQ(table.problems[1], "line 8: no \":\" after the volume name");
  EXPECT_EQ(table.problems[2].rfind("line 9: the directory of Rel: must be absolute", 0), 0u);
  EXPECT_EQ(table.problems[3].rfind("line 10: the volume name \"Bad Name\"", 0), 0u);
  EXPECT_EQ(table.problems[4].rfind("line 11: the volume name \"\"", 0), 0u);
}

TEST(VolumeTable, TheUsersTableLiesUnderTheConfigurationFolder) {
  testing::TempDir config;
  testing::ScopedEnv configHome("XDG_CONFIG_HOME", config.Path());
  EXPECT_EQ(VolumeTablePath(), config.File("Folioteer/Volumes"));
  std::filesystem::create_directories(config.File("Folioteer"));
  ::mkfifo(VolumeTablePath().c_str(), 0600);  // no writer: must not be waited for
  VolumeTable none = LoadVolumeTable();
  EXPECT_TRUE(none.volumes.empty() && none.problems.empty());
  std::filesystem::remove(VolumeTablePath());
  testing::WriteFile(VolumeTablePath(), "Work: /w\nnonsense\n");
  VolumeTable table = LoadVolumeTable();
  EXPECT_EQ(table.volumes.size(), 1u);
  EXPECT_EQ(table.problems.size(), 1u);
}

}  // namespace
}  // namespace folioteer
