// Every guide of the shared corpus is checked without an exception, and
// every finding is a line a tool can read: in line order, on a line the
// file has, one line of UTF-8 without control characters. The count of
// findings per kind over the corpus is printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <iostream>

#include "check/guide_check.h"
#include "test_util.h"

namespace folioteer {
namespace {

int LineCount(const std::string& bytes) {
  int lines = 0;
  ForEachSourceLine(bytes, [&](int, std::string_view) { ++lines; });
  return lines;
}

TEST(CheckCorpus, EveryGuideIsCheckedAndEveryFindingIsAReadableLine) {
  std::vector<std::filesystem::path> guides = testing::CorpusGuides();
  ASSERT_FALSE(guides.empty());
  std::array<int, kNumFindingKinds> counts{};
  TargetChecker targets;
  for (const std::filesystem::path& guide : guides) {
    std::vector<Finding> findings;
    ASSERT_NO_THROW(findings = CheckGuideFile(guide.string(), targets)) << guide;
    int lines = LineCount(testing::ReadFile(guide.string()));
    EXPECT_TRUE(std::is_sorted(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
      return a.line < b.line;
    })) << guide;
    for (const Finding& finding : findings) {
      ++counts[static_cast<size_t>(finding.kind)];
      EXPECT_GE(finding.line, 1) << guide;
      EXPECT_LE(finding.line, std::max(lines, 1)) << guide;
      std::string line = FormatFinding(guide.filename().string(), finding);
      EXPECT_TRUE(IsValidUtf8(line)) << line;
      EXPECT_TRUE(std::none_of(line.begin(), line.end(), [](char ch) {
        return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F;
      })) << line;
    }
  }
  std::cout << "Findings in " << guides.size() << " guides of the corpus:\n";
  for (int kind = 0; kind < kNumFindingKinds; ++kind)
    std::cout << "  " << FindingKindName(static_cast<FindingKind>(kind)) << " " << counts[kind] << "\n";
}

}  // namespace
}  // namespace folioteer
