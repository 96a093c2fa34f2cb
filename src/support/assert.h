// Assertions and warnings.
//
// An assertion guards a state that valid use cannot reach. When it fails on the
// program task it throws AssertionFailure, which carries the message and the
// place (source file name without directory, line) where it failed; the command
// loop and the window layer are the only places that turn it into a message
// for the user. On any other thread it must not unwind across the thread
// boundary, so it writes "*Assert FAILED in child" and the message to the debug
// output and returns.
//
// A warning shows its message in an information requester titled "Folioteer"
// with the single button " _Ok " and lets the caller go on.
#pragma once

#include <source_location>
#include <stdexcept>
#include <string>
#include <string_view>

namespace folioteer {

class AssertionFailure : public std::runtime_error {
 public:
  AssertionFailure(std::string message, std::string module, int line);

  const std::string& Message() const { return message_; }
  const std::string& Module() const { return module_; }
  int Line() const { return line_; }

 private:
  std::string message_;
  std::string module_;
  int line_;
};

// Fails unconditionally: throws on the program task, reports on other threads.
void AssertFail(std::string_view message, std::source_location where = std::source_location::current());

inline void Assert(bool condition, std::string_view message,
                   std::source_location where = std::source_location::current()) {
  if (!condition) AssertFail(message, where);
}

// Marks the calling thread as the program task. Until a thread is marked,
// every thread counts as the program task.
void SetProgramTask();
bool OnProgramTask();

// Shows the message through the requester layer and returns.
void ShowWarning(std::string_view message);
// The editor's two warnings: a text; a message and a text, joined by a blank
// unless the message ends in one.
void ShowWarningS(std::string_view text);
void ShowWarningDS(std::string_view message, std::string_view text);

}  // namespace folioteer
