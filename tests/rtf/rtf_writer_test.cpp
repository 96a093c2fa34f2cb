#include "rtf/rtf_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "support/assert.h"
#include "test_util.h"

namespace folioteer {
namespace {

using testing::ReadFile;
using testing::TempDir;

// Everything the operations write to a file channel, byte for byte.
std::string Written(const std::function<void(Channel)>& write) {
  TempDir dir;
  Channel chan;
  EXPECT_EQ(OpenOutput(chan, dir.File("out.rtf")), kOpened);
  try {
    write(chan);
  } catch (...) {
    CloseChannel(chan);
    throw;
  }
  EXPECT_TRUE(CloseChannel(chan));
  return ReadFile(dir.File("out.rtf"));
}

struct OutputCase {
  const char* what;
  std::function<void(Channel)> write;
  std::string expected;
};

// The pieces the export writes (styles, colours, indents, paragraphs, tabs,
// bookmarks, references, the header) are shown byte for byte by its tests;
// here the escapes and the edges.
TEST(RTFWriter, EachOperationWritesItsExactPiece) {
  const OutputCase cases[] = {
      {"braces and backslash escaped", [](Channel c) { RTFWriteString(c, "a{b}c\\d"); }, R"(a\{b\}c\\d)"},
      {"text ends at NUL", [](Channel c) { RTFWriteString(c, std::string_view("ab\0{}", 5)); }, "ab"},
      {"string with line", [](Channel c) { RTFWriteStringLn(c, "}"); }, "\\}\\line \n"},
      {"control word with backslash",
       [](Channel c) { RTFWriteControlWord(c, "\\keep", RTFSpacing::NoSpace); }, R"(\keep)"},
      {"empty control word", [](Channel c) { RTFWriteControlWord(c, "", RTFSpacing::SpaceAfter); }, ""},
      {"long control word kept whole", [](Channel c) { RTFformat(c, RTFFormatKind::MarginBottom, INT_MIN); },
       R"(\margb-2147483648 )"},
  };
  for (const OutputCase& test : cases) EXPECT_EQ(Written(test.write), test.expected) << test.what;
}

TEST(RTFWriter, FormattedTextBreaksAtEachLineSeparator) {
  struct FmtCase {
    std::string text;
    std::string expected;
    bool endedAtSeparator;
  };
  const FmtCase cases[] = {
      {"ab\r\ncd", "ab\\line \ncd", false},
      {"ab\r\n", "ab\\line \n", true},
      {"a{b}", "a\\{b\\}", false},
      {"\r\n\r\nx\ry", "\\line \n\\line \nx\ry", false},
  };
  for (const FmtCase& test : cases) {
    bool ended = !test.endedAtSeparator;
    EXPECT_EQ(Written([&](Channel c) { RTFWriteStringFmt(c, test.text, ended); }), test.expected)
        << test.text;
    EXPECT_EQ(ended, test.endedAtSeparator) << test.text;
  }
}

// The rest of the preamble is shown byte for byte by the case
// rtf/worked-example. A brace in the file name would end the title group early.
TEST(RTFWriter, PreambleEscapesTheTitle) {
  std::string out = Written([](Channel c) { RTFpreamble(c, "a}b{\\c.rtf"); });
  EXPECT_NE(out.find("\n{\\info\n{\\title a\\}b\\{\\\\c.rtf}\n"), std::string::npos) << out;
}

TEST(RTFWriter, InchesBecomeTheNearestTwips) {
  EXPECT_EQ(InchesToTwips(0.5), 720);
  EXPECT_EQ(InchesToTwips(0.0004), 1);  // 0.576 twips
  EXPECT_EQ(InchesToTwips(0.0003), 0);  // 0.432 twips
  EXPECT_THROW(InchesToTwips(1e9), AssertionFailure);
}

// Neither a malformed control word nor a value outside a kind may reach the
// output as broken RTF.
TEST(RTFWriter, MalformedWordsAndUnknownKindsAreRefused) {
  for (const char* word : {"b{", "1b", "\\", "'zz"})
    EXPECT_THROW(Written([&](Channel c) { RTFWriteControlWord(c, word, RTFSpacing::NoSpace); }),
                 AssertionFailure)
        << word;
  EXPECT_THROW(Written([](Channel c) { RTFformat(c, static_cast<RTFFormatKind>(13), 0); }), AssertionFailure);
  EXPECT_EQ(Written([](Channel c) { RTFWriteControlWord(c, "'e9", RTFSpacing::NoSpace); }), R"(\'e9)");
}

}  // namespace
}  // namespace folioteer
