#include "support/channels.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "support/file_names.h"
#include "test_util.h"

namespace folioteer {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::vector<std::string> ReadAllLines(const std::string& name) {
  Channel chan;
  EXPECT_EQ(OpenInput(chan, name), kOpened);
  std::vector<std::string> lines;
  std::string line;
  while (ReadLine(chan, line) == ReadResult::AllRight) lines.push_back(line);
  EXPECT_TRUE(CloseChannel(chan));
  EXPECT_FALSE(chan.Valid());
  return lines;
}

TEST(FileChannel, LinesKeepEveryByteButTheLineEnd) {
  TempDir dir;
  std::string huge(10 * 1024 * 1024, 'x');
  huge[5] = '\0';
  huge[6] = '\xe9';
  WriteFile(dir.File("f"), "a\r\nb\rc\n\n" + huge + "\nlast\r");
  std::vector<std::string> lines = ReadAllLines(dir.File("f"));
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "a");
  EXPECT_EQ(lines[1], "b\rc");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], huge);
  EXPECT_EQ(lines[4], "last\r");  // no LF follows, so the CR stays
}

TEST(FileChannel, NonEmptyLinesCountTheSkippedOnes) {
  TempDir dir;
  WriteFile(dir.File("f"), "one\n\n\n\ntwo\n\n");
  Channel chan;
  ASSERT_EQ(OpenInput(chan, dir.File("f")), kOpened);
  std::string line;
  int skipped = -1;
  EXPECT_EQ(ReadNonEmptyLine(chan, line, skipped), ReadResult::AllRight);
  EXPECT_EQ(skipped, 0);
  EXPECT_EQ(ReadNonEmptyLine(chan, line, skipped), ReadResult::AllRight);
  EXPECT_EQ(line, "two");
  EXPECT_EQ(skipped, 3);
  EXPECT_EQ(ReadNonEmptyLine(chan, line, skipped), ReadResult::EndOfInput);
  CloseChannel(chan);
}

TEST(FileChannel, OpenResults) {
  TempDir dir;
  Channel chan;
  EXPECT_EQ(OpenInput(chan, dir.File("missing")), ENOENT);
  EXPECT_FALSE(chan.Valid());
  EXPECT_EQ(OpenInput(chan, dir.Path()), kWrongFileType);
  EXPECT_EQ(OpenAppend(chan, dir.File("no/such/dir")), ENOENT);
  // Appending creates a missing file, and reading is allowed after a rewind.
  ASSERT_EQ(OpenAppend(chan, dir.File("new")), kOpened);
  std::string line;
  EXPECT_EQ(ReadLine(chan, line), ReadResult::EndOfInput);
  WriteText(chan, "@database");
  WriteLn(chan);
  Rewind(chan);
  EXPECT_EQ(ReadLine(chan, line), ReadResult::AllRight);
  EXPECT_EQ(line, "@database");
  EXPECT_TRUE(CloseChannel(chan));
}

// A failed write leaves the old file and no temporary: the guide, icon and
// RTF saves show it. An abandoned replacement is dropped even without an error.
TEST(ReplacementFile, CommitsOnCloseKeepingPermissionsOrIsAbandoned) {
  TempDir dir;
  std::string name = dir.File("Notes.guide");
  WriteFile(name, "old");
  ::chmod(name.c_str(), 0640);
  Channel chan;
  ASSERT_EQ(OpenReplacement(chan, name), kOpened);
  WriteText(chan, "new");
  EXPECT_EQ(ReadFile(name), "old");  // untouched until the close
  EXPECT_TRUE(CloseChannel(chan));
  EXPECT_EQ(ReadFile(name), "new");
  struct stat info {};
  ::stat(name.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  ASSERT_EQ(OpenReplacement(chan, name), kOpened);
  WriteText(chan, "discarded");
  AbandonChannel(chan);
  EXPECT_EQ(ReadFile(name), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(ReplacementFile, RefusedWhereTheSystemRefuses) {
  TempDir dir;
  Channel chan;
  // A path through a regular file fails for every user, root included.
  WriteFile(dir.File("plain"), "");
  EXPECT_EQ(OpenReplacement(chan, dir.File("plain/x.guide")), ENOTDIR);
  EXPECT_EQ(OpenReplacement(chan, dir.Path()), kWrongFileType);
  if (::geteuid() == 0) GTEST_SKIP() << "permission checks do not apply to root";
  ::chmod(dir.Path().c_str(), 0500);
  EXPECT_EQ(OpenReplacement(chan, dir.File("x.guide")), EACCES);
}

TEST(FileNames, SplitSizeAndExtension) {
  std::string dirPart, filePart;
  EXPECT_TRUE(SplitFileName("Work:Docs/demo.guide", dirPart, filePart));
  EXPECT_EQ(dirPart, "Work:Docs/");
  EXPECT_EQ(filePart, "demo.guide");
  EXPECT_FALSE(SplitFileName("some/dir/", dirPart, filePart));
  EXPECT_TRUE(SplitFileName("plain", dirPart, filePart));
  EXPECT_EQ(dirPart, "");
  EXPECT_EQ(WithExtension("Work:Docs/demo.guide", "rtf"), "Work:Docs/demo.rtf");
  EXPECT_EQ(WithExtension("a.b/notes", "rtf"), "a.b/notes.rtf");
  EXPECT_EQ(WithExtension("dir/", "rtf"), "");
  TempDir dir;
  WriteFile(dir.File("f"), "12345");
  EXPECT_EQ(FileSize(dir.File("f")), 5);
  EXPECT_FALSE(FileSize(dir.File("none")));
}

// Two names of one file: equal names (also of a file not made yet), a
// second path to it, a hard link. The RTF export refuses to write over its
// guide by this.
TEST(FileNames, NamesOfTheSameFile) {
  TempDir dir;
  WriteFile(dir.File("g.rtf"), "guide");
  WriteFile(dir.File("other.rtf"), "guide");
  std::filesystem::create_hard_link(dir.File("g.rtf"), dir.File("link.rtf"));
  EXPECT_TRUE(NameTheSameFile("not/yet.rtf", "not/yet.rtf"));
  EXPECT_TRUE(NameTheSameFile(dir.File("g.rtf"), dir.Path() + "/./g.rtf"));
  EXPECT_TRUE(NameTheSameFile(dir.File("g.rtf"), dir.File("link.rtf")));
  EXPECT_FALSE(NameTheSameFile(dir.File("g.rtf"), dir.File("other.rtf")));
  EXPECT_FALSE(NameTheSameFile(dir.File("g.rtf"), dir.File("g.RTF")));
}

TEST(TextInputChannel, ReadsLikeAFileOfTheSameBytes) {
  TempDir dir;
  for (const std::string& bytes : {std::string("a\r\nb\rc\n\nlast\r"), std::string("one\n"), std::string(""),
                                   std::string("x\0y\n\n\nz", 8)}) {
    WriteFile(dir.File("f"), bytes);
    std::vector<std::string> fromFile = ReadAllLines(dir.File("f"));
    Channel chan;
    ASSERT_EQ(OpenTextInput(chan, bytes), kOpened);
    std::vector<std::string> lines;
    std::string line;
    while (ReadLine(chan, line) == ReadResult::AllRight) lines.push_back(line);
    EXPECT_EQ(lines, fromFile);
    Rewind(chan);
    int skipped = 0;
    if (!lines.empty()) {
      ASSERT_EQ(ReadNonEmptyLine(chan, line, skipped), ReadResult::AllRight);
      EXPECT_EQ(line, lines.front());
    }
    EXPECT_TRUE(CloseChannel(chan));
  }
}

TEST(TextInputChannel, CharactersEndTheLastLineAndWritesFail) {
  Channel chan;
  ASSERT_EQ(OpenTextInput(chan, "ab"), kOpened);
  char text[8] = {};
  ReadResult result = ReadResult::Other;
  EXPECT_EQ(ReadChars(chan, text, sizeof text, result), 2u);
  EXPECT_EQ(std::string(text, 2), "ab");
  EXPECT_EQ(result, ReadResult::EndOfLine) << "as a file without a final LF";
  Skip(chan);
  char ch = 0;
  EXPECT_EQ(Look(chan, ch), ReadResult::EndOfInput);
  WriteText(chan, "x");
  EXPECT_EQ(ChannelError(chan), EBADF);
  EXPECT_FALSE(CloseChannel(chan));
}

}  // namespace
}  // namespace folioteer
