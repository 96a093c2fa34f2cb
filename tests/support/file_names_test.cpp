// Finding entries whatever their letter case, reading files whole without
// waiting on what is no regular file, and telling names of one file apart.
#include "support/file_names.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "test_util.h"

namespace folioteer {
namespace {

TEST(FileNames, EntriesAreFoundAsWrittenElseTheFirstOtherSpelling) {
  testing::TempDir dir;
  for (const char* name : {"Read.ME", "READ.me", "exact"}) testing::WriteFile(dir.File(name), "x");
  EXPECT_EQ(EntryIgnoringCase(dir.Path(), "exact"), "exact");
  EXPECT_EQ(EntryIgnoringCase(dir.Path(), "EXACT"), "exact");
  EXPECT_EQ(EntryIgnoringCase(dir.Path(), "read.me"), "READ.me");  // byte order: upper case first
  EXPECT_EQ(EntryIgnoringCase(dir.Path(), "read"), "");
  EXPECT_EQ(EntryIgnoringCase(dir.File("none"), "x"), "");
}

TEST(FileNames, RegularFilesAreReadWholeAndNothingElseIsWaitedFor) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("five"), "12345");
  ::mkfifo(dir.File("pipe").c_str(), 0600);
  std::string bytes;
  EXPECT_EQ(ReadRegularFile(dir.File("five"), 5, bytes), 0);
  EXPECT_EQ(bytes, "12345");
  EXPECT_EQ(ReadRegularFile(dir.File("five"), 4, bytes), EFBIG);
  EXPECT_EQ(ReadRegularFile(dir.File("pipe"), 5, bytes), ENODEV);
  EXPECT_EQ(ReadRegularFile(dir.Path(), 5, bytes), EISDIR);
  EXPECT_EQ(ReadRegularFile(dir.File("none"), 5, bytes), ENOENT);
}

TEST(FileNames, SplitAndExtension) {
  std::string dirPart, filePart;
  EXPECT_TRUE(SplitFileName("Work:Docs/demo.guide", dirPart, filePart));
  EXPECT_EQ(dirPart + "|" + filePart, "Work:Docs/|demo.guide");
  EXPECT_FALSE(SplitFileName("some/dir/", dirPart, filePart));
  EXPECT_EQ(WithExtension("a.b/notes", "rtf"), "a.b/notes.rtf");
  EXPECT_EQ(WithExtension("dir/", "rtf"), "");
}

// Two names of one file: equal names (also of a file not made yet), a
// second path to it, a hard link. The RTF export refuses to write over its
// guide by this.
TEST(FileNames, NamesOfTheSameFile) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("g.rtf"), "guide");
  testing::WriteFile(dir.File("other.rtf"), "guide");
  std::filesystem::create_hard_link(dir.File("g.rtf"), dir.File("link.rtf"));
  EXPECT_TRUE(NameTheSameFile(dir.File("g.rtf"), dir.Path() + "/./g.rtf"));
  EXPECT_TRUE(NameTheSameFile(dir.File("g.rtf"), dir.File("link.rtf")));
  EXPECT_FALSE(NameTheSameFile(dir.File("g.rtf"), dir.File("other.rtf")));
  EXPECT_FALSE(NameTheSameFile(dir.File("g.rtf"), dir.File("g.RTF")));
}

}  // namespace
}  // namespace folioteer
