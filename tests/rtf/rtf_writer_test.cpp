#include "rtf/rtf_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>
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
      {"high byte and line ends kept", [](Channel c) { RTFWriteString(c, "\xe9\r\nx"); }, "\xe9\r\nx"},
      {"text ends at NUL", [](Channel c) { RTFWriteString(c, std::string_view("ab\0{}", 5)); }, "ab"},
      {"string with line", [](Channel c) { RTFWriteStringLn(c, "}"); }, "\\}\\line \n"},
      {"em dash", [](Channel c) { RTFspecial(c, RTFSpecialKind::EmDash); }, R"(\emdash )"},
      {"plain off", [](Channel c) { RTFcharstyle(c, RTFCharStyleKind::Plain, RTFStyleSwitch::Off); }, ""},
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

// The creation line for a moment of the local clock, written out field by field.
std::string CreationLine(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  auto field = [](const char* name, int value) { return std::string("\\") + name + std::to_string(value); };
  return "{\\creatim" + field("yr", local.tm_year + 1900) + field("mo", local.tm_mon + 1) +
         field("dy", local.tm_mday) + field("hr", local.tm_hour) + field("min", local.tm_min) +
         field("sec", local.tm_sec) + "}\n";
}

// The rest of the preamble is fixed: the end-to-end case rtf/worked-example
// shows it byte for byte. A brace in the file name would end the title group early.
TEST(RTFWriter, PreambleEscapesTheTitleAndTakesTheTimeFromTheClock) {
  std::time_t before = std::time(nullptr);
  std::string out = Written([](Channel c) { RTFpreamble(c, "a}b{\\c.rtf"); });
  std::time_t after = std::time(nullptr);
  const std::string title = "\n{\\info\n{\\title a\\}b\\{\\\\c.rtf}\n";
  size_t start = out.find(title);
  ASSERT_NE(start, std::string::npos) << out;
  start += title.size();
  std::string timeLine = out.substr(start, out.find('\n', start) + 1 - start);
  bool matched = false;
  for (std::time_t when = before; when <= after; ++when) matched = matched || timeLine == CreationLine(when);
  EXPECT_TRUE(matched) << timeLine;
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
  for (const char* word : {"b{", "b 0", "1b", "b-", "\\", "'zz", "b0x"})
    EXPECT_THROW(Written([&](Channel c) { RTFWriteControlWord(c, word, RTFSpacing::NoSpace); }),
                 AssertionFailure)
        << word;
  EXPECT_THROW(Written([](Channel c) { RTFformat(c, static_cast<RTFFormatKind>(13), 0); }), AssertionFailure);
  EXPECT_THROW(Written([](Channel c) { RTFcarriage(c, static_cast<RTFCarriageKind>(6)); }), AssertionFailure);
  EXPECT_THROW(Written([](Channel c) { RTFfont(c, static_cast<RTFFontKind>(3)); }), AssertionFailure);
  EXPECT_EQ(Written([](Channel c) { RTFWriteControlWord(c, "'e9", RTFSpacing::NoSpace); }), R"(\'e9)");
}

}  // namespace
}  // namespace folioteer
