// The check of one guide where the golden cases do not reach: when a guide
// counts as UTF-8, and that no guide can make a message unsafe or unbounded.
#include "check/guide_check.h"

#include <gtest/gtest.h>

#include "test_util.h"

namespace folioteer {
namespace {

class GuideCheckTest : public ::testing::Test {
 protected:
  // "LINE kind message" for each finding of the text checked as a file.
  std::vector<std::string> Check(const std::string& text) {
    testing::WriteFile(dir.File("t.guide"), text);
    findings = CheckGuideFile(dir.File("t.guide"), targets);
    std::vector<std::string> lines;
    for (const Finding& finding : findings)
      lines.push_back(std::to_string(finding.line) + " " + std::string(FindingKindName(finding.kind)) + " " +
                      finding.message);
    return lines;
  }
  testing::TempDir dir;
  TargetChecker targets;
  std::vector<Finding> findings;
};

TEST(GuideCheck, AGuideIsWrittenInUtf8WhenItsSequencesOutnumberItsStrayBytes) {
  const std::pair<std::string, bool> cases[] = {
      {"caf\xc3\xa9 and one stray \xe9", false},
      {"\xc3\xa4\xc3\xb6\xc3\xbc and one stray \xe9", true},
      {"ISO-8859-1: \xe4\xf6\xfc with \xc3\xa9 by chance", false},
  };
  for (const auto& [bytes, utf8] : cases) EXPECT_EQ(WrittenInUtf8(CountUtf8(bytes)), utf8) << bytes;
}

TEST_F(GuideCheckTest, NoGuideCanMakeAMessageUnsafeOrUnbounded) {
  std::string huge(200000, 'x');
  std::string controls = "\x1b[2J\x07\r\x01\x9b";
  std::string text = "@database d\n@" + huge + controls + " unknown\n@node \"" + controls + huge + "\"\n" +
                     "@{\"" + huge + controls + "\" link \"" + huge + controls + "\"} @{" + huge + controls +
                     "}\n" + "@{\"x\" system \"" + controls + huge + "\"} @{b}\n@node \"" + controls + huge +
                     "\"\n";
  Check(text);
  ASSERT_GE(findings.size(), 7u);
  for (const Finding& finding : findings) {
    std::string line = FormatFinding("t.guide", finding);
    EXPECT_LT(line.size(), 600u) << line;
    for (size_t i = 0; i < line.size(); ++i) {
      auto byte = static_cast<unsigned char>(line[i]);
      EXPECT_FALSE(byte < 0x20 || byte == 0x7F) << line;
      EXPECT_FALSE(byte == 0xC2 && i + 1 < line.size() && static_cast<unsigned char>(line[i + 1]) < 0xA0)
          << line;
    }
  }
}

}  // namespace
}  // namespace folioteer
