#include "editor/command_table.h"

#include <gtest/gtest.h>

#include "editor/settings/settings.h"
#include "guide/syntax.h"

namespace folioteer {
namespace {

TEST(CommandTable, NamesTemplatesAndSwitches) {
  EXPECT_EQ(*CmdInfo(EditorCmd::None).cmdName, "");
  EXPECT_EQ(*CmdInfo(EditorCmd::None).cmdTempl, "");
  for (int cmd = 1; cmd < kNumEditorCmds; ++cmd) {
    EditorCmd id = static_cast<EditorCmd>(cmd);
    EXPECT_FALSE(CmdInfo(id).cmdName->empty()) << cmd;
    EXPECT_EQ(MatchEditorCmd(*CmdInfo(id).cmdName), id);
  }
  EXPECT_EQ(MatchEditorCmd("editnodedescrip"), EditorCmd::EditNodeDescrip);
  EXPECT_EQ(MatchEditorCmd("NOPE"), EditorCmd::None);
  EXPECT_EQ(*CmdInfo(EditorCmd::NewLink).cmdHint, "Insert a LINK/RX/RSX/SYSTEM command");
  EXPECT_EQ(CmdInfo(EditorCmd::SetEdFont).settingSwitch, 2);
  EXPECT_EQ(CmdInfo(EditorCmd::SpellChk).settingSwitch, 12);
  EXPECT_EQ(NumBoolsSettings(), 5);
  EXPECT_EQ(SettingsTemplate(),
            "FILE,PUBSCREEN/K,EDITFONT/K,EDITFONTSIZE/N,MAKEICONS/S,NOMAKEICONS/S,AUTOPREVIEW/S,"
            "AUTOPREVIEWOFF/S,USETABATTR/S,USETABATTROFF/S,HELPHINTS/S,HELPHINTSOFF/S,SPELLCHECK/S,"
            "SPELLCHECKOFF/S");
}

TEST(CommandTable, ParsingArgumentLines) {
  ParamsArray params;
  AllocParamsArray("NodePos/N/A", params);
  ASSERT_TRUE(GetParams("NodePos 3", "NodePos/N/A", params));
  EXPECT_EQ(params[0].ptype, ParamType::Number);
  EXPECT_EQ(params[0].numberValue, 3);
  EXPECT_TRUE(params[0].present);
  EXPECT_FALSE(GetParams("", "NodePos/N/A", params));
  EXPECT_FALSE(GetParams("NodePos x", "NodePos/N/A", params));

  AllocParamsArray("On/S,Off/S", params);
  ASSERT_TRUE(GetParams("On", "On/S,Off/S", params));
  EXPECT_TRUE(params[0].present && params[0].switchValue && !params[1].present);
  ASSERT_TRUE(GetParams("", "On/S,Off/S", params));
  EXPECT_FALSE(params[0].present || params[1].present);

  const char* title = "NodeName/K,NodePos/K/N,NodeTitle/A/F";
  AllocParamsArray(title, params);
  ASSERT_TRUE(GetParams("NodePos 2 NodeTitle A new title", title, params));
  EXPECT_FALSE(params[0].present);
  EXPECT_EQ(params[2].stringValue, "A new title");
  DisposeParamsArray(title, params);
  EXPECT_TRUE(params.empty());
}

TEST(CommandTable, DefaultParameters) {
  EXPECT_EQ(DefaultCmdParams(AGCmdKind::Font).Strng, "CGTimes.font");
  EXPECT_EQ(DefaultCmdParams(AGCmdKind::Font).Num, 18);
  EXPECT_EQ(DefaultCmdParams(AGCmdKind::Tab).Num, 3);
  EXPECT_FALSE(DefaultCmdParams(AGCmdKind::Title).Strng.has_value());
  EXPECT_EQ(DefaultAttrParams(AGAttrKind::Bg).Num, 5);
  EXPECT_EQ(DefaultAttrParams(AGAttrKind::Lindent).Num, 3);
  EXPECT_EQ(VersionDefault(5, 3, 2026), "0.0 (5.3.2026)");
  EXPECT_EQ(DefaultCmdParams(AGCmdKind::Version).Strng->rfind("0.0 (", 0), 0u);
}

TEST(Settings, CommandLineWordsAreJoinedSafely) {
  EXPECT_EQ(JoinProgramArguments({"My Notes.guide", "PUBSCREEN=Work", "say\"hi"}),
            "\"My Notes.guide\" PUBSCREEN=Work \"say*\"hi\"");
  EXPECT_EQ(JoinProgramArguments({"CLI", "Notes.guide", "STARTPRI", "5", "donotwait", "WAIT", "3"}), "Notes.guide");
}

}  // namespace
}  // namespace folioteer
