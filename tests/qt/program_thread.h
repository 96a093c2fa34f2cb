// A stand-in for the program thread in tests of the Qt library: runs a
// function on a thread of its own while the test drives the Qt thread.
// Leaving the scope closes the calls into the Qt thread first, so a test that
// fails while the thread still waits for a dialog ends instead of hanging.
#pragma once

#include <QTest>
#include <atomic>
#include <functional>
#include <thread>

#include "qt/gui_call.h"

namespace folioteer {

class ProgramThread {
 public:
  explicit ProgramThread(std::function<void()> work)
      : thread_([this, work = std::move(work)] {
          work();
          finished_ = true;
        }) {}
  ~ProgramThread() {
    CloseGuiCalls();
    thread_.join();
  }
  ProgramThread(const ProgramThread&) = delete;
  ProgramThread& operator=(const ProgramThread&) = delete;

  // Runs the Qt thread's events until the work is done; FALSE after 5 s.
  bool Finish() {
    return QTest::qWaitFor([this] { return finished_.load(); }, 5000);
  }
  bool Finished() const { return finished_; }

 private:
  std::atomic<bool> finished_{false};
  std::thread thread_;
};

}  // namespace folioteer
