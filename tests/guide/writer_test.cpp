#include "guide/writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "guide_test_util.h"

namespace folioteer {
namespace {

using testing::OpenText;
using testing::ReadFile;
using testing::TempDir;

size_t FilesIn(const TempDir& dir) {
  return std::distance(std::filesystem::directory_iterator(dir.Path()), {});
}

// What a save writes is compared byte for byte by the end-to-end cases
// (tests/cases), saving under another name by the case saving/save-as, and
// that every real guide reads back the same by the corpus test.
TEST(Writer, FailedSaveLeavesTheGuideUntouched) {
  TempDir dir;
  int result = -1;
  AmigaGuideFile handle = OpenText(dir, "@database d\n@node MAIN\nprecious\n@endnode\n", result);
  std::string before = ReadFile(dir.File("test.guide"));
  AGCmd* main = nullptr;
  ScanNodes(GetDocument(handle), [&](AGCmd* n) { return (main = n, false); });
  for (int i = 0; i < 10000; ++i) AddBlockLine(main->block, "a line that makes the file large enough");

  SimulateWriteFailure(1000, ENOSPC);  // the disk fills up part way
  EXPECT_FALSE(OutputAmigaGuideFile(handle));
  SimulateWriteFailure(-1, 0);
  EXPECT_EQ(ReadFile(dir.File("test.guide")), before);
  EXPECT_EQ(FilesIn(dir), 1u);
  CloseAmigaGuideFile(handle);
}

}  // namespace
}  // namespace folioteer
