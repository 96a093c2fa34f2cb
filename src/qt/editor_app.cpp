#include "qt/editor_app.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPixmap>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "editor/command_input.h"
#include "editor/main_program.h"
#include "editor/settings/settings.h"
#include "qt/button_images.h"
#include "qt/gui_call.h"
#include "support/assert.h"
#include "ui/monitor.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

constexpr int kScreenshotPollMilliseconds = 50;

void Complain(const std::string& message) { std::fputs(("folioteer: " + message + "\n").c_str(), stderr); }

}  // namespace

// The Qt requesters while the windows are there; the headless ones once the
// program must end without them.
class EditorApp::EndingRequesters : public folioteer::Requesters {
 public:
  explicit EndingRequesters(QtRequesters& windows) : windows_(windows) {}
  void SetEnding() { ending_ = true; }

  int InfoRequest(std::string_view title, std::string_view text, std::string_view buttons) override {
    return Current().InfoRequest(title, text, buttons);
  }
  std::optional<std::string> TextRequest(std::string_view title, std::string_view prompt,
                                         std::string_view initial, int maxLength) override {
    return Current().TextRequest(title, prompt, initial, maxLength);
  }
  std::optional<std::string> FileRequest(std::string_view title, std::string_view pattern,
                                         FileRequestMode mode) override {
    return Current().FileRequest(title, pattern, mode);
  }
  std::optional<FontChoice> FontRequest(std::string_view title, const FontChoice& initial) override {
    return Current().FontRequest(title, initial);
  }
  void Warning(std::string_view message) override { Current().Warning(message); }

 private:
  folioteer::Requesters& Current() {
    if (ending_) return DefaultHeadlessRequesters();
    return windows_;
  }

  QtRequesters& windows_;
  std::atomic<bool> ending_{false};
};

EditorApp::EditorApp() {
  InitButtonImages();
  monitor_ = std::make_unique<QtMonitor>([this] { requesters_.CancelOpenRequester(); });
  windows_ = std::make_unique<WindowSet>(*monitor_);
  monitor_->Attach(*windows_);
  input_ = std::make_unique<WindowInput>(*windows_, *monitor_);
  ending_ = std::make_unique<EndingRequesters>(requesters_);
  windowSystem_ = std::make_unique<QtWindows>(*windows_, requesters_);
  requesters_.SetReferenceWindow(&windows_->Main());
  windows_->SetReferenceHook([this](QWidget* window) { requesters_.SetReferenceWindow(window); });
}

EditorApp::~EditorApp() { Finish(); }

void EditorApp::Start(std::vector<std::string> programArgs) {
  if (program_.joinable()) return;
  InstallWindowSystem(windowSystem_.get());
  InstallRequesters(ending_.get());
  program_ = std::thread([this, args = std::move(programArgs)]() mutable { RunProgram(std::move(args)); });
}

// The program task: the toolkit, the main program, and the windows' end.
void EditorApp::RunProgram(std::vector<std::string> programArgs) {
  SetProgramTask();
  SetProgramArguments(std::move(programArgs));
  int status = kExitFatal;
  try {
    StartWindowToolkit(*monitor_);
    WindowCommandSource source;
    status = RunEditor(source);
  } catch (const std::exception& failure) {
    Complain(std::string("the program ended on an error: ") + failure.what());
  }
  try {
    DisposeMyWndos();
    StopWindowToolkit();
  } catch (const std::exception& failure) {
    Complain(std::string("the windows did not close cleanly: ") + failure.what());
  }
  status_ = status;
  ended_ = true;
  QMetaObject::invokeMethod(
      this, [this, status] { emit ProgramEnded(status); }, Qt::QueuedConnection);
}

void EditorApp::Finish() {
  if (!program_.joinable()) return;
  if (!ended_) EndProgram();
  program_.join();
  InstallRequesters(nullptr);
  InstallWindowSystem(nullptr);
}

void EditorApp::EndProgram() {
  ending_->SetEnding();
  requesters_.CancelOpenRequester();
  if (windows_->Dialog().isVisible()) monitor_->PostInput(WindowId::Dialog, EvntInput(EvntKind::CloseWindow));
  NoteBreak();
  QEventLoop loop;
  connect(this, &EditorApp::ProgramEnded, &loop, &QEventLoop::quit);
  if (!ended_) loop.exec();
}

// ---------------------------------------------------------------------------
// The program's run

namespace {

// Saves a picture of the main window once it is shown, then ends the event
// loop; the program then ends without saving the guide.
void TakePictureWhenShown(EditorApp& editor, const QString& file) {
  auto* poll = new QTimer(&editor);
  poll->setInterval(kScreenshotPollMilliseconds);
  QObject::connect(poll, &QTimer::timeout, &editor, [&editor, poll, file] {
    MainWindow& main = editor.Windows().Main();
    if (!main.isVisible() || !editor.Monitor().Idle()) return;
    poll->stop();
    bool saved = main.grab().save(file, "PNG");
    if (!saved) Complain("cannot write the picture " + file.toStdString());
    DefaultHeadlessRequesters().Queue(QueuedAnswer::Button(0));  // do not save
    QApplication::exit(saved ? kExitNormal : kExitFatal);
  });
  poll->start();
}

}  // namespace

int RunEditorWindows(const std::vector<std::string>& programArgs, const std::string& platforms) {
  qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platforms));
  // Our arguments are not Qt's: Qt sees only the program's name.
  int argc = 1;
  char name[] = "folioteer";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Folioteer"));
  QApplication::setApplicationVersion(QStringLiteral("1.0"));
  QGuiApplication::setDesktopFileName(QStringLiteral("folioteer"));
  // Closing a window is the program's decision, not Qt's.
  QApplication::setQuitOnLastWindowClosed(false);
  GuiCallScope calls;
  EditorApp editor;
  QApplication::setWindowIcon(ProgramIcon());
  QObject::connect(&editor, &EditorApp::ProgramEnded, &application,
                   [](int status) { QApplication::exit(status); });
  const char* picture = std::getenv("FOLIOTEER_SCREENSHOT");
  if (picture != nullptr && *picture != '\0') TakePictureWhenShown(editor, QString::fromLocal8Bit(picture));
  editor.Start(programArgs);
  int loopStatus = QApplication::exec();
  editor.Finish();
  return std::max(loopStatus, editor.Status());
}

}  // namespace folioteer
