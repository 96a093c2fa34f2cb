#include "support/text_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace folioteer {
namespace {

using Lines = std::vector<std::string_view>;

TEST(TextLines, AFinalLineFeedStartsALineInTheEditBoxAndEndsOneInAFile) {
  struct Case {
    std::string text;
    Lines edit, file;
  };
  for (const Case& c : std::vector<Case>{
           {"", {""}, {}},
           {"\n", {"", ""}, {""}},
           {"a", {"a"}, {"a"}},
           {"a\nb\n", {"a", "b", ""}, {"a", "b"}},
           {"a\n\nb", {"a", "", "b"}, {"a", "", "b"}},
           {"a\r\n", {"a\r", ""}, {"a\r"}},
       }) {
    EXPECT_EQ(SplitLines(c.text), c.edit) << c.text;
    EXPECT_EQ(SplitFileLines(c.text), c.file) << c.text;
  }
}

}  // namespace
}  // namespace folioteer
