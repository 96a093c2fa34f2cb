#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "program_thread.h"
#include "qt/file_requester.h"
#include "qt/font_requester.h"
#include "qt/info_requester.h"
#include "qt/qt_requesters.h"
#include "qt/text_requester.h"
#include "type_keys.h"

namespace folioteer {
namespace {

template <typename Dialog>
Dialog* OpenDialog(const QtRequesters& requesters) {
  if (!QTest::qWaitFor([&] { return qobject_cast<Dialog*>(requesters.OpenRequester()) != nullptr; }, 5000))
    return nullptr;
  auto* dialog = qobject_cast<Dialog*>(requesters.OpenRequester());
  return QTest::qWaitForWindowExposed(dialog) ? dialog : nullptr;
}

}  // namespace

class RequestersTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { OpenGuiCalls(); }
  void cleanup() { CloseGuiCalls(); }

  void ButtonsAnswerAsTheyShould_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("answer");
    QTest::newRow("click the last") << "click 2" << 0;
    QTest::newRow("Return presses the first") << "return" << 1;
    QTest::newRow("Escape answers as the last") << "escape" << 0;
    QTest::newRow("closing the window too") << "close" << 0;
    QTest::newRow("Alt and the shortcut letter") << "alt n" << 2;
  }
  void ButtonsAnswerAsTheyShould() {
    QFETCH(QString, action);
    QFETCH(int, answer);
    QtRequesters requesters;
    int given = -1;
    ProgramThread program(
        [&] { given = requesters.InfoRequest("Folioteer", "Save it?", " _Yes | _No | _Cancel "); });
    auto* dialog = OpenDialog<InfoRequester>(requesters);
    QVERIFY(dialog);
    QCOMPARE(dialog->Button(2)->text(), QStringLiteral("&Cancel"));
    QStringList words = action.split(u' ');
    if (words[0] == "click") QTest::mouseClick(dialog->Button(words[1].toInt()), Qt::LeftButton);
    if (words[0] == "return") QTest::keyClick(dialog, Qt::Key_Return);
    if (words[0] == "escape") QTest::keyClick(dialog, Qt::Key_Escape);
    if (words[0] == "close") dialog->close();
    if (words[0] == "alt") QTest::keyClick(dialog, words[1].at(0).toLatin1(), Qt::AltModifier);
    QVERIFY(program.Finish());
    QCOMPARE(given, answer);
  }

  void ButtonTextsKeepTheirAmpersands() {
    QCOMPARE(ButtonText(" Save & _Quit "), QStringLiteral("Save && &Quit"));
    QCOMPARE(ButtonText("Ok"), QStringLiteral("Ok"));
  }

  // The text after ESC "b" is bold, blanks and lines stay, controls show in hex.
  void TheMessageShowsBoldAndKeepsItsLayout() {
    InfoRequester dialog(nullptr, "Folioteer",
                         "New guide file to be created: \x1b"
                         "bNotes<1>.guide\nSpell Dict :   \x01",
                         "_Ok");
    auto* message = dialog.findChild<QLabel*>(QStringLiteral("message"));
    QVERIFY(message);
    QString html = message->text();
    QVERIFY2(html.contains(QStringLiteral("created: <b>Notes&lt;1&gt;.guide")), qPrintable(html));
    QVERIFY(html.contains(QStringLiteral(">01</span>")));
  }

  void AParentClosedUnderTheRequesterAnswersAsCancel() {
    QtRequesters requesters;
    auto window = std::make_unique<QWidget>();
    window->show();
    requesters.SetReferenceWindow(window.get());
    int given = -1;
    ProgramThread program(
        [&] { given = requesters.InfoRequest("Folioteer", "Quit program?", "_Ok | _Cancel"); });
    auto* dialog = OpenDialog<InfoRequester>(requesters);
    QVERIFY(dialog);
    QCOMPARE(dialog->parentWidget(), window.get());
    window.reset();
    QVERIFY(program.Finish());
    QCOMPARE(given, 0);
  }

  void CancellingTheOpenRequesterAnswersAsEscape() {
    QtRequesters requesters;
    std::optional<std::string> given = std::string("x");
    ProgramThread program([&] { given = requesters.TextRequest("Folioteer", "Node Name?", "", 134); });
    QVERIFY(OpenDialog<TextRequester>(requesters));
    requesters.CancelOpenRequester();
    QVERIFY(program.Finish());
    QVERIFY(!given.has_value());
  }

  // Without the Qt side the headless requesters answer: the first button.
  void OnceTheQtSideIsGoneTheHeadlessOnesAnswer() {
    QtRequesters requesters;
    CloseGuiCalls();
    int given = -1;
    ProgramThread program([&] { given = requesters.InfoRequest("Folioteer", "Save?", " _Yes | _No "); });
    QVERIFY(program.Finish());
    QCOMPARE(given, 1);
  }

  void TheTextRequesterGivesTheAnswerAsBytes_data() {
    QTest::addColumn<int>("charset");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("note");
    int latin1 = static_cast<int>(Charset::Latin1), utf8 = static_cast<int>(Charset::Utf8);
    QTest::newRow("typed") << latin1 << "" << QStringLiteral("Intro \u00E4") << 134
                           << QByteArray("Intro \xE4") << "";
    QTest::newRow("stops at the most characters")
        << latin1 << ""
        << "abcdefg" << 5 << QByteArray("abcde") << "At most 5 characters";
    QTest::newRow("counts UTF-8 bytes") << utf8 << "" << QStringLiteral("\u00E4\u00E4a") << 4
                                        << QByteArray("\xC3\xA4\xC3\xA4") << "At most 4 bytes";
    QTest::newRow("a euro refused in ISO-8859-1")
        << latin1 << "" << QStringLiteral("5\u20AC") << 134 << QByteArray("5") << "U+20AC";
  }
  void TheTextRequesterGivesTheAnswerAsBytes() {
    QFETCH(int, charset);
    QFETCH(QString, initial);
    QFETCH(QString, typed);
    QFETCH(int, maxLength);
    QFETCH(QByteArray, answer);
    QFETCH(QString, note);
    QtRequesters requesters;
    requesters.SetDocumentCharset(static_cast<Charset>(charset));
    std::optional<std::string> given;
    std::string start = initial.toStdString();
    ProgramThread program(
        [&] { given = requesters.TextRequest("Folioteer", "Node Name?", start, maxLength); });
    auto* dialog = OpenDialog<TextRequester>(requesters);
    QVERIFY(dialog);
    QCOMPARE(dialog->Field()->text(), initial);
    testing::Type(dialog->Field(), typed);
    QVERIFY2(dialog->Note().contains(note), qPrintable(dialog->Note()));
    QCOMPARE(dialog->Note().isEmpty(), note.isEmpty());
    QTest::keyClick(dialog->Field(), Qt::Key_Return);
    QVERIFY(program.Finish());
    QVERIFY(given.has_value());
    QCOMPARE(QByteArray::fromStdString(*given), answer);
  }

  void APasteIntoTheTextRequesterIsCutToFit() {
    TextRequester dialog(nullptr, "Folioteer", "Node Title?", "ab", 6, Charset::Latin1);
    dialog.show();
    dialog.Field()->setCursorPosition(1);
    dialog.Field()->insert(QStringLiteral("123456789"));
    QCOMPARE(dialog.Field()->text(), QStringLiteral("a1234b"));
    dialog.Field()->setText(QString());
    dialog.Field()->insert(QStringLiteral("x\ny"));
    QCOMPARE(dialog.Field()->text(), QStringLiteral("x y"));
    QVERIFY(dialog.Note().isEmpty());
  }

  void ControlBytesOfTheInitialTextComeBack() {
    TextRequester dialog(nullptr, "Folioteer", "Node Title?", std::string("a\0b\x9B", 4), 134,
                         Charset::Latin1);
    dialog.accept();
    QCOMPARE(dialog.Answer().value_or(""), std::string("a\0b\x9B", 4));
  }

  void AmigaPatternsBecomeGlobs_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("globs");
    QTest::newRow("any name") << "#?.guide" << QStringList{"*.guide"};
    QTest::newRow("alternatives multiply") << "(a|b)(1|2)" << QStringList{"a1", "a2", "b1", "b2"};
    QTest::newRow("escaped wildcard") << "why'?" << QStringList{"why[?]"};
    QTest::newRow("not: widened") << "~(#?.info)" << QStringList{"*"};
  }
  void AmigaPatternsBecomeGlobs() {
    QFETCH(QString, pattern);
    QFETCH(QStringList, globs);
    QCOMPARE(AmigaPatternGlobs(pattern.toStdString()), globs);
  }

  void TheSaveRequesterGivesThePath() {
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("New.guide"));
    QtRequesters requesters;
    std::optional<std::string> given;
    ProgramThread program(
        [&] { given = requesters.FileRequest("Folioteer", "#?.guide", FileRequestMode::Save); });
    auto* dialog = OpenDialog<FileRequester>(requesters);
    QVERIFY(dialog);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog->nameFilters().value(0), QStringLiteral("*.guide"));
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    QTest::keyClicks(name, path);
    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(program.Finish());
    QCOMPARE(given.value_or(""), QFile::encodeName(path).toStdString());
  }

  void FontsKeepNameSizeAndStyle() {
    for (int style = 0; style < 8; ++style) {
      FontChoice back = ChoiceOfFont(FontOfChoice({"Monospace", 13, style}));
      QCOMPARE(back.name + "/" + std::to_string(back.size) + "/" + std::to_string(back.style),
               "Monospace/13/" + std::to_string(style));
    }
    QCOMPARE(FontOfChoice({"topaz.font", 8, 0}).family(), QStringLiteral("topaz"));
  }
};

}  // namespace folioteer

QTEST_MAIN(folioteer::RequestersTest)
#include "requesters_qtest.moc"
