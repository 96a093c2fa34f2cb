// Driving the real editor through its Qt windows as a user does, each step
// waiting on a condition, never on time. EditorRun starts the editor on a
// guide in a folder of its own; leaving it ends the program without saving.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "qt/editor_app.h"
#include "qt/gui_call.h"
#include "qt/info_requester.h"
#include "qt/text_requester.h"
#include "support/requesters.h"

namespace folioteer::testing {

inline constexpr int kWaitMilliseconds = 20000;

inline std::string ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

inline bool WriteBytes(const QString& path, const std::string& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) &&
         file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

// Runs the Qt thread's events until the condition holds; FALSE after
// kWaitMilliseconds. Unlike QTest::qWaitFor it sleeps only until the next
// event, so the program's many calls into the Qt thread wait out no sleeps.
template <typename Condition>
bool WaitFor(Condition condition, int milliseconds = kWaitMilliseconds) {
  QDeadlineTimer deadline(milliseconds);
  QTimer wake;
  wake.start(5);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  return true;
}

class EditorRun {
 public:
  // The words are the command line after the guide's NAME.
  enum class Starting { Now, Later };
  EditorRun(const std::string& guide, std::vector<std::string> words = {"NOMAKEICONS"},
            const QString& name = QStringLiteral("Test.guide"), Starting starting = Starting::Now)
      : path_(dir_.filePath(name)) {
    QDir(dir_.path()).mkpath(QStringLiteral("config"));
    qputenv("XDG_RUNTIME_DIR", dir_.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", dir_.filePath(QStringLiteral("config")).toLocal8Bit());
    WriteBytes(path_, guide);
    QDir::setCurrent(dir_.path());
    OpenGuiCalls();
    app_ = std::make_unique<EditorApp>();
    words.insert(words.begin(), name.toStdString());
    words_ = std::move(words);
    if (starting == Starting::Now) Start();
  }
  void Start() { app_->Start(words_); }
  ~EditorRun() {
    if (!app_->Ended()) {
      DefaultHeadlessRequesters().ClearQueue();
      DefaultHeadlessRequesters().Queue(QueuedAnswer::Button(0));
    }
    app_->Finish();
    app_.reset();
    CloseGuiCalls();
    DefaultHeadlessRequesters().ClearQueue();
  }
  EditorRun(const EditorRun&) = delete;
  EditorRun& operator=(const EditorRun&) = delete;

  EditorApp& App() { return *app_; }
  WindowSet& Windows() { return app_->Windows(); }
  QString Folder() const { return dir_.path(); }
  std::string Saved() const { return ReadBytes(path_); }

  bool WaitIdle() {
    return WaitFor([this] { return app_->Monitor().Idle(); });
  }
  bool WaitEnded() {
    return WaitFor([this] { return app_->Ended(); });
  }

  template <typename Widget>
  Widget* Control(folioteer::Control control) {
    return Windows().Controls().Get<Widget>(control);
  }
  bool Enabled(folioteer::Control control) {
    QWidget* widget = Windows().Controls().Widget(control);
    return widget != nullptr && widget->isEnabled();
  }

  // A click on an enabled button on show.
  bool Press(folioteer::Control control) {
    auto* button = Control<QAbstractButton>(control);
    if (button == nullptr || !button->isEnabled() || !button->isVisible()) return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
  }
  bool PressAndWait(folioteer::Control control) { return Press(control) && WaitIdle(); }

  // Chooses the row of a pop-up by its text, as its menu does.
  bool Pick(folioteer::Control popup, const QString& row) {
    auto* button = Control<PopupButton>(popup);
    if (button == nullptr || !button->isEnabled()) return false;
    for (QAction* action : button->Rows()->actions()) {
      if (action->text() != row) continue;
      action->trigger();
      return true;
    }
    return false;
  }

  bool ClickRow(folioteer::Control list, int row) {
    RowList* view = Control<RowList>(list);
    if (view == nullptr || !view->isVisible() || row < 0 || row >= view->RowCount()) return false;
    QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    return WaitIdle();
  }
  std::vector<std::string> Rows(folioteer::Control list) {
    std::vector<std::string> rows;
    RowList* view = Control<RowList>(list);
    for (int row = 0; view != nullptr && row < view->RowCount(); ++row) rows.push_back(view->RowText(row));
    return rows;
  }

  bool Menu(MenuItem item) {
    QAction* action = Windows().Menus().Action(item);
    if (!action->isEnabled()) return false;
    action->trigger();
    return true;
  }

  // The requester of that kind once it is on show.
  template <typename Dialog>
  Dialog* Requester() {
    Dialog* found = nullptr;
    bool shown = WaitFor(
        [&] {
          found = qobject_cast<Dialog*>(app_->Requesters().OpenRequester());
          return found != nullptr && found->isVisible();
        },
        kWaitMilliseconds);
    return shown ? found : nullptr;
  }
  // Answers the next text requester with the text, typed.
  bool AnswerText(const QString& text) {
    auto* requester = Requester<TextRequester>();
    if (requester == nullptr) return false;
    requester->Field()->selectAll();
    QTest::keyClicks(requester->Field(), text);
    QTest::keyClick(requester->Field(), Qt::Key_Return);
    return true;
  }
  // Presses the button of the next information requester that answers so
  // (1, 2, ... from the left, 0 the last); its text into `text`.
  bool AnswerButton(int answer, QString* text = nullptr) {
    auto* requester = Requester<InfoRequester>();
    if (requester == nullptr) return false;
    if (text != nullptr) {
      *text = QString();
      for (QLabel* label : requester->findChildren<QLabel*>()) *text += label->text();
    }
    int count = requester->ButtonCount();
    int index = answer == 0 ? count - 1 : answer - 1;
    if (index < 0 || index >= count) return false;
    QTest::mouseClick(requester->Button(index), Qt::LeftButton);
    return true;
  }

  // The parameter dialog once it is on show.
  ParamDialog* Dialog() {
    ParamDialog& dialog = Windows().Dialog();
    return WaitFor([&] { return dialog.isVisible(); }, kWaitMilliseconds) ? &dialog : nullptr;
  }
  // The shown fields of the dialog, by control name, in order.
  QStringList DialogFields() {
    QStringList names;
    for (const DialogField& field : Windows().Dialog().Content().fields)
      names << QString::fromUtf8(GetControlInfo(field.control).name);
    return names;
  }
  bool TypeField(folioteer::Control field, const QString& text) {
    auto* edit = Control<QLineEdit>(field);
    if (edit == nullptr || !edit->isVisible()) return false;
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    return true;
  }
  bool ChooseField(folioteer::Control field, const QString& entry) {
    auto* chooser = Control<QComboBox>(field);
    if (chooser == nullptr || !chooser->isVisible()) return false;
    int index = chooser->findText(entry);
    if (index < 0) return false;
    chooser->setCurrentIndex(index);
    emit chooser->activated(index);
    return true;
  }
  // Ok or Cancel of the dialog, then the program idle again.
  bool EndDialog(bool ok) {
    if (!Press(ok ? Control::Ok : Control::Cancel)) return false;
    return WaitFor([this] { return !Windows().Dialog().isVisible(); }, kWaitMilliseconds) && WaitIdle();
  }

  EditBox* Box() { return Windows().Edit().Box(); }

 private:
  QTemporaryDir dir_;
  QString path_;
  std::vector<std::string> words_;
  std::unique_ptr<EditorApp> app_;
};

}  // namespace folioteer::testing
