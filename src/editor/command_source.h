// Where the command loop takes its commands from: command input of the
// windows, or the script of the batch mode.
#pragma once

#include <string>

#include "editor/command_table.h"

namespace folioteer {

class CommandSource {
 public:
  virtual ~CommandSource() = default;
  // The next command, its arguments in argLine; None when the user cancelled
  // what the command needed (the loop then simply asks again).
  virtual EditorCmd NxtCmd(std::string& argLine) = 0;
};

}  // namespace folioteer
