#include "support/arg_template.h"

#include <gtest/gtest.h>

#include <random>

namespace folioteer {
namespace {

// The values read from the line, one for each item of the template: "-" for
// an absent item, "on" for a switch, the number or the text; or "no match".
std::string Parsed(std::string_view line, std::string_view argTemplate) {
  std::vector<TemplateItem> items = ParseTemplate(argTemplate);
  std::optional<std::vector<ArgValue>> values = ReadArgs(line, argTemplate);
  if (!values) return "no match";
  std::string parsed;
  for (size_t i = 0; i < values->size(); ++i) {
    const ArgValue& value = (*values)[i];
    parsed += i > 0 ? "|" : "";
    if (!value.present)
      parsed += "-";
    else
      parsed += items[i].isSwitch ? "on" : items[i].number ? std::to_string(value.number) : value.text;
  }
  return parsed;
}

TEST(ArgTemplate, ReadsEachKindOfItemAndRefusesWhatDoesNotFit) {
  const char* node = "NodeName/A,NodePos/N";
  const char* title = "NodeName/K,NodePos/K/N,NodeTitle/A/F";
  const char* cmd = "CmdName/K/A,NodeRef/K,Strng/K,Strng2/K,Num/N/K";
  const char* settings = "FILE,PUBSCREEN/K,EDITFONTSIZE/N,MAKEICONS/S,NOMAKEICONS/S";
  struct Case {
    std::string line;
    const char* argTemplate;
    std::string parsed;
  };
  const Case cases[] = {
      {"NodePos 3", "NodePos/N/A", "3"},
      {"\"My Node\" -1", node, "My Node|-1"},
      {"On", "On/S,Off/S", "on|-"},
      {"ALIAS=x", "A=ALIAS/K", "x"},
      {"NodePos 2 \"Quoted\" title  \n", title, "-|2|\"Quoted\" title"},
      {"Notes.guide PUBSCREEN=Work editfontsize 13 NOMAKEICONS", settings, "Notes.guide|Work|13|-|on"},
      {"CmdName=\"@font\" Strng \"topaz.font\" Num 8", cmd, "@font|-|topaz.font|-|8"},
      {"NodePos x", "NodePos/N/A", "no match"},
      {"NodePos 99999999999", "NodePos/N/A", "no match"},
      {"MAKEICONS=3", settings, "no match"},  // a value for a switch
      {"Maybe", "On/S,Off/S", "no match"},    // nowhere to put it
      {"CmdName=", cmd, "no match"},
      {"Unknown=x", cmd, "no match"},
      {"Strng \"unterminated", cmd, "no match"},
      {"a b c d e f", cmd, "no match"},
  };
  for (const Case& c : cases) EXPECT_EQ(Parsed(c.line, c.argTemplate), c.parsed) << c.line;
  EXPECT_TRUE(ParseTemplate("").empty());
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
}

// The settings' own template is tested with the settings.
TEST(ArgTemplate, CommandLineWordsAreJoinedSafely) {
  // A line end inside a word would end the line: the word is quoted instead.
  std::string line = JoinProgramArguments("FILE/A,EMPTY,NODE/K", {"two\nlines.guide", "", "NODE", "a*b"});
  EXPECT_EQ(line, "\"two*Nlines.guide\" \"\" NODE a*b");
  EXPECT_EQ(Parsed(line, "FILE/A,EMPTY,NODE/K"), "two\nlines.guide||a*b");
}

}  // namespace
}  // namespace folioteer
