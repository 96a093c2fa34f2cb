#include "support/arg_template.h"

#include <gtest/gtest.h>

#include <random>

namespace folioteer {
namespace {

constexpr const char* kSettings =
    "FILE,PUBSCREEN/K,EDITFONT/K,EDITFONTSIZE/N,MAKEICONS/S,NOMAKEICONS/S,AUTOPREVIEW/S,"
    "AUTOPREVIEWOFF/S,USETABATTR/S,USETABATTROFF/S,HELPHINTS/S,HELPHINTSOFF/S,SPELLCHECK/S,"
    "SPELLCHECKOFF/S";

TEST(ArgTemplate, NumbersSwitchesAndRequiredItems) {
  auto pos = ReadArgs("NodePos 3", "NodePos/N/A");
  ASSERT_TRUE(pos);
  EXPECT_TRUE((*pos)[0].present);
  EXPECT_EQ((*pos)[0].number, 3);
  auto negative = ReadArgs("Intro -1\n", "NodeName/A,NodePos/N");
  ASSERT_TRUE(negative);
  EXPECT_EQ((*negative)[1].number, -1);
  EXPECT_FALSE(ReadArgs("", "NodePos/N/A"));
  EXPECT_FALSE(ReadArgs("NodePos x", "NodePos/N/A"));
  EXPECT_FALSE(ReadArgs("NodePos 99999999999", "NodePos/N/A"));

  auto on = ReadArgs("On", "On/S,Off/S");
  ASSERT_TRUE(on);
  EXPECT_TRUE((*on)[0].present);
  EXPECT_FALSE((*on)[1].present);
  auto none = ReadArgs("", "On/S,Off/S");
  ASSERT_TRUE(none);
  EXPECT_FALSE((*none)[0].present || (*none)[1].present);
  EXPECT_FALSE(ReadArgs("HELPHINTS=3", kSettings));  // a value for a switch
  EXPECT_FALSE(ReadArgs("Maybe", "On/S,Off/S"));       // nowhere to put it
  auto alias = ReadArgs("ALIAS=x", "A=ALIAS/K");
  ASSERT_TRUE(alias);
  EXPECT_EQ((*alias)[0].text, "x");
  EXPECT_TRUE(ParseTemplate("").empty());
}

TEST(ArgTemplate, PositionalKeywordAndRestOfLine) {
  auto title = ReadArgs("NodePos 2 NodeTitle A new title", "NodeName/K,NodePos/K/N,NodeTitle/A/F");
  ASSERT_TRUE(title);
  EXPECT_FALSE((*title)[0].present);
  EXPECT_EQ((*title)[1].number, 2);
  EXPECT_EQ((*title)[2].text, "A new title");
  auto bare = ReadArgs("NodePos 2 \"Quoted\" title  \n", "NodeName/K,NodePos/K/N,NodeTitle/A/F");
  ASSERT_TRUE(bare);
  EXPECT_EQ((*bare)[2].text, "\"Quoted\" title");

  auto settings = ReadArgs("Notes.guide PUBSCREEN=Work editfontsize 13 NOMAKEICONS", kSettings);
  ASSERT_TRUE(settings);
  EXPECT_EQ((*settings)[0].text, "Notes.guide");
  EXPECT_EQ((*settings)[1].text, "Work");
  EXPECT_EQ((*settings)[3].number, 13);
  EXPECT_TRUE((*settings)[5].present);
  auto node = ReadArgs("\"My Node\" -1", "NodeName/A,NodePos/N");
  ASSERT_TRUE(node);
  EXPECT_EQ((*node)[0].text, "My Node");
  EXPECT_EQ((*node)[1].number, -1);
  auto keyed = ReadArgs("CmdName=\"@font\" Strng \"topaz.font\" Num 8",
                        "CmdName/K/A,NodeRef/K,Strng/K,Strng2/K,Num/N/K");
  ASSERT_TRUE(keyed);
  EXPECT_EQ((*keyed)[0].text, "@font");
  EXPECT_EQ((*keyed)[2].text, "topaz.font");
  EXPECT_EQ((*keyed)[4].number, 8);
  EXPECT_FALSE((*keyed)[1].present);
}

TEST(ArgTemplate, MalformedLinesAreNoMatch) {
  const char* bad[] = {"CmdName", "CmdName=", "Unknown=x", "Strng \"unterminated", "Num", "a b c d e f"};
  for (const char* line : bad)
    EXPECT_FALSE(ReadArgs(line, "CmdName/K/A,NodeRef/K,Strng/K,Strng2/K,Num/N/K")) << line;
  EXPECT_FALSE(ReadArgs(std::string("\0\0\0", 3), "NodePos/N/A"));
}

TEST(ArgTemplate, AnyQuotedValueParsesBackUnchanged) {
  std::mt19937 random(7);
  std::string alphabet = "ab *\"=\n\t\x1b@{}\\";
  alphabet += '\xe9';
  for (int round = 0; round < 500; ++round) {
    std::string value;
    for (size_t n = random() % 12; n > 0; --n) value += alphabet[random() % alphabet.size()];
    auto args = ReadArgs("Strng " + QuoteArg(value) + " Num 1", "Strng/K,Num/N");
    ASSERT_TRUE(args) << value;
    EXPECT_EQ((*args)[0].text, value);
    auto loose = ReadArgs(QuoteArgIfNeeded(value), "FILE");
    if (!value.empty()) {
      ASSERT_TRUE(loose) << value;
      EXPECT_EQ((*loose)[0].text, value);
    }
  }
  EXPECT_EQ(QuoteArg("say \"hi\" *now*"), "\"say *\"hi*\" **now**\"");
  EXPECT_EQ(QuoteArgIfNeeded("Notes.guide"), "Notes.guide");
  EXPECT_EQ(QuoteArgIfNeeded("My Notes.guide"), "\"My Notes.guide\"");
}

}  // namespace
}  // namespace folioteer
