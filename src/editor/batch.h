// The batch mode: a script of editor commands run through the real start-up,
// command loop and end of the program, with the headless windows and
// requesters. Each line is an editor command by its name (any letter case)
// and its argument line, or a directive (a line starting with "."), or a
// comment ("#" or ";"). The script ends with an implicit QUIT; a break
// (Ctrl-C) makes the next command QUIT, and the rest of the script is not run.
//
// Directives:
//   .text TEXT            the edit box holds TEXT (one line)
//   .text <<END           the edit box holds the following lines, up to END
//   .cursor LINE COLUMN   places the cursor (both counted from 0, columns in bytes)
//   .block L1 C1 L2 C2    selects a block, up to (not including) L2 C2
//   .select LIST ROW      selects a row as a click does (LIST: global, nodes,
//                         local, misspells; ROW -1: none)
//   .button N             the next information requester answers N
//   .reply TEXT           the next text, file or font requester answers TEXT
//                         (a font as "NAME SIZE")
//   .cancel               the next requester is cancelled
//   .print [PART...]      prints the state on standard output (PARTs: nodes,
//                         globals, locals, text, labels, status, controls,
//                         menus, misspells, windows, settings, preview; all
//                         but preview when none)
//   .echo TEXT            prints TEXT on standard output
// Answers that come before the first command serve the requesters of the
// start-up (choosing the file, confirming a new one).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/command_source.h"

namespace folioteer {

struct ScriptStep {
  enum class Kind { Command, Text, Cursor, Block, Select, Button, Reply, Cancel, Print, Echo };
  Kind kind = Kind::Command;
  int line = 0;  // in the script, from 1
  EditorCmd cmd = EditorCmd::None;
  std::string text;          // argument line, text, reply, echo, print parts, list name
  std::vector<int> numbers;  // cursor, block, row, button
};

// The steps of a script; empty, with the reason in error ("LINE: why"),
// when any line is not understood.
std::optional<std::vector<ScriptStep>> ParseScript(const std::string& source, std::string& error);

class BatchCommandSource : public CommandSource {
 public:
  explicit BatchCommandSource(std::vector<ScriptStep> steps) : steps_(std::move(steps)) {}
  // Queues the answers that precede the first command.
  void QueueStartupAnswers();
  EditorCmd NxtCmd(std::string& argLine) override;

 private:
  bool Perform(const ScriptStep& step);  // TRUE when the step is a command to hand out
  std::vector<ScriptStep> steps_;
  size_t next_ = 0;
};

// The state of the headless windows and the editor, in a stable form.
std::string DescribeState(const std::string& parts);

}  // namespace folioteer
