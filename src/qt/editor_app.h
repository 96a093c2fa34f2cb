// The editor with its Qt windows: the Qt thread's side of the program.
//
// EditorApp makes the window set, the monitor, the Qt requesters and the
// window system of the windows on the Qt thread, and runs the program task
// (the toolkit's start, the main program, the end of the windows) on a
// thread of its own. The program's end is reported with ProgramEnded; the
// Qt thread never waits for the program thread, except in Finish, once the
// event loop has ended.
//
// When the event loop ends first (the window system went away, the program
// was asked to quit from outside, a picture was taken), Finish ends the
// program the way Ctrl-C does: requesters are answered without windows from
// then on (the headless ones: the save question saves unless an answer is
// queued), an open requester is cancelled and an open dialog closed, the
// break makes the next command QUIT, and the event loop runs on until the
// program has ended.
#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "qt/qt_monitor.h"
#include "qt/qt_requesters.h"
#include "qt/qt_windows.h"
#include "qt/window_input.h"
#include "qt/window_set.h"

namespace folioteer {

class EditorApp : public QObject {
  Q_OBJECT

 public:
  // On the Qt thread, once the QApplication exists and the calls into the Qt
  // thread are open.
  EditorApp();
  ~EditorApp() override;

  // Starts the program with the words of its command line (the settings).
  void Start(std::vector<std::string> programArgs);
  bool Ended() const { return ended_; }
  int Status() const { return status_; }
  // Ends the program if it still runs, and waits for its thread.
  void Finish();

  WindowSet& Windows() { return *windows_; }
  QtMonitor& Monitor() { return *monitor_; }
  QtRequesters& Requesters() { return requesters_; }

 signals:
  void ProgramEnded(int status);

 private:
  class EndingRequesters;

  void RunProgram(std::vector<std::string> programArgs);
  void EndProgram();

  // The windows report to the monitor until they are gone.
  std::unique_ptr<QtMonitor> monitor_;
  std::unique_ptr<WindowSet> windows_;
  std::unique_ptr<WindowInput> input_;
  QtRequesters requesters_;
  std::unique_ptr<EndingRequesters> ending_;
  std::unique_ptr<QtWindows> windowSystem_;
  std::thread program_;
  std::atomic<bool> ended_{false};
  std::atomic<int> status_{0};
};

// The editor's run with windows: Qt on the given platforms, the program, and
// with FOLIOTEER_SCREENSHOT naming a file, a picture of the main window saved
// there once it is shown, after which the program ends without saving. The
// program's exit status.
int RunEditorWindows(const std::vector<std::string>& programArgs, const std::string& platforms);

}  // namespace folioteer
