#include "rtf/rtf_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
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

TEST(RTFWriter, EachOperationWritesItsExactPiece) {
  const OutputCase cases[] = {
      {"braces and backslash escaped", [](Channel c) { RTFWriteString(c, "a{b}c\\d"); }, R"(a\{b\}c\\d)"},
      {"empty text", [](Channel c) { RTFWriteString(c, ""); }, ""},
      {"high byte and line ends kept", [](Channel c) { RTFWriteString(c, "\xe9\r\nx"); }, "\xe9\r\nx"},
      {"text ends at NUL", [](Channel c) { RTFWriteString(c, std::string_view("ab\0{}", 5)); }, "ab"},
      {"long string escaped", [](Channel c) { RTFWriteStringLong(c, std::string("x{")); }, R"(x\{)"},
      {"string with line", [](Channel c) { RTFWriteStringLn(c, "}"); }, "\\}\\line \n"},
      {"bold on", [](Channel c) { RTFcharstyle(c, RTFCharStyleKind::Bold, RTFStyleSwitch::On); }, "\\b "},
      {"bold off", [](Channel c) { RTFcharstyle(c, RTFCharStyleKind::Bold, RTFStyleSwitch::Off); }, "\\b0 "},
      {"plain on", [](Channel c) { RTFcharstyle(c, RTFCharStyleKind::Plain, RTFStyleSwitch::On); },
       "\\plain "},
      {"plain off", [](Channel c) { RTFcharstyle(c, RTFCharStyleKind::Plain, RTFStyleSwitch::Off); }, ""},
      {"background 0", [](Channel c) { RTFcolor(c, 0, RTFColorLayer::Background); },
       R"(\chshdng0\chcfpat0 )"},
      {"background 3", [](Channel c) { RTFcolor(c, 3, RTFColorLayer::Background); },
       R"(\chshdng2000\chcfpat3 )"},
      {"foreground 4", [](Channel c) { RTFcolor(c, 4, RTFColorLayer::Foreground); }, R"(\cf4 )"},
      {"left indent", [](Channel c) { RTFformat(c, RTFFormatKind::LeftIndent, 300); }, R"(\li300 )"},
      {"negative indent", [](Channel c) { RTFformat(c, RTFFormatKind::FirstIndent, -200); }, R"(\fi-200 )"},
      {"centre ignores value", [](Channel c) { RTFformat(c, RTFFormatKind::AlignCentre, 999); }, R"(\qc )"},
      {"paragraph", [](Channel c) { RTFcarriage(c, RTFCarriageKind::Paragraph); }, "\\par \n"},
      {"tab", [](Channel c) { RTFcarriage(c, RTFCarriageKind::Tab); }, R"(\tab )"},
      {"non-breaking space", [](Channel c) { RTFcarriage(c, RTFCarriageKind::NonBreakingSpace); }, R"(\~ )"},
      {"font 2", [](Channel c) { RTFfont(c, RTFFontKind::Mono); }, R"(\f2)"},
      {"font size", [](Channel c) { RTFfontsize(c, 4); }, R"(\fs4 )"},
      {"em dash", [](Channel c) { RTFspecial(c, RTFSpecialKind::EmDash); }, R"(\emdash )"},
      {"header open", [](Channel c) { RTFsection(c, RTFSectionKind::Header, RTFGroup::Open); },
       R"({\header )"},
      {"footer close", [](Channel c) { RTFsection(c, RTFSectionKind::Footer, RTFGroup::Close); }, "}"},
      {"reference unescaped", [](Channel c) { RTFreference(c, "a{b", "c}d"); },
       R"({\field{\*\fldinst REF a{b \\h }{\fldrslt c}d}})"},
      {"bookmark", [](Channel c) { RTFbookmark(c, "MAIN", "Top"); },
       R"({\*\bkmkstart MAIN}Top{\*\bkmkend MAIN})"},
      {"postlog", [](Channel c) { RTFpostlog(c); }, R"(\line})"},
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
      {"", "", false},
  };
  for (const FmtCase& test : cases) {
    bool ended = !test.endedAtSeparator;
    EXPECT_EQ(Written([&](Channel c) { RTFWriteStringFmt(c, test.text, ended); }), test.expected)
        << test.text;
    EXPECT_EQ(ended, test.endedAtSeparator) << test.text;
  }
}

const char* const kPreambleStart =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Bitstream Vera Serif;}{\\f1\\fswiss Bitstream Vera Sans;}"
    "{\\f2\\fmodern Bitstream Vera Sans Mono;}}\n"
    "{\\colortbl;\\red207\\green207\\blue207;\\red0\\green0\\blue0;\\red255\\green255\\blue255;"
    "\\red74\\green138\\blue189;\\red255\\green28\\blue28;\\red214\\green215\\blue214;"
    "\\red189\\green188\\blue188;\\red170\\green170\\blue170;}\n"
    "{\\info\n";
const char* const kPreambleEnd =
    "}\n\\margl720\\margr720\\fi0\\li0\\ri0\\b0\\fs24\\widowctrl\\titlepg\\headery144\\footery720\n";

TEST(RTFWriter, PreambleIsTheFixedHeaderWithTitleAndTime) {
  RTFDateTime created{2026, 12, 5, 19, 40, 7};
  EXPECT_EQ(Written([&](Channel c) { RTFpreamble(c, "Work:Docs/demo.rtf", created); }),
            std::string(kPreambleStart) + "{\\title Work:Docs/demo.rtf}\n" +
                "{\\creatim\\yr2026\\mo12\\dy5\\hr19\\min40\\sec7}\n" + kPreambleEnd);
}

// A file name may hold braces; unescaped they would end the title group early.
TEST(RTFWriter, PreambleEscapesTheTitle) {
  std::string out = Written([](Channel c) { RTFpreamble(c, "a}b{\\c.rtf", RTFDateTime{}); });
  EXPECT_NE(out.find("{\\title a\\}b\\{\\\\c.rtf}\n"), std::string::npos);
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

TEST(RTFWriter, PreambleTakesTheTimeFromTheClock) {
  std::time_t before = std::time(nullptr);
  std::string out = Written([](Channel c) { RTFpreamble(c, "t"); });
  std::time_t after = std::time(nullptr);
  std::string expectedStart = std::string(kPreambleStart) + "{\\title t}\n";
  ASSERT_EQ(out.substr(0, expectedStart.size()), expectedStart);
  ASSERT_TRUE(out.ends_with(kPreambleEnd));
  std::string timeLine =
      out.substr(expectedStart.size(), out.size() - expectedStart.size() - strlen(kPreambleEnd));
  bool matched = false;
  for (std::time_t when = before; when <= after; ++when) matched = matched || timeLine == CreationLine(when);
  EXPECT_TRUE(matched) << timeLine;
}

TEST(RTFWriter, InchesBecomeTheNearestTwips) {
  EXPECT_EQ(InchesToTwips(0.5), 720);
  EXPECT_EQ(InchesToTwips(-0.25), -360);
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
