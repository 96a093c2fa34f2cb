// Where the links of a page lead, with real files beside the guide: other
// guides found as a reader finds them, files that are no guide, files not
// there yet, volumes, and the page written somewhere else.
#include "html/html_links.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "html/html_text.h"
#include "render/links.h"
#include "test_util.h"

namespace folioteer {
namespace {

class HtmlLinksTest : public ::testing::Test {
 protected:
  HtmlLinksTest() {
    for (std::string_view folder : {"docs", "sub", "vol/deep", "out"})
      std::filesystem::create_directories(dir_.File(std::string(folder)));
    testing::WriteFile(dir_.File("this.guide"), std::string(kGuide));
    testing::WriteFile(dir_.File("Other.guide"), "@database Other\n@node Main\n@endnode\n");
    testing::WriteFile(dir_.File("My Guide.guide"), "@DATABASE x\n");
    testing::WriteFile(dir_.File("docs/ReadMe"), "Plain text.\n");
    testing::WriteFile(dir_.File("vol/deep/far.guide"), "@database far\n");
    source_ = ReadGuideSource(kGuide);
    for (const SourceNode& node : source_.nodes) anchors_.push_back(NodeAnchor(node.name));
  }

  HtmlLink Follow(std::string_view linkBody, const std::string& page = "this.html") {
    HtmlPlaces places{dir_.File("this.guide"), dir_.File(page),
                      ParseVolumeTable("Work: " + dir_.File("vol"), "/")};
    HtmlLinkResolver resolver(source_, Charset::Latin1, anchors_, places);
    return resolver.ForLink(ParseLink(linkBody, Charset::Latin1, 1));
  }

  HtmlLink Bar(std::string_view reference) {
    HtmlLinkResolver resolver(source_, Charset::Latin1, anchors_,
                              {dir_.File("this.guide"), dir_.File("this.html"), {}});
    return resolver.Target(reference);
  }

  static constexpr std::string_view kGuide =
      "@database this\n@node Main\n@endnode\n@node Second\n@endnode\n@node \"Browse/Name\"\n@endnode\n";
  testing::TempDir dir_;
  GuideSource source_;
  std::vector<std::string> anchors_;
};

// Links to a node by its name alone are shown by the golden pages (html_page_test.cpp).
TEST_F(HtmlLinksTest, LinksLeadToSectionsAndToThePagesBesideOtherGuides) {
  struct Case {
    std::string_view link, href;
  };
  const Case cases[] = {
      {"\"x\" link this.guide/Second", "#node-second"},         // the guide itself
      {"\"x\" link OTHER.GUIDE/Part", "Other.html#node-part"},  // the file's own letter case
      {"\"x\" link \"My Guide.guide/main\"", "My%20Guide.html#node-main"},
      {"\"x\" link docs/readme/main", "docs/ReadMe"},  // no guide: the file as it stands
      {"\"x\" link Work:deep/FAR.guide/x", "vol/deep/far.html#node-x"},
      {"\"x\" link /Up.guide/main", "../Up.html#node-main"},  // not there yet: by its name
  };
  for (const Case& test : cases) {
    HtmlLink link = Follow(test.link);
    EXPECT_EQ(link.href, test.href) << test.link << ": " << link.title;
  }
}

TEST_F(HtmlLinksTest, APageWrittenElsewhereLinksBackRelatively) {
  EXPECT_EQ(Follow("\"x\" link Other.guide/Part", "out/page.html").href, "../Other.html#node-part");
  EXPECT_EQ(Follow("\"x\" link Second", "out/page.html").href, "#node-second");
}

// Missing nodes, unknown volumes and what a link would run show in the golden pages (html_page_test.cpp).
TEST_F(HtmlLinksTest, LinksToFilesThatCannotBeShownSayWhy) {
  EXPECT_EQ(Follow("\"x\" link sub/main").title, "\"sub\" is a folder, not a file.");
}

TEST_F(HtmlLinksTest, TheBarFindsANodeByItsWholeNameBeforeSplittingIt) {
  EXPECT_EQ(Bar("Browse/Name").href, "#node-browse_2Fname");
  EXPECT_EQ(Bar("Other.guide/main").href, "Other.html#node-main");
}

}  // namespace
}  // namespace folioteer
