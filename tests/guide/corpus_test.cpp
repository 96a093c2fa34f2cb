// Every corpus guide opens, saves and reads back as the same document; saving
// twice gives the same bytes. A value holding a double quote has no escape:
// such a document settles after one save.
#include <gtest/gtest.h>

#include <filesystem>

#include "guide/writer.h"
#include "guide_test_util.h"

namespace folioteer {
namespace {

using testing::DumpDocument;
using testing::ReadFile;

bool HasQuoteInsideAValue(AGDocument* doc) {
  bool found = false;
  auto check = [&](AGCmd* cmd) {
    for (const auto* value : {&cmd->params.NodeRef, &cmd->params.Strng, &cmd->params.Strng2})
      if (*value && UnquotedValue(**value).find('"') != std::string::npos) found = true;
    return true;
  };
  ScanGlobalCmds(doc, check);
  ScanNodes(doc, [&](AGCmd* node) {
    check(node);
    ScanLocalCmds(node, check);
    return true;
  });
  return found;
}

TEST(Corpus, EveryGuideOpensSavesAndReadsBack) {
  std::vector<std::filesystem::path> guides = testing::CorpusGuides();
  ASSERT_GE(guides.size(), 60u);
  for (const auto& guide : guides) {
    SCOPED_TRACE(guide.filename().string());
    testing::TempDir dir;
    std::string copy = dir.File("copy.guide");
    AmigaGuideFile handle = testing::OpenCorpusGuide(dir, guide);
    if (handle == nullptr) continue;  // the refusal has failed the test
    std::string document = DumpDocument(GetDocument(handle));
    bool quoteInValue = HasQuoteInsideAValue(GetDocument(handle));
    ASSERT_TRUE(OutputAmigaGuideFile(handle));
    std::string once = ReadFile(copy);
    CloseAmigaGuideFile(handle);
    bool created = false;
    int result = -1;
    OpenAmigaGuideFile(handle, copy, created, result);
    ASSERT_EQ(result, kOpened);
    std::string reread = DumpDocument(GetDocument(handle));
    if (reread != document) {
      EXPECT_TRUE(quoteInValue) << "the document changed on its way through a save";
      ASSERT_TRUE(OutputAmigaGuideFile(handle));
      once = ReadFile(copy);
      CloseAmigaGuideFile(handle);
      OpenAmigaGuideFile(handle, copy, created, result);
      EXPECT_EQ(DumpDocument(GetDocument(handle)), reread);
    }
    ASSERT_TRUE(OutputAmigaGuideFile(handle));
    EXPECT_EQ(ReadFile(copy), once);
    CloseAmigaGuideFile(handle);
  }
}

}  // namespace
}  // namespace folioteer
