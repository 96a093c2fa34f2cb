// Every guide of the shared corpus exported as a page: the page reads as
// well-formed HTML of the export's subset (html_checker.h), tidy finds
// nothing to say about it, it holds one section per node in file order
// under the node's anchor and title, and each section shows the node's
// plain text (blanks aside) and nothing else.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "html/html_export.h"
#include "html/html_text.h"
#include "html_checker.h"
#include "render/plain_text.h"
#include "render/renderer.h"
#include "test_util.h"

namespace folioteer {
namespace {

// What tidy writes about a page; "(tidy did not run)" when it cannot be started.
std::string TidyErrors(const std::string& page) {
  std::string command = "tidy -errors -quiet '" + page + "' 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return "(tidy did not run)";
  std::string output;
  std::array<char, 4096> buffer{};
  while (size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), got);
  int status = ::pclose(pipe);
  if (status != 0 && output.empty()) return "(tidy ended with status " + std::to_string(status) + ")";
  return output;
}

TEST(HtmlCorpus, EveryGuideExportsAsAValidPageShowingEveryNodesText) {
  testing::TempDir dir;
  size_t guides = 0, nodes = 0;
  for (const auto& path : testing::CorpusGuides()) {
    SCOPED_TRACE(path.filename().string());
    GuideSource source = ReadGuideSource(testing::ReadFile(path.string()));
    std::string pageName = dir.File(path.stem().string() + ".html");
    HtmlOptions options{{}, {path.string(), pageName, {}}};
    ASSERT_EQ(ExportGuideHtml(source, options), HtmlExportResult::Written);
    std::string page = testing::ReadFile(pageName);
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(TidyErrors(pageName), "");
    testing::HtmlDocument document = testing::ReadStrictHtml(page);
    ASSERT_EQ(document.errors, std::vector<std::string>{});
    std::vector<const testing::HtmlNode*> sections;
    testing::FindAll(*document.root, "section", sections);
    ASSERT_EQ(sections.size(), source.nodes.size());
    for (size_t index = 0; index < sections.size(); ++index) {
      DisplayNode node = RenderNode(source, static_cast<int>(index));
      SCOPED_TRACE("node " + node.info.name);
      EXPECT_TRUE(sections[index]->Attribute("id").starts_with(NodeAnchor(node.info.name)));
      std::vector<const testing::HtmlNode*> headings;
      testing::FindAll(*sections[index], "h2", headings);
      ASSERT_EQ(headings.size(), 1u);
      EXPECT_EQ(testing::NormalizedSpace(testing::TextOf(*headings[0])),
                testing::NormalizedSpace(node.info.title));
      ASSERT_EQ(testing::NormalizedSpace(testing::SectionText(*sections[index])),
                testing::NormalizedSpace(PlainText(node)));
      ++nodes;
    }
    ++guides;
  }
  EXPECT_GT(guides, 50u);
  EXPECT_GT(nodes, 1000u);
}

}  // namespace
}  // namespace folioteer
