#include "icons/project_icon.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "icon_samples.h"
#include "support/channels.h"

namespace folioteer {
namespace {

using testing::CorpusIcon;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr auto kKeep = DefaultToolMode::KeepExisting;
constexpr auto kMerge = ToolTypeMerge::Merge;
const std::optional<std::vector<std::string>> kNoToolTypes;

// The save step's call.
int SaveStepIcon(const std::string& guide) {
  return WriteProjIcon(guide, kProjectIconTool, kNoToolTypes, -1, -1, kKeep, kMerge);
}

// A file's identity and time: an icon that is not written keeps all three.
struct Stamp {
  ino_t inode;
  int64_t seconds;
  std::string bytes;
  friend bool operator==(const Stamp&, const Stamp&) = default;
};

// Puts the file's time far back, so that a rewrite cannot hide in the clock's resolution.
Stamp StampOf(const std::string& name) {
  struct stat info {};
  EXPECT_EQ(::stat(name.c_str(), &info), 0);
  return {info.st_ino, info.st_mtim.tv_sec, ReadFile(name)};
}

Stamp Age(const std::string& name) {
  timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
  EXPECT_EQ(::utimensat(AT_FDCWD, name.c_str(), times, 0), 0);
  return StampOf(name);
}

IconFile ReadIcon(const std::string& name) {
  IconFile icon;
  EXPECT_EQ(ParseIcon(ReadFile(name), icon), 0) << name;
  return icon;
}

// The bytes of the default icon are also pinned by the end-to-end case
// saving/icons.
TEST(ProjectIcon, GuideWithoutIconGetsTheDefaultProjectIconOnce) {
  TempDir dir;
  std::string guide = dir.File("Notes.guide");
  WriteFile(guide, "@database Notes\n");
  ASSERT_EQ(SaveStepIcon(guide), 0);
  IconFile icon = ReadIcon(guide + ".info");
  EXPECT_EQ(icon.read.defaultTool, kProjectIconTool);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);  // no temporary left
  Stamp first = Age(guide + ".info");
  ASSERT_EQ(SaveStepIcon(guide), 0);
  EXPECT_EQ(StampOf(guide + ".info"), first);
}

TEST(ProjectIcon, EmptyDefaultToolIsSetAndWritten) {
  const std::string base = DefaultProjectIcon("");
  std::string pointerOnly = base;
  PutU32(pointerOnly, 0x32, 0x1234);
  std::vector<std::pair<std::string, std::string>> cases{{"no tool", base}};
  cases.push_back({"a tool of one NUL", pointerOnly + std::string("\0\0\0\1\0", 5)});
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    TempDir dir;
    std::string guide = dir.File("Empty.guide");
    WriteFile(guide + ".info", bytes);
    ASSERT_EQ(SaveStepIcon(guide), 0);
    IconFile icon = ReadIcon(guide + ".info");
    EXPECT_EQ(icon.read.defaultTool, kProjectIconTool);
    EXPECT_EQ(icon.bytes.substr(0, 0x32), bytes.substr(0, 0x32));
    EXPECT_EQ(icon.bytes.substr(78, 148), bytes.substr(78, 148));  // the image
  }
}

// An icon asked for what it has is not written; the save step leaves any tool alone.
TEST(ProjectIcon, CorpusIconsAreNotWrittenWhenNothingChanges) {
  for (const std::string& name : testing::CorpusIconNames()) {
    SCOPED_TRACE(name);
    TempDir dir;
    std::string guide = dir.File("Doc.guide");
    WriteFile(guide + ".info", CorpusIcon(name));
    IconFile icon = ReadIcon(guide + ".info");
    Stamp before = Age(guide + ".info");
    EXPECT_EQ(WriteProjIcon(guide, icon.read.defaultTool.value_or(""), kNoToolTypes, icon.read.x, icon.read.y,
                            DefaultToolMode::Replace, kMerge),
              0);
    EXPECT_EQ(StampOf(guide + ".info"), before);
    EXPECT_EQ(SaveStepIcon(guide), 0);
    if (IconHasDefaultTool(icon.read)) {
      EXPECT_EQ(StampOf(guide + ".info"), before);
    }
    EXPECT_EQ(ReadIcon(guide + ".info").read.defaultTool,
              IconHasDefaultTool(icon.read) ? *icon.read.defaultTool : kProjectIconTool);
  }
}

TEST(ProjectIcon, ReplaceModeAndPositionsChangeTheIcon) {
  TempDir dir;
  std::string guide = dir.File("Doc.guide");
  WriteFile(guide + ".info", CorpusIcon("smartreadargs-project.info"));
  ASSERT_EQ(WriteProjIcon(guide, kProjectIconTool, kNoToolTypes, 100, -1, DefaultToolMode::Replace, kMerge),
            0);
  IconFile icon = ReadIcon(guide + ".info");
  EXPECT_EQ(icon.read.defaultTool, kProjectIconTool);
  EXPECT_EQ(icon.read.x, 100);
  EXPECT_EQ(icon.read.y, 0x5d);
  ASSERT_EQ(WriteProjIcon(guide, "", kNoToolTypes, -5, 7, kKeep, kMerge), 0);
  icon = ReadIcon(guide + ".info");
  EXPECT_EQ(icon.read.defaultTool, kProjectIconTool);
  EXPECT_EQ(icon.read.x, 100);
  EXPECT_EQ(icon.read.y, 7);
}

TEST(ProjectIcon, MergesToolTypesBeforeNewIconsImageLines) {
  const std::vector<std::string> newIcons{" ", "*** DON'T EDIT THE FOLLOWING LINES!! ***", "IM1=abc"};
  struct Case {
    std::vector<std::string> existing, given;
    ToolTypeMerge merge;
    std::vector<std::string> result;
  };
  const std::vector<Case> table{
      {{"PUBSCREEN=Work", "DONOTWAIT"},
       {"pubscreen=Other", "FONT=topaz"},
       kMerge,
       {"pubscreen=Other", "DONOTWAIT", "FONT=topaz"}},
      {{"A=1", " ", newIcons[1], newIcons[2]},
       {"B=2"},
       kMerge,
       {"A=1", "B=2", " ", newIcons[1], newIcons[2]}},
      {{"A=1", " ", newIcons[1], newIcons[2]},
       {"B=2"},
       ToolTypeMerge::Replace,
       {"B=2", " ", newIcons[1], newIcons[2]}},
  };
  for (const Case& row : table) EXPECT_EQ(MergeToolTypes(row.existing, row.given, row.merge), row.result);

  TempDir dir;
  std::string guide = dir.File("New.guide");
  WriteFile(guide + ".info", CorpusIcon("newicons-project.info"));
  IconFile old = ReadIcon(guide + ".info");
  ASSERT_EQ(WriteProjIcon(guide, "", std::vector<std::string>{"PUBSCREEN=Work"}, -1, -1, kKeep, kMerge), 0);
  IconFile merged = ReadIcon(guide + ".info");
  std::vector<std::string> expected{"PUBSCREEN=Work"};
  expected.insert(expected.end(), old.read.toolTypes->begin(), old.read.toolTypes->end());
  EXPECT_EQ(merged.read.toolTypes, expected);
  Stamp before = Age(guide + ".info");
  ASSERT_EQ(WriteProjIcon(guide, "", std::vector<std::string>{"pubscreen=Work"}, -1, -1, kKeep, kMerge), 0);
  EXPECT_NE(StampOf(guide + ".info"), before);  // the name's spelling is part of the text
}

TEST(ProjectIcon, FindsAnExistingIconWhateverItsLetterCase) {
  TempDir dir;
  std::string guide = dir.File("Notes.guide");
  WriteFile(dir.File("NOTES.GUIDE.INFO"), DefaultProjectIcon(""));
  EXPECT_EQ(IconFileName(guide), dir.File("NOTES.GUIDE.INFO"));
  ASSERT_EQ(SaveStepIcon(guide), 0);
  EXPECT_FALSE(FileExists(guide + ".info"));
  WriteFile(guide + ".info", "exact spelling wins");
  EXPECT_EQ(IconFileName(guide), guide + ".info");
}

TEST(ProjectIcon, DamagedIconsAreReportedAndLeftUntouched) {
  for (const testing::DamagedIcon& damaged : testing::DamagedIcons()) {
    SCOPED_TRACE(damaged.what);
    TempDir dir;
    std::string guide = dir.File("Bad.guide");
    WriteFile(guide + ".info", damaged.bytes);
    Stamp before = Age(guide + ".info");
    EXPECT_EQ(SaveStepIcon(guide), damaged.result);
    EXPECT_EQ(StampOf(guide + ".info"), before);
  }
}

TEST(ProjectIcon, ReportsSystemErrors) {
  TempDir dir;
  EXPECT_EQ(SaveStepIcon(dir.File("missing/Doc.guide")), ENOENT);
  std::filesystem::create_directory(dir.File("Dir.guide.info"));
  EXPECT_EQ(SaveStepIcon(dir.File("Dir.guide")), EISDIR);
  EXPECT_EQ(SaveStepIcon(""), EINVAL);
  EXPECT_EQ(WriteProjIcon(dir.File("Nul.guide"), std::string("a\0b", 3), kNoToolTypes, -1, -1, kKeep, kMerge),
            EINVAL);
  EXPECT_FALSE(FileExists(dir.File("Nul.guide.info")));
}

TEST(ProjectIcon, FailedWriteLeavesTheOldIcon) {
  TempDir dir;
  std::string guide = dir.File("Full.guide");
  SimulateWriteFailure(0, ENOSPC);
  EXPECT_EQ(SaveStepIcon(guide), ENOSPC);
  EXPECT_FALSE(FileExists(guide + ".info"));
  WriteFile(guide + ".info", DefaultProjectIcon(""));
  EXPECT_EQ(SaveStepIcon(guide), ENOSPC);
  SimulateWriteFailure(-1, 0);
  EXPECT_EQ(ReadFile(guide + ".info"), DefaultProjectIcon(""));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(ProjectIcon, PngIconsAreEditedInPlace) {
  TempDir dir;
  std::string guide = dir.File("Png.guide");
  std::string tags = testing::TextTag(0x8000100A, "") + testing::WordTag(0x8000100F, 4);
  WriteFile(guide + ".info", testing::PngIcon(&tags));
  ASSERT_EQ(SaveStepIcon(guide), 0);
  IconFile icon = ReadIcon(guide + ".info");
  EXPECT_EQ(icon.read.defaultTool, kProjectIconTool);
  Stamp before = Age(guide + ".info");
  ASSERT_EQ(SaveStepIcon(guide), 0);
  EXPECT_EQ(StampOf(guide + ".info"), before);
}

}  // namespace
}  // namespace folioteer
