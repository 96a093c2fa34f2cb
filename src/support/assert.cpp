#include "support/assert.h"

#include <atomic>
#include <thread>

#include "support/debug_output.h"
#include "support/requesters.h"

namespace folioteer {
namespace {

std::atomic<std::thread::id> programTask{};

std::string ModuleName(const char* path) {
  std::string_view name(path);
  if (auto slash = name.find_last_of('/'); slash != std::string_view::npos) name.remove_prefix(slash + 1);
  return std::string(name);
}

}  // namespace

AssertionFailure::AssertionFailure(std::string message, std::string module, int line)
    : std::runtime_error(message + " (" + module + ":" + std::to_string(line) + ")"),
      message_(std::move(message)),
      module_(std::move(module)),
      line_(line) {}

void AssertFail(std::string_view message, std::source_location where) {
  std::string module = ModuleName(where.file_name());
  int line = static_cast<int>(where.line());
  if (!OnProgramTask()) {
    DebugPrint("*Assert FAILED in child: " + std::string(message) + " (" + module + ":" +
               std::to_string(line) + ")");
    return;
  }
  throw AssertionFailure(std::string(message), module, line);
}

void SetProgramTask() { programTask.store(std::this_thread::get_id()); }

bool OnProgramTask() {
  std::thread::id task = programTask.load();
  return task == std::thread::id{} || task == std::this_thread::get_id();
}

void ShowWarning(std::string_view message) { CurrentRequesters().Warning(message); }

void ShowWarningS(std::string_view text) { ShowWarning(text); }

void ShowWarningDS(std::string_view message, std::string_view text) {
  std::string whole(message);
  if (!whole.empty() && whole.back() != ' ' && !text.empty()) whole += ' ';
  whole += text;
  ShowWarning(whole);
}

}  // namespace folioteer
