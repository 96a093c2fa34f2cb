// Every corpus guide exports to one balanced RTF group without an exception
// (aminet-08 and aminet-25 once stopped the export); LibreOffice, where
// installed, reads the nodes' text back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "guide/guide_test_util.h"
#include "rtf_test_util.h"
#include "support/assert.h"

namespace folioteer {
namespace {

using testing::TempDir;

TEST(RTFExportCorpus, EveryGuideExportsToBalancedRTFWithoutAnException) {
  std::vector<std::filesystem::path> guides = testing::CorpusGuides();
  ASSERT_GE(guides.size(), 60u);
  int exported = 0;
  for (const auto& guide : guides) {
    SCOPED_TRACE(guide.filename().string());
    TempDir dir;
    AmigaGuideFile handle = testing::OpenCorpusGuide(dir, guide);
    if (handle == nullptr) continue;
    try {
      EXPECT_EQ(ConvertRTF(handle), RTFExportResult::Written);
      ++exported;
    } catch (const AssertionFailure& failure) {
      ADD_FAILURE() << failure.Message();
    }
    CloseAmigaGuideFile(handle);
    EXPECT_TRUE(testing::IsOneBalancedGroup(testing::ReadFile(dir.File("copy.rtf"))));
  }
  EXPECT_EQ(exported, static_cast<int>(guides.size()));
}

bool LibreOfficeInstalled() { return std::system("command -v soffice >/dev/null 2>&1") == 0; }

TEST(RTFExportCorpus, LibreOfficeReadsTheNodesText) {
  if (!LibreOfficeInstalled()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  TempDir dir;
  testing::ExportGuide(dir,
                       "@database demo\n@node MAIN\nHello @{b}world@{ub}\n\nBye\n@endnode\n"
                       "@node Intro\nSee @{\"Main page\" link MAIN}.\n@endnode\n",
                       nullptr, "demo.guide");
  // A profile of its own, so that a running LibreOffice does not take the job.
  std::string command = "cd '" + dir.Path() + "' && soffice -env:UserInstallation=file://" + dir.Path() +
                        "/profile --headless --convert-to txt:Text --outdir '" + dir.Path() +
                        "' demo.rtf >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::string text = testing::ReadFile(dir.File("demo.txt"));
  for (const char* expected : {"MAIN", "Hello world", "Bye", "Intro", "See "})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " not in:\n" << text;
}

}  // namespace
}  // namespace folioteer
