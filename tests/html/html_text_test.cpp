#include "html/html_text.h"

#include <gtest/gtest.h>

#include <set>

namespace folioteer {
namespace {

// Markup, quotes, braces and references in a guide are escaped in the golden
// page MarkupInGuideStaysTextAndBytesAreDecoded (html_page_test.cpp).
TEST(HtmlText, EscapesMarkupAndReplacesWhatAPageMustNotHold) {
  struct Case {
    std::string_view text, escaped;
  };
  const Case cases[] = {
      {"tab\tand\nline", "tab\tand\nline"},
      {std::string_view("nul\0bell\a", 9), "nul\uFFFDbell\uFFFD"},
      {"c1 \u0085 \u009f kept \u00a0\u00e9", "c1 \uFFFD \uFFFD kept \u00a0\u00e9"},
      {"non \uFDD0 \uFFFE \U0010FFFF", "non \uFFFD \uFFFD \uFFFD"},
      {"bad \xff\xc3 utf8", "bad \uFFFD\uFFFD utf8"},
  };
  for (const Case& test : cases) EXPECT_EQ(HtmlEscaped(test.text), test.escaped) << test.text;
}

TEST(HtmlText, AnchorsFoldLetterCaseAndAreSafeAndDistinct) {
  EXPECT_EQ(NodeAnchor("Chapter 1.2-b"), "node-chapter_201.2-b");
  // Names that a lossy encoding would merge stay apart.
  const std::string_view names[] = {"a b", "a_b", "a_20b", "a%20b", "a-b",  "a.b", "a~b", "a\"b", "a<b>",
                                    "a&b", "a/b", "a:b",   "A B1",  "a b1", "",    "_",   "__"};
  std::set<std::string> anchors;
  for (std::string_view name : names) {
    std::string anchor = NodeAnchor(name);
    EXPECT_EQ(anchor.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-._ABCDEF"), std::string::npos)
        << anchor;
    anchors.insert(anchor);
  }
  EXPECT_EQ(anchors.size(), std::size(names) - 1);  // "A B1" and "a b1" are one name to a reader
}

TEST(HtmlText, PathsArePercentEncodedSoNoneNamesAScheme) {
  struct Case {
    std::string_view path, encoded;
  };
  const Case cases[] = {
      {"../docs/Other.html", "../docs/Other.html"},
      {"javascript:alert(1)", "javascript%3Aalert%281%29"},
      {"a?b#c&d=e", "a%3Fb%23c%26d%3De"},
      {"100%.html", "100%25.html"},
      {"\xe9t\xe9", "%E9t%E9"},
  };
  for (const Case& test : cases) EXPECT_EQ(PercentEncodedPath(test.path), test.encoded) << test.path;
}

}  // namespace
}  // namespace folioteer
