#include "editor/settings/settings.h"

#include <gtest/gtest.h>

#include <random>

#include "carried_settings.h"
#include "state/editor_state.h"
#include "support/arg_template.h"
#include "test_util.h"

namespace folioteer {
namespace {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    Editor() = EditorState{};
    SetDefSettings();
  }
  void TearDown() override {
    ::unsetenv("XDG_RUNTIME_DIR");
    ::unsetenv("XDG_CONFIG_HOME");
    Editor() = EditorState{};
  }
  testing::TempDir runtime, config;
};

TEST_F(SettingsTest, CommandLineWordsAreJoinedSafely) {
  EXPECT_EQ(JoinProgramArguments(SettingsTemplate(), {"My Notes.guide", "PUBSCREEN=Work", "say\"hi"}),
            "\"My Notes.guide\" PUBSCREEN=Work \"say*\"hi\"");
  // Regression: the shell hands KEY="a value" over as one word, which was
  // quoted whole and became the file name.
  EXPECT_EQ(JoinProgramArguments(SettingsTemplate(),
                                 {"EDITFONT=DejaVu Sans Mono", "pubscreen=My \"Screen\"",
                                  "EDITFONTSIZE=", "a=b.guide", "NOSUCHKEY=x y", "=", "HELPHINTS=3"}),
            "EDITFONT=\"DejaVu Sans Mono\" pubscreen=\"My *\"Screen*\"\" EDITFONTSIZE=\"\" \"a=b.guide\" "
            "\"NOSUCHKEY=x y\" \"=\" HELPHINTS=3");
  std::string file;
  ASSERT_TRUE(
      GetPgmArgs(JoinProgramArguments(SettingsTemplate(), {"a=b.guide", "EDITFONT=DejaVu Sans Mono"}), file));
  EXPECT_EQ(file, "a=b.guide");
  EXPECT_EQ(Editor().editorFont.name, "DejaVu Sans Mono");
  EXPECT_EQ(JoinProgramArguments(SettingsTemplate(),
                                 {"CLI", "Notes.guide", "STARTPRI", "5", "donotwait", "WAIT", "3"}),
            "Notes.guide");
}

// Given both, the off switch wins; a font given by the user is no longer
// the system's.
TEST_F(SettingsTest, ArgumentLinesSetTheirSettings) {
  Editor().editorFont.fromSystem = true;
  std::string file;
  ASSERT_TRUE(
      GetPgmArgs("Notes.guide NOMAKEICONS MAKEICONS AUTOPREVIEW EDITFONTSIZE=9 PUBSCREEN=Work", file));
  EXPECT_EQ(file, "Notes.guide");
  EXPECT_FALSE(Editor().makeIcons);
  EXPECT_FALSE(Editor().editorFont.fromSystem);
}

// A variable longer than twice the template cannot be a settings line: it
// is passed over, and the defaults stay.
TEST_F(SettingsTest, AnOverlongVariableIsPassedOver) {
  std::string tooLong = "NOMAKEICONS" + std::string(2 * SettingsTemplate().size(), ' ');
  ASSERT_TRUE(SetVar(kSettingsVariable, tooLong, VarScope::Session));
  EXPECT_FALSE(GetEnvVars());
  EXPECT_TRUE(Editor().makeIcons);
  ASSERT_TRUE(SetVar(kSettingsVariable, "NOMAKEICONS", VarScope::Session));
  EXPECT_TRUE(GetEnvVars());
  EXPECT_FALSE(Editor().makeIcons);
}

using Carried = testing::CarriedSettings;

// What the defaults become with the line applied.
Carried ReadBack(const std::string& line) {
  SetDefSettings();
  std::string file;
  EXPECT_TRUE(GetPgmArgs(line, file)) << line;
  EXPECT_EQ(file, "") << line;
  return Carried::Now();
}

// Any values round-trip: through the line, and through the variable's file
// where the line is short enough to be read at all. The first rounds are
// regressions: a value that began and ended with a quote was written as it
// stood, so the screen name "x" EDITFONTSIZE=99 " came back as x with font
// size 99; a line feed broke the line in two.
TEST_F(SettingsTest, AnySettingsRoundTrip) {
  std::mt19937 random(17);
  const std::string tricky[] = {
      "\"",  "*",  "=",  " ",    "\t",   "\n",         "\r",           "\x1b",        std::string(1, '\0'),
      "*N",  "*E", "**", "\"\"", "FILE", "PUBSCREEN=", "EDITFONTSIZE", "NOMAKEICONS", "\xe9",
      "\xff"};
  const std::string regressions[] = {"\"x\" EDITFONTSIZE=99 \"", "\"Work\"", "two\nlines", "star*\"quote"};
  auto value = [&](int round) {
    if (round < static_cast<int>(std::size(regressions))) return regressions[round];
    std::string text;
    int pieces = std::uniform_int_distribution<int>(0, 6)(random);
    for (int i = 0; i < pieces; ++i) {
      if (random() % 2 == 0)
        text += tricky[random() % std::size(tricky)];
      else
        text += static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
    }
    return text;
  };
  for (int round = 0; round < 3000; ++round) {
    Carried settings;
    settings.screen = value(round);
    settings.font = value(round);
    settings.size = round % 3 == 0 ? 14 : static_cast<int32_t>(random());
    for (bool& flag : settings.flags) flag = random() % 2 == 0;
    settings.Set();
    std::string line = SettingsLine();
    ASSERT_EQ(line.find('\n'), std::string::npos) << line;
    ASSERT_TRUE(ReadBack(line) == settings) << "round " << round << ": " << line;
    if (round % 25 != 0 || line.size() > 2 * SettingsTemplate().size()) continue;  // files are slow
    settings.Set();
    PutEnvVars(VarScope::Session);
    SetDefSettings();
    ASSERT_TRUE(GetEnvVars());
    ASSERT_TRUE(Carried::Now() == settings) << "round " << round << " through the file: " << line;
  }
}

}  // namespace
}  // namespace folioteer
