// The editor's windows as widgets, without the program: what they report
// for the user's input (and nothing the program did), and what they show.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "qt/button_images.h"
#include "qt/qt_windows.h"
#include "qt/window_input.h"
#include "qt/window_set.h"
#include "ui/dialogs.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

// Keeps what the windows report.
class RecordingSink : public WindowInputSink {
 public:
  void PostInput(WindowId window, WndoInput input) override { posted.push_back({window, std::move(input)}); }
  std::vector<std::pair<WindowId, WndoInput>> posted;

  int Count(WindowId window, EvntKind kind) const {
    int count = 0;
    for (const auto& [where, input] : posted)
      if (where == window && input.kind == InputKind::Evnt && input.evnt.kind == kind) ++count;
    return count;
  }
  const WndoInput* LastKey() const {
    for (auto each = posted.rbegin(); each != posted.rend(); ++each)
      if (each->second.kind == InputKind::KeyDown) return &each->second;
    return nullptr;
  }
};

}  // namespace

class WindowSetTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    sink_ = std::make_unique<RecordingSink>();
    windows_ = std::make_unique<WindowSet>(*sink_);
    input_ = std::make_unique<WindowInput>(*windows_, *sink_);
  }
  void cleanup() {
    input_.reset();
    windows_.reset();
    sink_.reset();
  }

  void ListsReportOnlyTheUsersChoices();
  void RowsShowControlBytesAndLongRowsCut_data();
  void RowsShowControlBytesAndLongRowsCut();
  void EveryImageButtonHasAnImageWithoutATheme();
  void TheDialogKeepsTheGuidesBytes_data();
  void TheDialogKeepsTheGuidesBytes();
  void ClosingAWindowIsReportedAndLeavesItOpen();
  void BusyWindowsTakeNoKeys();

 private:
  std::unique_ptr<RecordingSink> sink_;
  std::unique_ptr<WindowSet> windows_;
  std::unique_ptr<WindowInput> input_;
};

void WindowSetTest::ListsReportOnlyTheUsersChoices() {
  MainWindow& main = windows_->Main();
  main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main));
  RowList* nodes = main.NodeList();
  QSignalSpy chosen(nodes, &RowList::Chosen);
  QSignalSpy doubled(nodes, &RowList::DoubleClicked);
  nodes->SetRows({"MAIN", "One", "Two", "Three"});
  nodes->SelectRow(2);
  nodes->RemoveRow(2);
  nodes->InsertRow(0, "First");
  nodes->SwapRows(1, 2);
  QCOMPARE(chosen.count(), 0);
  QCOMPARE(nodes->SelectedRow(), -1);

  auto click = [&](int row) {
    QTest::mouseClick(nodes->viewport(), Qt::LeftButton, {},
                      nodes->visualRect(nodes->model()->index(row, 0)).center());
  };
  click(1);
  click(1);  // the selected row again
  QCOMPARE(chosen.count(), 2);
  QTest::mouseDClick(nodes->viewport(), Qt::LeftButton, {},
                     nodes->visualRect(nodes->model()->index(0, 0)).center());
  QCOMPARE(doubled.count(), 1);
  // Each choice is a GadgetUp of the node list, the double click's first
  // click one of them.
  QCOMPARE(sink_->Count(WindowId::Main, EvntKind::GadgetUp), chosen.count());
  for (const auto& [window, input] : sink_->posted)
    if (input.evnt.kind == EvntKind::GadgetUp) QCOMPARE(input.evnt.gadget, ControlGadget(Control::NodeList));
}

void WindowSetTest::RowsShowControlBytesAndLongRowsCut_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<int>("charset");
  QTest::addColumn<QString>("shown");
  QTest::newRow("control bytes") << QByteArray(
                                        "a\x1b"
                                        "b\x00"
                                        "c",
                                        5)
                                 << 0 << QStringLiteral("a<1B>b<00>c");
  QTest::newRow("a broken sequence") << QByteArray("x\xc3") << 1 << QStringLiteral("x<C3>");
  QTest::newRow("a tab") << QByteArray("a\tb") << 0 << QStringLiteral("a b");
  QTest::newRow("a long row") << QByteArray(1000, 'n') << 0 << QString(kShownRowLength, u'n') + QChar(0x2026);
}

void WindowSetTest::RowsShowControlBytesAndLongRowsCut() {
  QFETCH(QByteArray, bytes);
  QFETCH(int, charset);
  QFETCH(QString, shown);
  GuideTextCodec codec(charset == 1 ? Charset::Utf8 : Charset::Latin1);
  QCOMPARE(ShownRowText(std::string_view(bytes.data(), static_cast<size_t>(bytes.size())), codec), shown);
}

void WindowSetTest::EveryImageButtonHasAnImageWithoutATheme() {
  QIcon::setThemeName(QStringLiteral("no-such-theme"));
  WindowSet windows(*sink_);
  for (const ControlInfo& info : AllControls()) {
    auto* button = qobject_cast<QToolButton*>(windows.Controls().Widget(info.control));
    if (button == nullptr || info.control == Control::Next || info.control == Control::Prev) continue;
    QVERIFY2(!button->icon().pixmap(QSize(48, 48)).isNull(), info.name.data());
  }
  QVERIFY(!ProgramIcon().isNull());
}

void WindowSetTest::TheDialogKeepsTheGuidesBytes_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<int>("charset");
  QTest::newRow("ISO-8859-1") << QByteArray("Caf\xe9 \xff") << 0;
  QTest::newRow("UTF-8") << QByteArray("Gr\xc3\xbc\xc3\x9f \xe2\x82\xac") << 1;
  QTest::newRow("control bytes") << QByteArray("a\x1b[1mb") << 0;
}

void WindowSetTest::TheDialogKeepsTheGuidesBytes() {
  QFETCH(QByteArray, bytes);
  QFETCH(int, charset);
  GuideTextCodec codec(charset == 1 ? Charset::Utf8 : Charset::Latin1);
  ParamDialog& dialog = windows_->Dialog();
  CmdParams params;
  params.Strng = bytes.toStdString();
  params.Strng2 = std::string("two");
  dialog.SetContent(NewCmdContent(AGCmdKind::Macro, params), codec);
  DialogContent content = dialog.Content();
  QCOMPARE(content.Find(Control::CmdText)->text, bytes.toStdString());
}

void WindowSetTest::ClosingAWindowIsReportedAndLeavesItOpen() {
  for (WindowId window : {WindowId::Main, WindowId::Edit, WindowId::Spell}) {
    QWidget* widget = windows_->Window(window);
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));
    QVERIFY(!widget->close());
    QVERIFY(widget->isVisible());
    QCOMPARE(sink_->Count(window, EvntKind::CloseWindow), 1);
  }
  // The dialog goes with the window it stands over.
  windows_->Dialog().show();
  windows_->Main().close();
  QCOMPARE(sink_->Count(WindowId::Dialog, EvntKind::CloseWindow), 1);
}

void WindowSetTest::BusyWindowsTakeNoKeys() {
  EditWindow& edit = windows_->Edit();
  edit.show();
  QVERIFY(QTest::qWaitForWindowExposed(&edit));
  edit.Box()->setFocus();
  QWindow* window = edit.windowHandle();
  QTest::keyClick(window, Qt::Key_A, Qt::NoModifier);
  QCOMPARE(edit.Box()->toPlainText(), QStringLiteral("a"));
  size_t before = sink_->posted.size();
  windows_->SetBusy(true);
  QTest::keyClick(window, Qt::Key_B, Qt::NoModifier);
  QCOMPARE(edit.Box()->toPlainText(), QStringLiteral("a"));
  QVERIFY(sink_->posted.size() == before || sink_->LastKey()->keyChars != "b");
  QVERIFY(!windows_->Menus().Action(MenuItem::Save)->isEnabled());
  windows_->SetBusy(false);
  QVERIFY(!windows_->Menus().Action(MenuItem::AutoIndex)->isEnabled());  // the table's state again
  QTest::keyClick(window, Qt::Key_C, Qt::NoModifier);
  QCOMPARE(edit.Box()->toPlainText(), QStringLiteral("ac"));
}

}  // namespace folioteer

QTEST_MAIN(folioteer::WindowSetTest)
#include "window_set_qtest.moc"
