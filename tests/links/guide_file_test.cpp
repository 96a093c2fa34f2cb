// Reading files for the reader: guides, other text, binary files, and the
// files that must never be read (folders, pipes, devices).
#include "links/guide_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "test_util.h"

namespace folioteer {
namespace {

TEST(GuideFile, ReadsGuidesAndOtherTextWhole) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("a.guide"), "@database a\n@node Main\nhello\n@endnode\n");
  testing::WriteFile(dir.File("notes.txt"), "plain\ttext\n\x1b[1mbold\n");
  GuideFile guide = ReadGuideFile(dir.File("a.guide"));
  ASSERT_EQ(guide.outcome, FileReadOutcome::Read);
  EXPECT_TRUE(guide.source->isGuide);
  GuideFile text = ReadGuideFile(dir.File("notes.txt"));
  ASSERT_EQ(text.outcome, FileReadOutcome::Read);
  EXPECT_FALSE(text.source->isGuide || text.binary);
}

// The source keeps the start of a binary file; the bytes handed back hold all of it.
TEST(GuideFile, BinaryFilesAreKeptToTheirStart) {
  testing::TempDir dir;
  std::string binary(200000, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 7);
  testing::WriteFile(dir.File("prog"), binary);
  std::string bytes = "left over";
  GuideFile file = ReadGuideFile(dir.File("prog"), bytes);
  ASSERT_EQ(file.outcome, FileReadOutcome::Read);
  EXPECT_TRUE(file.binary);
  EXPECT_TRUE(file.cut);
  EXPECT_EQ(bytes, binary);
  size_t kept = 0;
  for (const SourceLine& line : file.source->nodes.at(0).lines) kept += line.text.size() + 1;
  EXPECT_LE(kept, kMaxBinaryShownBytes + 1);
  EXPECT_NE(ReadNote(file).find("not a guide and not text; it is shown as text, its first 64 KB only."),
            std::string::npos);
  EXPECT_EQ(ReadGuideFile(dir.File("none"), bytes).outcome, FileReadOutcome::Missing);
  EXPECT_EQ(bytes, "");
  // A guide stays a guide whatever bytes it holds.
  testing::WriteFile(dir.File("odd.guide"), std::string("@database odd\n@node Main\na\0b\n@endnode\n", 36));
  EXPECT_FALSE(ReadGuideFile(dir.File("odd.guide")).binary);
}

TEST(GuideFile, LooksBinaryByNulOrManyControlBytes) {
  EXPECT_FALSE(LooksBinary("text\twith\r\nline ends\f and \x1b[1m escapes"));
  EXPECT_TRUE(LooksBinary(std::string("a\0b", 3)));
  EXPECT_TRUE(LooksBinary("\x01\x02\x03\x04text"));
}

TEST(GuideFile, FilesThatCannotBeShownAreOutcomesWithNotes) {
  testing::TempDir dir;
  std::filesystem::create_directories(dir.File("folder"));
  ::mkfifo(dir.File("pipe").c_str(), 0600);
  testing::WriteFile(dir.File("secret"), "x");
  ::chmod(dir.File("secret").c_str(), 0);
  struct Case {
    std::string path;
    FileReadOutcome outcome;
    std::string note;
  };
  std::vector<Case> cases = {
      {dir.File("none.guide"), FileReadOutcome::Missing, "There is no file"},
      {dir.File("folder"), FileReadOutcome::Directory, "is a folder, not a file."},
      {dir.File("pipe"), FileReadOutcome::Special, "is a device, a pipe or a socket; it is not opened."},
  };
  if (::geteuid() != 0)
    cases.push_back({dir.File("secret"), FileReadOutcome::Unreadable, "cannot be read: Permission denied."});
  for (const Case& test : cases) {
    SCOPED_TRACE(test.path);
    GuideFile file = ReadGuideFile(test.path);  // a pipe without a writer must not block
    EXPECT_EQ(file.outcome, test.outcome);
    EXPECT_EQ(file.source, nullptr);
    EXPECT_NE(ReadNote(file).find(test.note), std::string::npos) << ReadNote(file);
  }
}

}  // namespace
}  // namespace folioteer
