#include "editor/command_input.h"

#include <gtest/gtest.h>

#include <future>

#include "editor/batch.h"
#include "editor/command_arguments.h"
#include "nodes/node_test_util.h"
#include "support/arg_template.h"
#include "support/requesters.h"
#include "ui/headless_windows.h"
#include "ui/monitor.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

ScriptStep Step(ScriptStep::Kind kind) {
  ScriptStep step;
  step.kind = kind;
  return step;
}

// A guide open in the editor with its windows on the headless monitor,
// the node Two shown in the edit window.
class CommandInputTest : public testing::OpenGuideTest {
 protected:
  void SetUp() override {
    Open("@database g\n@node MAIN \"Main\"\nmain\n@endnode\n@node Two \"Second\"\ntwo\n@endnode\n");
    ShowNodeText(FindNodeByIdx(1));
    DefaultHeadlessRequesters().ClearQueue();
    while (TakeBreak()) {
    }
  }
  HeadlessMonitor& monitor() { return toolkit.monitor; }
  // FALSE when the window cannot take input.
  bool Post(WindowId window, Control control, int count = 1) {
    bool posted = true;
    for (int i = 0; i < count; ++i)
      posted =
          monitor().PostInput(WindowWndo(window), EvntInput(EvntKind::GadgetUp, ControlGadget(control))) &&
          posted;
    return posted;
  }
  // Every command that the queued events give.
  std::vector<EditorCmd> PollAll() {
    std::vector<EditorCmd> cmds;
    EditorCmd cmd;
    std::string line;
    while (PollCmd(cmd, line)) cmds.push_back(cmd);
    return cmds;
  }
};

// A program waiting for its next command wakes as soon as the user acts,
// not at the end of the timed wait.
TEST_F(CommandInputTest, TheWaitEndsWithTheUsersAction) {
  SetListSelectedIdx(ListId::Nodes, 0);
  std::future<std::pair<EditorCmd, std::string>> program = std::async(std::launch::async, [] {
    std::string line;
    EditorCmd cmd = NxtCmd(line);
    return std::pair{cmd, line};
  });
  ASSERT_EQ(program.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
  ASSERT_TRUE(Post(WindowId::Main, Control::NodeList));
  ASSERT_EQ(program.wait_for(std::chrono::seconds(kCmdWaitSeconds / 2)), std::future_status::ready);
  EXPECT_EQ(program.get(), (std::pair<EditorCmd, std::string>{EditorCmd::ShowNode, "NodePos 0"}));
}

// The break signal comes before every queued event.
TEST_F(CommandInputTest, TheBreakSignalMeansQuit) {
  ASSERT_TRUE(Post(WindowId::Edit, Control::Show));
  monitor().TurnNow();
  NoteBreak();
  EditorCmd cmd;
  std::string line = "stale";
  ASSERT_TRUE(PollCmd(cmd, line));
  EXPECT_EQ(cmd, EditorCmd::Quit);
  EXPECT_EQ(line, "");
  EXPECT_EQ(PollAll(), std::vector<EditorCmd>{EditorCmd::DispNode});
}

// Bad input: whatever a dialog field or a requester is answered with (1 MB,
// quotes, the template's escape character, a line feed, blanks at the ends)
// comes back unchanged when the command parses its argument line.
TEST_F(CommandInputTest, AnswersParseBackToWhatWasTyped) {
  std::string big(1 << 20, 'x');
  big[1000] = '"';
  big[2000] = '\n';
  for (const std::string& value : {big, std::string("\"quoted\""), std::string("star * and *N"),
                                   std::string("  blanks  "), std::string("")}) {
    ScriptStep dialog = Step(ScriptStep::Kind::Dialog);
    dialog.answer = {{{"Strng", value}}, false, true};
    ScriptStep popup = Step(ScriptStep::Kind::Popup);
    popup.numbers = {static_cast<int>(Control::AddGlobal)};
    popup.text = "@author";
    ScriptStep link = Step(ScriptStep::Kind::Dialog);
    link.answer = {{{"LinkText", value}, {"Op", "SYSTEM"}, {"NodeRef", value + "!"}}, false, true};
    ScriptStep press = Step(ScriptStep::Kind::Press);
    press.numbers = {static_cast<int>(Control::Link)};
    BatchCommandSource source({dialog, popup, link, press}, monitor());
    std::string line;
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(source.NxtCmd(line), EditorCmd::NewGbl);
    std::optional<std::vector<ArgValue>> args = ReadArgs(line, *CmdInfo(EditorCmd::NewGbl).cmdTempl);
    ASSERT_TRUE(args.has_value()) << line.substr(0, 80);
    EXPECT_TRUE((*args)[2].text == value) << value.substr(0, 80);
    ASSERT_EQ(source.NxtCmd(line), EditorCmd::NewLink);
    ::testing::internal::GetCapturedStderr();
    args = ReadArgs(line, *CmdInfo(EditorCmd::NewLink).cmdTempl);
    ASSERT_TRUE(args.has_value()) << line.substr(0, 80);
    EXPECT_TRUE((*args)[1].text == value) << value.substr(0, 80);
    EXPECT_EQ((*args)[2].text, "SYSTEM");
    EXPECT_TRUE((*args)[3].text == value + "!") << value.substr(0, 80);
  }
}

// A node name from the requester, quoted likewise; cut at the requester's
// length.
TEST_F(CommandInputTest, ANodeNameParsesBackCutAtItsLength) {
  for (const std::string& name : {std::string("a \"b\" *c"), std::string(200, 'n')}) {
    DefaultHeadlessRequesters().Queue(QueuedAnswer::Text(name));
    ASSERT_TRUE(Post(WindowId::Main, Control::NewNode));
    monitor().TurnNow();
    EditorCmd cmd;
    std::string line;
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(PollCmd(cmd, line));
    ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(cmd, EditorCmd::NewNode);
    std::optional<std::vector<ArgValue>> args = ReadArgs(line, *CmdInfo(cmd).cmdTempl);
    ASSERT_TRUE(args.has_value()) << line;
    EXPECT_EQ((*args)[0].text, name.substr(0, kNodeTextMax));
    EXPECT_EQ((*args)[1].number, -1);
  }
}

}  // namespace
}  // namespace folioteer
