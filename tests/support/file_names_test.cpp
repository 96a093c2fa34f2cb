// Finding entries whatever their letter case, and reading files whole
// without waiting on what is no regular file.
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
  EXPECT_EQ(EntryIgnoringCase(dir.Path() + "/", "Read.ME"), "Read.ME");
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

}  // namespace
}  // namespace folioteer
