// The window toolkit on a headless monitor for the life of a test: what the
// window operations need to make and open their windows.
#pragma once

#include "support/assert.h"
#include "ui/headless_monitor.h"
#include "ui/monitor.h"
#include "ui/windows.h"

namespace folioteer::testing {

class HeadlessToolkit {
 public:
  HeadlessToolkit() {
    SetProgramTask();
    StartWindowToolkit(monitor);
  }
  ~HeadlessToolkit() {
    DisposeMyWndos();
    StopWindowToolkit();
  }
  HeadlessToolkit(const HeadlessToolkit&) = delete;
  HeadlessToolkit& operator=(const HeadlessToolkit&) = delete;

  HeadlessMonitor monitor;
};

}  // namespace folioteer::testing
