// The editor with its Qt windows, driven through the whole path: a widget
// is used, the window reports an event record, the monitor queues it,
// command input makes the command, the handler changes the document, and
// the guide saved at the end is compared byte for byte.
#include <QFontDatabase>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "editor_driver.h"
#include "guideview/guide_view.h"
#include "qt/font_requester.h"

namespace folioteer {
namespace {

using testing::EditorRun;

const std::string kGuide =
    "@database \"Test.guide\"\n"
    "@node \"MAIN\" \"Main\"\n"
    "Start here.\n"
    "@endnode\n"
    "@node \"Two\" \"Second\"\n"
    "Second node.\n"
    "@endnode\n";

// Each control's enabled state, "+" or "-", in the order given.
QString States(EditorRun& run, std::initializer_list<Control> controls) {
  QString states;
  for (Control control : controls) states += run.Enabled(control) ? "+" : "-";
  return states;
}

std::vector<std::string> Strings(std::initializer_list<const char*> rows) {
  return {rows.begin(), rows.end()};
}

}  // namespace

class EditorWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void AUserEditsAGuideThroughTheWindows();
  void TheSpellWindowListsIgnoresAndAddsWords();
  void TheGuidesMacrosAreColouredAsMacros();
  void TheFontButtonFillsTheFontFields();
  void TheShowButtonOpensTheDraftPreview();
};

// The story of the README's session, told with the mouse and the keyboard:
// every step through the widgets, the buttons' state checked after each.
void EditorWindowsTest::AUserEditsAGuideThroughTheWindows() {
  EditorRun run(kGuide);
  QVERIFY(run.WaitIdle());
  MainWindow& main = run.Windows().Main();
  QVERIFY(main.isVisible());
  QCOMPARE(main.windowTitle(), QStringLiteral("Folioteer - Test.guide"));
  QCOMPARE(States(run, {Control::EditGlobal, Control::NodeUp, Control::DeleteNode}), QStringLiteral("---"));

  // A node by the new-node button, its name answered in the text requester.
  QVERIFY(run.Press(Control::NewNode));
  QVERIFY(run.AnswerText(QStringLiteral("Intro")));
  QVERIFY(run.WaitIdle());
  QCOMPARE(run.Rows(Control::NodeList), Strings({"MAIN", "Two", "Intro"}));

  // Chosen, it opens in the edit window.
  QVERIFY(run.ClickRow(Control::NodeList, 2));
  EditWindow& edit = run.Windows().Edit();
  QVERIFY(edit.isVisible());
  QCOMPARE(edit.windowTitle(), QStringLiteral("Intro - Intro"));
  QCOMPARE(States(run, {Control::NodeUp, Control::DeleteNode, Control::EditLocal}), QStringLiteral("++-"));
  QCOMPARE(edit.NavLabel(NavDirection::Next)->text(), QStringLiteral("<unset>"));

  // Text typed, and bold put around its first word.
  EditBox* box = run.Box();
  box->setFocus();
  QTest::keyClicks(box, QStringLiteral("Read this first"));
  QTest::keyClick(box, Qt::Key_Home);
  for (int i = 0; i < 4; ++i) QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
  QVERIFY(run.Pick(Control::AttrPopup, QStringLiteral("@{b}")));
  QVERIFY(run.WaitIdle());
  QCOMPARE(box->GuideText().value_or(""), std::string("@{b}Read@{ub} this first"));

  // A link through the link dialog: its fields, the hints following the
  // operation, and a blank LINK target refused with a warning.
  QTest::keyClick(box, Qt::Key_End);
  QVERIFY(run.Press(Control::Link));
  QVERIFY(run.Dialog());
  QCOMPARE(run.DialogFields(), QStringList({"LinkText", "LinkOp", "LinkTarget"}));
  QVERIFY(run.Enabled(Control::NewNode));
  QVERIFY(run.Windows().Busy());
  QVERIFY(run.ChooseField(Control::LinkOp, QStringLiteral("SYSTEM")));
  QTRY_COMPARE(run.Control<QWidget>(Control::LinkTarget)->toolTip(), QStringLiteral("CLI command"));
  QVERIFY(run.ChooseField(Control::LinkOp, QStringLiteral("LINK")));
  QVERIFY(run.TypeField(Control::LinkText, QStringLiteral("back")));
  QVERIFY(run.Press(Control::Ok));
  QString warning;
  QVERIFY(run.AnswerButton(1, &warning));
  QVERIFY2(warning.contains(QStringLiteral("LINK target should not be blank")), qPrintable(warning));
  QVERIFY(run.Dialog());
  QVERIFY(run.TypeField(Control::LinkTarget, QStringLiteral("MAIN")));
  QVERIFY(run.EndDialog(true));
  QVERIFY(!run.Windows().Busy());
  QCOMPARE(box->GuideText().value_or(""), std::string("@{b}Read@{ub} this first@{\"back\" LINK \"MAIN\"}"));

  // Commands through the new-command dialog, which shows the fields each
  // kind takes.
  const struct {
    Control popup;
    const char* kind;
    QStringList fields;
  } kinds[] = {
      {Control::AddLocal, "@font", {"CmdLabel", "CmdText", "FontButton", "CmdNumber"}},
      {Control::AddLocal, "@tab", {"CmdLabel", "CmdNumber"}},
      {Control::AddGlobal, "@macro", {"CmdLabel", "CmdText", "CmdText2"}},
  };
  for (const auto& kind : kinds) {
    QVERIFY(run.Pick(kind.popup, QString::fromLatin1(kind.kind)));
    QVERIFY(run.Dialog());
    QCOMPARE(run.DialogFields(), kind.fields);
    QVERIFY(run.EndDialog(false));
  }
  QVERIFY(run.Pick(Control::AddLocal, QStringLiteral("@next")));
  QVERIFY(run.Dialog());
  QCOMPARE(run.DialogFields(), QStringList({"CmdLabel", "CmdText"}));
  QVERIFY(run.TypeField(Control::CmdText, QStringLiteral("MAIN")));
  QVERIFY(run.EndDialog(true));
  QVERIFY(run.Pick(Control::AddLocal, QStringLiteral("@smartwrap")));  // no values: no dialog
  QVERIFY(run.WaitIdle());
  QCOMPARE(run.Rows(Control::LocalList), Strings({"@next \"MAIN\"", "@smartwrap"}));
  QCOMPARE(edit.NavLabel(NavDirection::Next)->text(), QStringLiteral("MAIN"));

  // Edited through the same dialog; a switch has nothing to edit.
  QVERIFY(run.ClickRow(Control::LocalList, 0));
  QCOMPARE(States(run, {Control::EditLocal, Control::DeleteLocal}), QStringLiteral("++"));
  QVERIFY(run.Press(Control::EditLocal));
  QVERIFY(run.Dialog());
  QCOMPARE(run.Control<QLineEdit>(Control::CmdText)->text(), QStringLiteral("MAIN"));
  QVERIFY(run.TypeField(Control::CmdText, QStringLiteral("Two")));
  QVERIFY(run.EndDialog(true));
  QCOMPARE(run.Rows(Control::LocalList)[0], std::string("@next \"Two\""));
  QVERIFY(run.ClickRow(Control::LocalList, 1));
  QCOMPARE(States(run, {Control::EditLocal, Control::DeleteLocal}), QStringLiteral("-+"));
  QVERIFY(run.PressAndWait(Control::DeleteLocal));
  QCOMPARE(run.Rows(Control::LocalList), Strings({"@next \"Two\""}));
  QCOMPARE(States(run, {Control::EditLocal, Control::DeleteLocal}), QStringLiteral("--"));

  // Moved up and down again; the buttons follow the row.
  QVERIFY(run.PressAndWait(Control::NodeUp));
  QCOMPARE(run.Rows(Control::NodeList), Strings({"MAIN", "Intro", "Two"}));
  QCOMPARE(States(run, {Control::NodeUp, Control::NodeDown}), QStringLiteral("-+"));
  QVERIFY(run.PressAndWait(Control::NodeDown));
  QCOMPARE(run.Rows(Control::NodeList), Strings({"MAIN", "Two", "Intro"}));
  QCOMPARE(States(run, {Control::NodeUp, Control::NodeDown}), QStringLiteral("+-"));

  // The other node deleted; MAIN cannot be.
  QVERIFY(run.ClickRow(Control::NodeList, 1));
  QVERIFY(run.PressAndWait(Control::DeleteNode));
  QCOMPARE(run.Rows(Control::NodeList), Strings({"MAIN", "Intro"}));
  QCOMPARE(States(run, {Control::NodeDown, Control::DeleteNode}), QStringLiteral("--"));

  // Help hints off (the menu's check mark), then kept for good.
  QVERIFY(!run.Control<QWidget>(Control::NewNode)->toolTip().isEmpty());
  QVERIFY(run.Windows().Menus().Action(MenuItem::HelpHints)->isChecked());
  QVERIFY(run.Menu(MenuItem::HelpHints));
  QVERIFY(run.WaitIdle());
  QVERIFY(!run.Windows().Menus().Action(MenuItem::HelpHints)->isChecked());
  QVERIFY(run.Control<QWidget>(Control::NewNode)->toolTip().isEmpty());
  QVERIFY(run.Menu(MenuItem::SaveSettings));
  QVERIFY(run.WaitIdle());
  std::string settings = testing::ReadBytes(run.Folder() + "/config/Folioteer/FTSwitches");
  QVERIFY2(settings.find("HELPHINTSOFF") != std::string::npos, settings.c_str());

  // Closing the main window asks whether to save.
  main.close();
  QVERIFY(run.AnswerButton(1));
  QVERIFY(run.WaitEnded());
  QCOMPARE(run.App().Status(), 0);
  QCOMPARE(run.Saved(), std::string("@database \"Test.guide\"\n"
                                    "@node \"MAIN\" \"Main\"\n"
                                    "Start here.\n"
                                    "@endnode\n"
                                    "@node \"Intro\" \"Intro\"\n"
                                    "@next \"Two\"\n"
                                    "@{b}Read@{ub} this first@{\"back\" LINK \"MAIN\"}\n"
                                    "@endnode\n"));
}

void EditorWindowsTest::TheSpellWindowListsIgnoresAndAddsWords() {
  QTemporaryDir words;
  QVERIFY(testing::WriteBytes(words.filePath("dictionary"), "a\nis\nnode\ntest\nthis\n"));
  QVERIFY(testing::WriteBytes(words.filePath("user"), ""));
  qputenv("DICTIONARY_WORDLIST", words.filePath("dictionary").toLocal8Bit());
  qputenv("WORDLIST", words.filePath("user").toLocal8Bit());
  EditorRun run("@database \"Test.guide\"\n@node \"MAIN\" \"Main\"\nthis is a tset nodde\n@endnode\n");
  QVERIFY(run.WaitIdle());
  QVERIFY(run.ClickRow(Control::NodeList, 0));
  QVERIFY(run.Menu(MenuItem::SpellCheck));
  QVERIFY(run.WaitIdle());
  SpellWindow& spell = run.Windows().Spell();
  QVERIFY(spell.isVisible());
  QCOMPARE(run.Rows(Control::MisspellList), Strings({"tset", "nodde"}));
  QVERIFY(run.ClickRow(Control::MisspellList, 1));
  QCOMPARE(run.Box()->textCursor().selectedText(), QStringLiteral("nodde"));
  QVERIFY(run.PressAndWait(Control::AddWord));
  QCOMPARE(run.Rows(Control::MisspellList), Strings({"tset"}));
  QVERIFY(testing::ReadBytes(words.filePath("user")).find("nodde") != std::string::npos);
  QVERIFY(run.ClickRow(Control::MisspellList, 0));
  QVERIFY(run.PressAndWait(Control::Ignore));
  QCOMPARE(run.Rows(Control::MisspellList), Strings({}));
  // Closing the window switches spell checking off.
  spell.close();
  QTRY_VERIFY(!spell.isVisible());
  QVERIFY(run.WaitIdle());
  QVERIFY(!run.Windows().Menus().Action(MenuItem::SpellCheck)->isChecked());
  qunsetenv("DICTIONARY_WORDLIST");
  qunsetenv("WORDLIST");
}

// "@{b}" is an attribute unless the guide defines a macro "b".
void EditorWindowsTest::TheGuidesMacrosAreColouredAsMacros() {
  EditorRun run(
      "@database \"Test.guide\"\n@macro \"key\" \"@{b}$1@{ub}\"\n@node \"MAIN\" \"Main\"\n"
      "@{key Ctrl} @{b}bold@{ub}\n@endnode\n");
  QVERIFY(run.WaitIdle());
  QVERIFY(run.ClickRow(Control::NodeList, 0));
  EditBox* box = run.Box();
  auto colourAt = [&](int position) {
    for (const QTextLayout::FormatRange& range : box->document()->firstBlock().layout()->formats())
      if (position >= range.start && position < range.start + range.length)
        return range.format.foreground().color();
    return QColor();
  };
  MarkupHighlighter& highlighter = box->Highlighter();
  QCOMPARE(colourAt(2), highlighter.RoleFormat(MarkupRole::Macro).foreground().color());
  QCOMPARE(colourAt(12), highlighter.RoleFormat(MarkupRole::Attribute).foreground().color());
}

void EditorWindowsTest::TheFontButtonFillsTheFontFields() {
  EditorRun run(kGuide);
  QVERIFY(run.WaitIdle());
  QVERIFY(run.Pick(Control::AddGlobal, QStringLiteral("@font")));
  QVERIFY(run.Dialog());
  QVERIFY(run.Press(Control::FontButton));
  auto* fonts = run.Requester<FontRequester>();
  QVERIFY(fonts);
  QFont chosen = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  chosen.setPointSize(17);
  fonts->setCurrentFont(chosen);
  QString family = fonts->currentFont().family();
  fonts->accept();
  QTRY_COMPARE(run.Control<QLineEdit>(Control::CmdNumber)->text(), QStringLiteral("17"));
  QCOMPARE(run.Control<QLineEdit>(Control::CmdText)->text(), family);
  QVERIFY(run.EndDialog(true));
  QCOMPARE(run.Rows(Control::GlobalList).back(), "@font \"" + family.toStdString() + "\" 17");
}

void EditorWindowsTest::TheShowButtonOpensTheDraftPreview() {
  EditorRun run(kGuide);
  QVERIFY(run.WaitIdle());
  QVERIFY(run.ClickRow(Control::NodeList, 1));
  QtPreviewWindow& preview = run.Windows().Preview();
  QVERIFY(!preview.isVisible());
  QVERIFY(run.PressAndWait(Control::Show));
  QVERIFY(preview.isVisible());
  QCOMPARE(preview.windowTitle(), QStringLiteral("Second"));
  // With Auto Preview on, every node shown is previewed at once.
  QVERIFY(run.Menu(MenuItem::AutoPreview));
  QVERIFY(run.WaitIdle());
  QVERIFY(run.ClickRow(Control::NodeList, 0));
  QCOMPARE(preview.windowTitle(), QStringLiteral("Main"));
}

}  // namespace folioteer

QTEST_MAIN(folioteer::EditorWindowsTest)
#include "editor_windows_qtest.moc"
