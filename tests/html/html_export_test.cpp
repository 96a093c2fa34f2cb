#include "html/html_export.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "support/channels.h"
#include "test_util.h"

namespace folioteer {
namespace {

constexpr std::string_view kGuide = "@database g\n@node Main \"Hello\"\nHello page.\n@endnode\n";

TEST(HtmlExport, WritesThePageAndReplacesAnOldOne) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("old.html"), "old page");
  HtmlOptions options{{}, {dir.File("g.guide"), dir.File("old.html"), {}}};
  GuideSource source = ReadGuideSource(kGuide);
  ASSERT_EQ(ExportGuideHtml(source, options), HtmlExportResult::Written);
  EXPECT_EQ(testing::ReadFile(dir.File("old.html")), GuideHtml(source, options));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // no temporary file left
}

TEST(HtmlExport, NeverWritesOverTheGuideItself) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("notes.html"), std::string(kGuide));
  std::filesystem::create_hard_link(dir.File("notes.html"), dir.File("other.html"));
  GuideSource source = ReadGuideSource(kGuide);
  for (const std::string& page : {dir.File("notes.html"), dir.File("./other.html")}) {
    HtmlOptions options{{}, {dir.File("notes.html"), page, {}}};
    EXPECT_EQ(ExportGuideHtml(source, options), HtmlExportResult::GuideItself) << page;
  }
  EXPECT_EQ(testing::ReadFile(dir.File("notes.html")), kGuide);
}

TEST(HtmlExport, AFailedWriteIsNoSuccessAndKeepsTheOldPage) {
  testing::TempDir dir;
  GuideSource source = ReadGuideSource(kGuide);
  HtmlOptions nowhere{{}, {dir.File("g.guide"), dir.File("missing/g.html"), {}}};
  EXPECT_EQ(ExportGuideHtml(source, nowhere), HtmlExportResult::NotCreated);

  testing::WriteFile(dir.File("g.html"), "old page");
  HtmlOptions options{{}, {dir.File("g.guide"), dir.File("g.html"), {}}};
  SimulateWriteFailure(100, ENOSPC);
  HtmlExportResult result = ExportGuideHtml(source, options);
  SimulateWriteFailure(-1, 0);
  EXPECT_EQ(result, HtmlExportResult::NotCreated);
  EXPECT_EQ(testing::ReadFile(dir.File("g.html")), "old page");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
}  // namespace folioteer
