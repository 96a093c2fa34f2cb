// The guide's text through the editor's windows without loss, and the bad
// input a user's files and actions bring: a clear message, nothing lost,
// never a hang.
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <csignal>

#include "editor_driver.h"
#include "qt/window_input.h"
#include "type_keys.h"
#include "ui/monitor.h"

namespace folioteer {
namespace {

using testing::EditorRun;

std::string Guide(const std::string& nodes) {
  return "@database \"Test.guide\"\n@node \"MAIN\" \"Main\"\nStart here.\n@endnode\n" + nodes;
}

// Shows the node of the row, types at the end of its first line, saves with
// Ctrl+S; the saved guide.
std::string EditFirstLineAndSave(EditorRun& run, int row, const QString& typed) {
  if (!run.WaitIdle() || !run.ClickRow(Control::NodeList, row)) return "(not shown)";
  EditBox* box = run.Box();
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_End);
  testing::Type(box, typed);
  QTest::keyClick(&run.Windows().Edit(), Qt::Key_S, Qt::ControlModifier);
  if (!run.WaitIdle()) return "(not saved)";
  return run.Saved();
}

}  // namespace

class EditorTextTest : public QObject {
  Q_OBJECT

 private slots:
  void Latin1AndUtf8GuidesKeepEveryOtherByte();
  void ControlBytesAndNulsAreShownAndKept();
  void HugeNodesLongLinesAndNamesAreShownAndKept();
  void AMissingFontOrScreenIsSaidAndTheWindowsOpen();
  void ClosingTheWindowUnderADialogEndsTheDialogFirst();
  void CtrlCEndsAnOpenDialog();
  void ASigintEndsAnOpenRequesterThenAsksToSave();
};

// Each guide edited in one node, typed at the end of a line that holds
// characters of its encoding: the saved guide has the typed bytes and every
// other byte as it was.
void EditorTextTest::Latin1AndUtf8GuidesKeepEveryOtherByte() {
  const struct {
    std::string nodes, line;
    QString typed;
    std::string bytes;
    QString title;
  } cases[] = {
      {"@node \"Caf\xe9\" \"D\xe9j\xe0 vu\"\nCr\xe8me br\xfbl\xe9\ne\xff\xa0nd\n@endnode\n",
       "Cr\xe8me br\xfbl\xe9", QStringLiteral(" \u00e9t\u00e9"), " \xe9t\xe9",
       QStringLiteral("Caf\u00e9 - D\u00e9j\u00e0 vu")},
      {"@node \"Gr\xc3\xbc\xc3\x9f\x65\" \"\xe2\x82\xac uro\"\nPreis: 5 \xe2\x82\xac\n\xf0\x9f\x98\x80 "
       "end\n@endnode\n",
       "5 \xe2\x82\xac", QStringLiteral(" \u00fc\u20ac"), " \xc3\xbc\xe2\x82\xac",
       QStringLiteral("Gr\u00fc\u00dfe - \u20ac uro")},
  };
  for (const auto& test : cases) {
    std::string before = Guide(test.nodes);
    EditorRun run(before);
    std::string saved = EditFirstLineAndSave(run, 1, test.typed);
    std::string expected = before;
    expected.insert(expected.find(test.line) + test.line.size(), test.bytes);
    QCOMPARE(saved, expected);
    QCOMPARE(run.Windows().Edit().windowTitle(), test.title);
  }
}

void EditorTextTest::ControlBytesAndNulsAreShownAndKept() {
  std::string body = std::string("a\0b", 3) +
                     "\x01"
                     "c\x7f\x9b\x1b[1m end\nsecond line\n";
  std::string before = Guide("@node \"Ctl\" \"Controls\"\n" + body + "@endnode\n");
  EditorRun run(before);
  QVERIFY(run.WaitIdle());
  QVERIFY(run.ClickRow(Control::NodeList, 1));
  QString shown = run.Box()->document()->firstBlock().text();
  QCOMPARE(shown.size(), 15);
  for (int index : {1, 3, 5, 6, 7}) QVERIFY2(IsByteMark(shown[index]), qPrintable(QString::number(index)));
  std::string saved = EditFirstLineAndSave(run, 1, QStringLiteral("!"));
  std::string expected = before;
  expected.insert(expected.find(" end") + 4, "!");
  QCOMPARE(saved, expected);
}

void EditorTextTest::HugeNodesLongLinesAndNamesAreShownAndKept() {
  std::string big;
  for (int line = 0; big.size() < (size_t{10} << 20); ++line)
    big += "Line " + std::to_string(line) + " with @{b}bold@{ub} and a @{\"link\" link MAIN} in it.\n";
  std::string longLine(size_t{1} << 20, 'w');
  for (size_t at = 7; at < longLine.size(); at += 8) longLine[at] = ' ';
  std::string longName(10000, 'n');
  std::string before =
      Guide("@node \"Big\" \"Big\"\n" + big + "@endnode\n@node \"Long\" \"Long\"\n" + longLine +
            "\n@endnode\n@node \"" + longName + "\" \"Named\"\nshort\n@endnode\n");
  EditorRun run(before);
  QVERIFY(run.WaitIdle());
  QVERIFY(run.ClickRow(Control::NodeList, 1));
  QCOMPARE(run.Box()->document()->blockCount(), static_cast<int>(std::count(big.begin(), big.end(), '\n')));
  QVERIFY(run.ClickRow(Control::NodeList, 2));
  QCOMPARE(run.Box()->document()->firstBlock().length() - 1, static_cast<int>(longLine.size()));
  QVERIFY(run.ClickRow(Control::NodeList, 3));
  QVERIFY(run.Windows().Edit().windowTitle().size() < 300);
  QString row = run.Windows().Main().NodeList()->model()->index(3, 0).data().toString();
  QVERIFY(row.size() <= kShownRowLength + 1 && row.endsWith(QChar(0x2026)));
  QCOMPARE(run.Rows(Control::NodeList)[3], longName);
  QTest::keyClick(&run.Windows().Main(), Qt::Key_S, Qt::ControlModifier);
  QVERIFY(run.WaitIdle());
  QVERIFY(run.Saved() == before);
}

void EditorTextTest::AMissingFontOrScreenIsSaidAndTheWindowsOpen() {
  EditorRun run(Guide(""), {"NOMAKEICONS", "EDITFONT=NoSuchFontAnywhere", "PUBSCREEN=NoSuchScreen"});
  QString said, text;
  for (int i = 0; i < 2; ++i, said += text) QVERIFY(run.AnswerButton(1, &text));
  QVERIFY2(said.contains(QStringLiteral("unable to access editor font")) &&
               said.contains(QStringLiteral("Requested PubScreen name not found")),
           qPrintable(said));
  QVERIFY(run.WaitIdle());
  QVERIFY(run.Windows().Main().isVisible());
  QVERIFY(run.ClickRow(Control::NodeList, 0));
  QVERIFY(run.Box()->font().family() != QStringLiteral("NoSuchFontAnywhere"));
}

// The main window closed while the link dialog is open: the dialog ends as
// cancelled, and the close asks whether to save.
void EditorTextTest::ClosingTheWindowUnderADialogEndsTheDialogFirst() {
  std::string before = Guide("");
  EditorRun run(before);
  QVERIFY(run.WaitIdle());
  QVERIFY(run.ClickRow(Control::NodeList, 0));
  QVERIFY(run.Press(Control::Link));
  QVERIFY(run.Dialog());
  QVERIFY(run.TypeField(Control::LinkText, QStringLiteral("lost")));
  // The busy main window takes no click meanwhile.
  QWidget* newNode = run.Control<QWidget>(Control::NewNode);
  QTest::mouseClick(run.Windows().Main().windowHandle(), Qt::LeftButton, {},
                    newNode->mapTo(&run.Windows().Main(), newNode->rect().center()));
  run.Windows().Main().close();
  QString question;
  QVERIFY(run.AnswerButton(1, &question));
  QVERIFY2(question.contains(QStringLiteral("Save the AmigaGuide File?")), qPrintable(question));
  QVERIFY(run.WaitEnded());
  QVERIFY(!run.Windows().Dialog().isVisible());
  QCOMPARE(run.Saved(), before);
}

void EditorTextTest::CtrlCEndsAnOpenDialog() {
  EditorRun run(Guide(""));
  QVERIFY(run.WaitIdle());
  QVERIFY(run.Pick(Control::AddGlobal, QStringLiteral("@author")));
  QVERIFY(run.Dialog());
  NoteBreak();
  QVERIFY(run.AnswerButton(0));
  QVERIFY(run.WaitEnded());
  QVERIFY(!run.Windows().Dialog().isVisible());
}

// Ctrl-C in the terminal under an open requester: the program's signal
// handling makes it the break, which ends the requester and asks whether to
// save. The only real SIGINT of this program (a second one would end it).
void EditorTextTest::ASigintEndsAnOpenRequesterThenAsksToSave() {
  EditorRun run(Guide(""));
  QVERIFY(run.WaitIdle());
  QVERIFY(run.Press(Control::NewNode));
  QPointer<TextRequester> open(run.Requester<TextRequester>());
  QVERIFY(open);
  QCOMPARE(::kill(::getpid(), SIGINT), 0);
  QString question;
  QVERIFY(run.AnswerButton(0, &question));
  QVERIFY(open.isNull() || !open->isVisible());
  QVERIFY2(question.contains(QStringLiteral("Save the AmigaGuide File?")), qPrintable(question));
  QVERIFY(run.WaitEnded());
}

}  // namespace folioteer

QTEST_MAIN(folioteer::EditorTextTest)
#include "editor_text_qtest.moc"
