// The preview window with the editor's core behind it: what it shows of an
// edited node, its place, its close control, links and keys, bad input.
#include <sys/stat.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "editor/command_input.h"
#include "guideview/guide_view.h"
#include "preview_session.h"
#include "render/plain_text.h"
#include "test_util.h"

namespace folioteer {
namespace {

using testing::PreviewSession;

constexpr const char* kGuide =
    "@database \"p.guide\"\n"
    "@smartwrap\n"
    "@macro \"key\" \"@{b}$1@{ub}\"\n"
    "@node \"MAIN\" \"The contents\"\n"
    "Saved text of MAIN.\n"
    "@endnode\n"
    "@node \"Two\"\n"
    "Saved text of Two.\n"
    "@endnode\n";

// A scratch folder with the guide in it.
struct GuideDir {
  testing::TempDir dir;
  std::string guide = dir.File("p.guide");
  explicit GuideDir(const std::string& text = kGuide) { testing::WriteFile(guide, text); }
};

std::string Shown(const QtPreviewWindow& window) {
  const DisplayNode* node = window.View()->Node();
  return node != nullptr ? PlainText(*node) : std::string("(nothing)");
}

}  // namespace

class PreviewWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheUnsavedTextOfTheEditedNode();
  void TwoPreviewsAlternateTheTemporaryFiles();
  void OpensAtItsPlaceAndSize();
  void PreviewingAgainKeepsThePlace();
  void CloseControlBecomesViewOff();
  void LinksAreShownButRunNothing();
  void KeysAreReportedAndTheHelpKeyStops();
  void AFileThatIsNoFileIsNotWaitedFor();
  void BadInputIsShownWithinBounds_data();
  void BadInputIsShownWithinBounds();
};

void PreviewWindowTest::ShowsTheUnsavedTextOfTheEditedNode() {
  GuideDir files;
  PreviewSession session(files.guide);
  session.Edit(0, "Unsaved: press @{key Ctrl-S}\nto save.\n\nNext paragraph.");
  session.Preview();
  QtPreviewWindow& window = session.Window();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  // The banner, then the edit box's text with the guide's @smartwrap and macro applied.
  QCOMPARE(Shown(window), std::string("Folioteer Draft\nUnsaved: press Ctrl-S to save.\nNext paragraph.\n"));
  QVERIFY(IsShowOn());
  // The node itself still holds the saved text.
  QVERIFY(testing::ReadFile(files.guide).find("Saved text of MAIN.") != std::string::npos);
}

void PreviewWindowTest::TwoPreviewsAlternateTheTemporaryFiles() {
  GuideDir files;
  PreviewSession session(files.guide);
  std::vector<std::string> shown;
  for (const char* text : {"first edit", "second edit", "third edit"}) {
    session.Edit(1, text);
    session.Preview();
    shown.push_back(session.Window().ShownFile());
    QCOMPARE(Shown(session.Window()), "Folioteer Draft\n" + std::string(text) + "\n");
  }
  QCOMPARE(shown[2], shown[0]);  // the same file shown anew
}

// Closed and opened again, it stands where the user left it.
void PreviewWindowTest::OpensAtItsPlaceAndSize() {
  GuideDir files;
  PreviewSession session(files.guide);
  session.Edit(0);
  session.Preview();
  QtPreviewWindow& window = session.Window();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QRect area = window.screen()->availableGeometry();
  QSignalSpy resized(&window, &QtPreviewWindow::Resized);
  window.resize(320, 480);
  QTRY_COMPARE(resized.last().at(0).toRect().size(), QSize(320, 480));
  window.move(area.topLeft() + QPoint(50, 60));
  QTRY_COMPARE(window.pos(), area.topLeft() + QPoint(50, 60));
  session.PreviewOff();
  session.Preview();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.pos(), area.topLeft() + QPoint(50, 60));
  QCOMPARE(window.size(), QSize(320, 480));
}

void PreviewWindowTest::PreviewingAgainKeepsThePlace() {
  std::string lines;
  for (int i = 0; i < 200; ++i) lines += "line " + std::to_string(i) + "\n\n";
  GuideDir files;
  PreviewSession session(files.guide);
  session.Edit(0, lines);
  session.Preview();
  GuideView* view = session.Window().View();
  view->ScrollToParagraph(100);
  int top = view->TopLine();
  QVERIFY(top > 50);
  session.Preview();  // the same node after an edit
  QCOMPARE(view->TopLine(), top);
  session.Edit(1, lines);  // another node starts at its top
  session.Preview();
  QCOMPARE(view->TopLine(), 0);
}

// The close control leaves the window to the program: command input makes
// VIEWOFF of it, and VIEWOFF closes the window.
void PreviewWindowTest::CloseControlBecomesViewOff() {
  GuideDir files;
  PreviewSession session(files.guide);
  session.Edit(0);
  session.Preview();
  QtPreviewWindow& window = session.Window();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QSignalSpy closing(&window, &QtPreviewWindow::CloseRequested);
  QVERIFY(!window.close());
  QCOMPARE(closing.count(), 1);
  QVERIFY(window.isVisible());
  EditorCmd cmd = EditorCmd::None;
  std::string argLine;
  QVERIFY(QTest::qWaitFor([&] { return PollCmd(cmd, argLine); }, 5000));
  QCOMPARE(cmd, EditorCmd::ViewOff);
  Dispatch(cmd, argLine);
  QVERIFY(!window.isVisible());
  QVERIFY(!IsShowOn());
  QVERIFY(window.ShownFile().empty());
}

void PreviewWindowTest::LinksAreShownButRunNothing() {
  testing::TempDir scratch;
  std::string ran = scratch.File("ran");
  GuideDir files("@database l\n@node MAIN\n@onopen \"touch " + ran +
                 "\"\ntext\n@endnode\n@node Two\n@endnode\n");
  PreviewSession session(files.guide);
  session.Edit(0, "@{\"Run\" system \"touch " + ran +
                      "\"} @{\"Rexx\" rx \"touch.rexx\"} @{\"Rexx string\" rxs \"x\"} " +
                      "@{\"Other node\" link Two} @{\"Beep\" beep} @{\"Quit\" quit}");
  session.Preview();
  QtPreviewWindow& window = session.Window();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  const DisplayNode* node = window.View()->Node();
  QCOMPARE(node->links.size(), size_t{6});
  int windows = QApplication::topLevelWidgets().size();
  for (int link = 0; link < 6; ++link) {
    QRect button = window.View()->LinkRect(link);
    QTest::mouseClick(window.View()->viewport(), Qt::LeftButton, Qt::NoModifier, button.center());
    QVERIFY2(window.Note().contains(link < 3 ? "runs nothing." : "does not follow links."),
             qPrintable(window.Note()));
  }
  QApplication::processEvents();
  QVERIFY(!std::filesystem::exists(ran));
  QCOMPARE(window.View()->Node(), node);  // still the draft, nothing followed
  QVERIFY(window.isVisible());
  QCOMPARE(QApplication::topLevelWidgets().size(), windows);
}

void PreviewWindowTest::KeysAreReportedAndTheHelpKeyStops() {
  std::string lines;
  for (int i = 0; i < 100; ++i) lines += "line\n\n";
  GuideDir files;
  PreviewSession session(files.guide);
  session.Edit(0, lines);
  session.Preview();
  QtPreviewWindow& window = session.Window();
  QSignalSpy keys(&window, &QtPreviewWindow::KeyTyped);
  QTest::keyClick(window.View(), Qt::Key_A);
  QTest::keyClick(window.View(), Qt::Key_F1);
  QTest::keyClick(window.View(), Qt::Key_Help);
  QCOMPARE(keys.count(), 3);
  QCOMPARE(keys[0], (QVariantList{QString("a"), false}));
  QVERIFY(keys[1].at(1).toBool() && keys[2].at(1).toBool());  // F1 and Help stop
  // The view keeps its own keys.
  QTest::keyClick(window.View(), Qt::Key_PageDown);
  QVERIFY(window.View()->TopLine() > 0);
}

// A name that is a pipe is refused before a byte is read: the preview says
// so instead of hanging.
void PreviewWindowTest::AFileThatIsNoFileIsNotWaitedFor() {
  testing::TempDir scratch;
  std::string pipe = scratch.File("pipe.guide");
  QCOMPARE(::mkfifo(pipe.c_str(), 0600), 0);
  QtPreviewWindow window;
  window.ShowGuide(pipe, "Pipe");
  QVERIFY(window.View()->Node() == nullptr);
  QVERIFY(window.Note().contains("is a device, a pipe or a socket"));
  QCOMPARE(window.windowTitle(), QString("Pipe"));
}

// The renderer's bounds have tests of their own; these are the inputs
// that could make the layout or the painting wide or slow.
void PreviewWindowTest::BadInputIsShownWithinBounds_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QString>("shown");
  std::string tabs = "@{settabs";
  for (int i = 1; i <= 10000; ++i) tabs += " " + std::to_string(3 * i);
  QTest::newRow("10,000 tab stops") << QByteArray::fromStdString(tabs + "}a\tb@{tab}c") << "a  b  c";
  QTest::newRow("an indent of two billion")
      << QByteArray("@{lindent 2000000000}x") << QString(kMaxColumn, ' ') + "x";
  QTest::newRow("control bytes and NUL") << QByteArray("a\x80\x9b\x9f\0b", 6) << "a\ufffd\ufffd\ufffd\ufffdb";
}

void PreviewWindowTest::BadInputIsShownWithinBounds() {
  QFETCH(QByteArray, text);
  QFETCH(QString, shown);
  GuideDir files("@database b\n@node MAIN\n@endnode\n");
  PreviewSession session(files.guide);
  session.Edit(0, text.toStdString());
  session.Preview();
  QtPreviewWindow& window = session.Window();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(QString::fromStdString(Shown(window)), "\nFolioteer Draft\n\n\n" + shown + "\n");
  // Laid out and painted, no wider than the capped columns.
  const NodeLayout& layout = window.View()->Layout();
  QVERIFY(layout.ContentWidth() <= (kMaxColumn + 40) * layout.SpaceWidth());
  QVERIFY(!window.grab().isNull());
}

}  // namespace folioteer

QTEST_MAIN(folioteer::PreviewWindowTest)
#include "preview_window_qtest.moc"
