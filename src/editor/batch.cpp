#include "editor/batch.h"

#include <cstdio>

#include "editor/command_arguments.h"
#include "editor/command_input.h"
#include "editor/main_program.h"
#include "guide/syntax.h"
#include "nodes/node_registry.h"
#include "state/editor_state.h"
#include "support/arg_template.h"
#include "support/assert.h"
#include "support/requesters.h"
#include "ui/headless_windows.h"
#include "ui/monitor.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

using Kind = ScriptStep::Kind;

void Report(int line, const std::string& message) {
  std::string text = "Folioteer: script line " + std::to_string(line) + ": " + message + "\n";
  std::fputs(text.c_str(), stderr);
}

// What command input would refuse: a command of the wrong scope, a second
// command of a kind that may stand once.
bool AcceptedNewCommand(const ScriptStep& step) {
  std::optional<std::vector<ArgValue>> args = ReadArgs(step.text, *CmdInfo(step.cmd).cmdTempl);
  if (!args || !(*args)[0].present) return true;  // the handler deals with it
  AGCmdKind kind = MatchCommand((*args)[0].text);
  if (kind == AGCmdKind::None) return true;
  bool global = step.cmd == EditorCmd::NewGbl;
  CmdModSet mods = GetCmdInfo(kind);
  if (!mods.Has(global ? CmdModifier::Global : CmdModifier::Local)) {
    Report(step.line,
           GetCmdName(kind) + (global ? " is not a global command" : " is not a node-local command"));
    return false;
  }
  return !RefusedAsExisting(step.cmd, kind);
}

// A command the events gave, with its argument line (a long one cut short).
void ReportCmd(EditorCmd cmd, const std::string& argLine) {
  constexpr size_t kShown = 300;
  std::string line = "Command from the windows: " + std::string(*CmdInfo(cmd).cmdName);
  if (!argLine.empty()) line += " " + argLine.substr(0, kShown) + (argLine.size() > kShown ? "..." : "");
  for (char& ch : line)
    if (ch == '\n') ch = '|';
  std::fputs((line + "\n").c_str(), stderr);
}

bool IsAnswer(Kind kind) { return kind == Kind::Button || kind == Kind::Reply || kind == Kind::Cancel; }

}  // namespace

void BatchCommandSource::QueueStartupAnswers() {
  while (next_ < steps_.size() && IsAnswer(steps_[next_].kind)) Perform(steps_[next_++]);
}

EditorCmd BatchCommandSource::NxtCmd(std::string& argLine) {
  while (true) {
    EditorCmd cmd = EditorCmd::None;
    bool found = PollCmd(cmd, argLine);
    if (std::string failure = user_.TakeFailure(); !failure.empty()) return Stop(failure, argLine);
    if (found) {
      if (cmd != EditorCmd::None) ReportCmd(cmd, argLine);
      return cmd;
    }
    if (next_ >= steps_.size()) break;
    const ScriptStep& step = steps_[next_++];
    if (step.kind == Kind::Command) {
      if ((step.cmd != EditorCmd::NewGbl && step.cmd != EditorCmd::NewLcl) || AcceptedNewCommand(step)) {
        argLine = step.text;
        return step.cmd;
      }
      continue;
    }
    std::string why;
    if (!user_.Act(step, why)) return Stop(std::to_string(step.line) + ": " + why, argLine);
    Perform(step);
  }
  argLine.clear();
  return EditorCmd::Quit;
}

// The script ends here; nothing it did is saved over the file.
EditorCmd BatchCommandSource::Stop(const std::string& failure, std::string& argLine) {
  std::fputs(("Folioteer: script line " + failure + "\n").c_str(), stderr);
  failed_ = true;
  next_ = steps_.size();
  DefaultHeadlessRequesters().ClearQueue();
  DefaultHeadlessRequesters().Queue(QueuedAnswer::Button(0));
  argLine.clear();
  return EditorCmd::Quit;
}

void BatchCommandSource::Perform(const ScriptStep& step) {
  HeadlessWindows& windows = DefaultHeadlessWindows();
  HeadlessRequesters& requesters = DefaultHeadlessRequesters();
  const std::vector<int>& n = step.numbers;
  switch (step.kind) {
    case Kind::Text: windows.SetEditText(step.text); break;
    case Kind::Cursor: windows.SetCursor({n[0], n[1]}); break;
    case Kind::Block: windows.Select({n[0], n[1]}, {n[2], n[3]}); break;
    case Kind::Button: requesters.Queue(QueuedAnswer::Button(n[0])); break;
    case Kind::Reply: requesters.Queue(QueuedAnswer::Text(step.text)); break;
    case Kind::Cancel: requesters.Queue(QueuedAnswer::Cancel()); break;
    case Kind::Print: std::fputs(DescribeState(step.text).c_str(), stdout); break;
    case Kind::Echo: std::fputs((step.text + "\n").c_str(), stdout); break;
    default: break;  // the user's steps: BatchUser
  }
  std::fflush(stdout);
}

int RunBatch(std::vector<ScriptStep> steps) {
  HeadlessMonitor monitor;
  StartWindowToolkit(monitor);
  int status = kExitNormal;
  try {
    BatchCommandSource script(std::move(steps), monitor);
    script.QueueStartupAnswers();
    status = RunEditor(script);
    if (script.Failed() && status == kExitNormal) status = kExitBadCommandLine;
  } catch (...) {
    DisposeMyWndos();
    StopWindowToolkit();
    throw;
  }
  DisposeMyWndos();
  StopWindowToolkit();
  return status;
}

}  // namespace folioteer
