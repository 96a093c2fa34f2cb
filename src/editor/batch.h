// The batch mode: a script (editor/script.h) run through the real start-up,
// command loop and end of the program, with the headless windows, monitor
// and requesters. Command lines are handed to the command loop as they
// stand; the steps that act as the user queue window events, and while
// events are queued the loop takes its commands from command input
// (PollCmd), exactly as it does with real windows, and so it takes a break
// (Ctrl-C, or the script's .break) as QUIT before the next step. The script
// ends with an implicit QUIT.
//
// A step that cannot happen at run time (an event for a window that is not
// open, a field the open dialog does not show) stops the script: it is
// reported with its line, the save question at the end is answered No, and
// the run exits with the status of a script that does not fit.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/batch_user.h"
#include "editor/command_source.h"
#include "editor/script.h"
#include "ui/headless_monitor.h"

namespace folioteer {

class BatchCommandSource : public CommandSource {
 public:
  BatchCommandSource(std::vector<ScriptStep> steps, HeadlessMonitor& monitor)
      : steps_(std::move(steps)), user_(monitor) {}
  // Queues the answers that precede the first command.
  void QueueStartupAnswers();
  EditorCmd NxtCmd(std::string& argLine) override;
  // A step stopped the script.
  bool Failed() const { return failed_; }

 private:
  void Perform(const ScriptStep& step);
  EditorCmd Stop(const std::string& failure, std::string& argLine);
  std::vector<ScriptStep> steps_;
  size_t next_ = 0;
  BatchUser user_;
  bool failed_ = false;
};

// Runs the editor on the steps, with the window toolkit on a headless
// monitor for the length of the run; the program's exit status.
int RunBatch(std::vector<ScriptStep> steps);

// The state of the headless windows and the editor, in a stable form.
std::string DescribeState(const std::string& parts);

}  // namespace folioteer
