#include "support/channels.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "child_process.h"
#include "support/file_descriptor.h"
#include "support/file_names.h"
#include "support/platform_paths.h"
#include "test_util.h"

namespace folioteer {
namespace {

using testing::ChildUser;
using testing::Findings;
using testing::GiveToNobody;
using testing::Nobody;
using testing::ReadFile;
using testing::RunInChild;
using testing::TempDir;
using testing::WhyNotNobody;
using testing::WriteFile;

// kOpened and a successful close: 0; a failed close: -1; else the open result.
int Replace(const std::string& name, const std::string& text, Links links = Links::Follow) {
  Channel chan;
  int opened = OpenReplacement(chan, name, links);
  if (opened != kOpened) return opened;
  WriteText(chan, text);
  return CloseChannel(chan) ? 0 : -1;
}

struct stat Stat(const std::string& name) {
  struct stat info {};
  ::stat(name.c_str(), &info);
  return info;
}

size_t FilesIn(const std::string& dir) {
  return std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator());
}

std::vector<std::string> LinesOf(Channel& chan) {
  std::vector<std::string> lines;
  std::string line;
  while (ReadLine(chan, line) == ReadResult::AllRight) lines.push_back(line);
  return lines;
}

std::vector<std::string> ReadAllLines(const std::string& name) {
  Channel chan;
  EXPECT_EQ(OpenInput(chan, name), kOpened);
  std::vector<std::string> lines = LinesOf(chan);
  EXPECT_TRUE(CloseChannel(chan));
  return lines;
}

TEST(FileChannel, LinesKeepEveryByteButTheLineEnd) {
  TempDir dir;
  std::string huge(10 * 1024 * 1024, 'x');
  huge[5] = '\0';
  huge[6] = '\xe9';
  WriteFile(dir.File("f"), "a\r\nb\rc\n\n" + huge + "\nlast\r");
  // A CR ends the last line even without its LF, as the viewer reads it.
  EXPECT_EQ(ReadAllLines(dir.File("f")), (std::vector<std::string>{"a", "b\rc", "", huge, "last"}));
  Channel chan;
  EXPECT_EQ(OpenInput(chan, dir.Path()), kWrongFileType);
}

// An abandoned replacement is dropped (failed writes: the guide, icon and RTF saves).
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
  EXPECT_EQ(Stat(name).st_mode & 0777, 0640u);
  ASSERT_EQ(OpenReplacement(chan, name), kOpened);
  WriteText(chan, "discarded");
  AbandonChannel(chan);
  EXPECT_EQ(ReadFile(name), "new");
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(ReplacementFile, RefusedWhereTheSystemRefuses) {
  TempDir dir;
  Channel chan;
  // A path through a regular file fails for every user, root included.
  WriteFile(dir.File("plain"), "");
  EXPECT_EQ(OpenReplacement(chan, dir.File("plain/x.guide")), ENOTDIR);
  EXPECT_EQ(OpenReplacement(chan, dir.Path()), kWrongFileType);
  ::chmod(dir.Path().c_str(), 0555);
  std::string found = RunInChild(
      [&] {
        Channel refused;
        return OpenReplacement(refused, dir.File("x.guide")) == EACCES ? "" : "a new file in a locked folder";
      },
      ChildUser::NotRoot);
  EXPECT_EQ(found, "");
}

// Nothing here waits for a writer: FIFOs, devices and folders are refused at once.
TEST(FileChannel, RegularInputTakesOnlyRegularFiles) {
  TempDir dir;
  std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string found = RunInChild(
      [&] {
        Findings findings;
        Channel chan;
        findings.Check(OpenRegularInput(chan, fifo, MissingFile::Fail) == kWrongFileType, "a FIFO");
        FileDescriptor writer(::open(fifo.c_str(), O_RDWR));
        findings.Check(OpenRegularInput(chan, fifo, MissingFile::Create) == kWrongFileType,
                       "a FIFO with a writer");
        findings.Check(OpenRegularInput(chan, "/dev/null", MissingFile::Fail) == kWrongFileType, "a device");
        findings.Check(OpenRegularInput(chan, dir.Path(), MissingFile::Fail) == kWrongFileType, "a folder");
        return findings.Text();
      },
      ChildUser::Same, 5);
  EXPECT_EQ(found, "");
  Channel chan;
  EXPECT_EQ(OpenRegularInput(chan, dir.File("new"), MissingFile::Fail), ENOENT);
  EXPECT_FALSE(FileExists(dir.File("new")));
  ASSERT_EQ(OpenRegularInput(chan, dir.File("new"), MissingFile::Create), kOpened);
  CloseChannel(chan);
  EXPECT_TRUE(FileExists(dir.File("new")));
  WriteFile(dir.File("real"), "text\n");
  std::filesystem::create_symlink(dir.File("real"), dir.File("link"));
  ASSERT_EQ(OpenRegularInput(chan, dir.File("link"), MissingFile::Fail), kOpened);
  std::string line;
  EXPECT_EQ(ReadLine(chan, line), ReadResult::AllRight);
  EXPECT_EQ(line, "text");
  CloseChannel(chan);
  // Files written in places of their own are never written through a link.
  EXPECT_EQ(OpenOutput(chan, dir.File("link")), ELOOP);
  EXPECT_EQ(OpenInput(chan, dir.File("link"), Links::Refuse), ELOOP);
  EXPECT_EQ(ReadFile(dir.File("real")), "text\n");
}

// Root saved nobody's -rwsr-x--x p.guide as root's: a set-user-ID program of root's.
TEST(ReplacementFile, RootKeepsTheOwnerGroupAndModeOfAnotherUsersFile) {
  if (auto why = WhyNotNobody()) GTEST_SKIP() << *why;
  TempDir dir;
  std::string name = dir.File("p.guide");
  WriteFile(name, "old");
  GiveToNobody(name);
  ::chmod(name.c_str(), 04751);
  EXPECT_EQ(Replace(name, "new"), 0);
  struct stat info = Stat(name);
  EXPECT_EQ(info.st_uid, Nobody().uid);
  EXPECT_EQ(info.st_gid, Nobody().gid);
  EXPECT_EQ(info.st_mode & 07777, 04751u);
  EXPECT_EQ(ReadFile(name), "new");
}

// A user saving another user's file owns it then: the set-ID bits go with the old owner.
TEST(ReplacementFile, AnOwnerThatCannotBeKeptTakesTheSetIdBitsAlong) {
  if (auto why = WhyNotNobody()) GTEST_SKIP() << *why;
  TempDir dir;
  ::chmod(dir.Path().c_str(), 0777);
  std::string name = dir.File("shared.guide");
  WriteFile(name, "old");
  ::chmod(name.c_str(), 06777);
  std::string found = RunInChild(
      [&] {
        Findings findings;
        findings.Check(Replace(name, "new") == 0, "the save failed");
        struct stat info = Stat(name);
        findings.Check(info.st_uid == ::geteuid(), "the owner is not the one who saved it");
        findings.Check((info.st_mode & 07777) == 0777, "mode " + std::to_string(info.st_mode & 07777));
        return findings.Text();
      },
      ChildUser::Nobody);
  EXPECT_EQ(found, "");
}

// A save through one name did not reach the file's other names: now it is written in place.
TEST(ReplacementFile, AFileWithHardLinksIsWrittenInPlace) {
  TempDir dir;
  std::string name = dir.File("p.guide"), other = dir.File("hard.guide");
  WriteFile(name, "the old text, longer than the new");
  ASSERT_EQ(::link(name.c_str(), other.c_str()), 0);
  ino_t inode = Stat(name).st_ino;
  EXPECT_EQ(Replace(name, "new"), 0);
  EXPECT_EQ(ReadFile(name), "new");
  EXPECT_EQ(ReadFile(other), "new");
  EXPECT_EQ(Stat(name).st_ino, inode);
  EXPECT_EQ(FilesIn(dir.Path()), 2u);  // no temporary copy left
}

// A failed write in place is reported, whether in the copy or over the file.
TEST(ReplacementFile, AFailedWriteInPlaceIsReported) {
  TempDir dir;
  std::string name = dir.File("p.guide"), other = dir.File("hard.guide");
  WriteFile(name, "old");
  ASSERT_EQ(::link(name.c_str(), other.c_str()), 0);
  SimulateWriteFailure(3, ENOSPC);
  EXPECT_EQ(Replace(name, "the new text"), -1);
  EXPECT_EQ(ReadFile(other), "old");
  SimulateWriteFailure(std::string("the new text").size() + 2, ENOSPC);
  EXPECT_EQ(Replace(name, "the new text"), -1);
  SimulateWriteFailure(-1, 0);
  EXPECT_EQ(FilesIn(dir.Path()), 2u);
  EXPECT_EQ(Replace(name, "the new text"), 0);
  EXPECT_EQ(ReadFile(other), "the new text");
}

// A guide in a folder its user may not write went wrong: now it is written in place.
TEST(ReplacementFile, AFileInAFolderThatMayNotBeWrittenIsWrittenInPlace) {
  TempDir dir, scratch;
  GiveToNobody(scratch.Path());
  std::string name = dir.File("w.guide");
  WriteFile(name, "old");
  GiveToNobody(name);
  ::chmod(dir.Path().c_str(), 0555);
  ino_t inode = Stat(name).st_ino;
  std::string found = RunInChild(
      [&] {
        ::setenv("TMPDIR", scratch.Path().c_str(), 1);
        Findings findings;
        findings.Check(Replace(name, "new") == 0, "the save failed");
        findings.Check(ReadFile(name) == "new", "the text is " + ReadFile(name));
        findings.Check(FilesIn(TempDirectory()) == 0, "a temporary copy is left in T:");
        Channel chan;
        ::chmod(name.c_str(), 0444);
        findings.Check(OpenReplacement(chan, name) == EACCES, "a read-only file was taken");
        return findings.Text();
      },
      ChildUser::NotRoot);
  EXPECT_EQ(found, "");
  EXPECT_EQ(Stat(name).st_ino, inode);
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

// A link is followed (the link stays), but not with Links::Refuse nor one another
// user put into a sticky world-writable folder such as /tmp.
TEST(ReplacementFile, LinksAndFilesThatAreNotRegular) {
  TempDir dir;
  std::string target = dir.File("target.guide"), link = dir.File("link.guide");
  WriteFile(target, "old");
  std::filesystem::create_symlink(target, link);
  EXPECT_EQ(Replace(link, "new"), 0);
  EXPECT_EQ(ReadFile(target), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(Replace(link, "refused", Links::Refuse), ELOOP);
  std::string fifo = dir.File("pipe.guide");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(Replace(fifo, "refused"), kWrongFileType);
  if (auto why = WhyNotNobody()) GTEST_SKIP() << *why;
  ::chmod(dir.Path().c_str(), 01777);
  GiveToNobody(link);
  EXPECT_EQ(Replace(link, "refused"), ELOOP);
  EXPECT_EQ(ReadFile(target), "new");
}

}  // namespace
}  // namespace folioteer
