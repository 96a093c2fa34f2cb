#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>
#include <string>

#include "qt/edit_box.h"
#include "type_keys.h"

namespace folioteer {
namespace {

// The bytes of a literal, NULs included.
template <size_t N>
std::string Raw(const char (&text)[N]) {
  return std::string(text, N - 1);
}

}  // namespace

class EditBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    box_ = std::make_unique<EditBox>();
    box_->resize(600, 300);
    box_->show();
    QVERIFY(QTest::qWaitForWindowExposed(box_.get()));
    box_->setFocus();
  }
  void cleanup() { box_.reset(); }

  // A node holding NUL, controls, a CR and bytes that are no UTF-8 keeps
  // them byte for byte while the user types around them, copies and pastes.
  void ControlBytesStayThroughTypingCopyAndPaste_data() {
    QTest::addColumn<int>("charset");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ISO-8859-1") << static_cast<int>(Charset::Latin1)
                                << QByteArray::fromStdString(Raw("a\0b\x1B[1m\r\n\x85\x9B\xFF\t\xE4"));
    QTest::newRow("UTF-8") << static_cast<int>(Charset::Utf8)
                           << QByteArray::fromStdString(Raw(
                                  "\xC3\xA4\0\x01\r\n\xC2\x85\xFF\xE2\x80\xA8\xEF\x9C\x80 \xF0\x9F\x98\x80"));
  }
  void ControlBytesStayThroughTypingCopyAndPaste() {
    QFETCH(int, charset);
    QFETCH(QByteArray, bytes);
    std::string node = bytes.toStdString();
    box_->SetGuideText(node, static_cast<Charset>(charset));
    QCOMPARE(box_->GuideText().value_or(""), node);

    QTest::keyClick(box_.get(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(box_.get(), "xy");
    QTest::keyClick(box_.get(), Qt::Key_Backspace);
    QCOMPARE(box_->GuideText().value_or(""), node + "x");

    QTest::keyClick(box_.get(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box_.get(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(box_.get(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(box_.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box_->GuideText().value_or(""), node + "x" + node + "x");
    QVERIFY(box_->RefusalNote().isEmpty());
  }

  void AEuroIsRefusedInALatin1GuideAndTakenInUtf8() {
    box_->SetGuideText("price: ", Charset::Latin1);
    QSignalSpy refused(box_.get(), &EditBox::InputRefused);
    QTest::keyClick(box_.get(), Qt::Key_End);
    testing::Type(box_.get(), QStringLiteral("5\u20AC"));
    QCOMPARE(box_->GuideText().value_or(""), std::string("price: 5"));
    QCOMPARE(refused.count(), 1);
    QVERIFY2(box_->RefusalNote().contains(QStringLiteral("U+20AC")), qPrintable(box_->RefusalNote()));

    // A paste holding one is refused whole; an input method's commit too.
    QApplication::clipboard()->setText(QStringLiteral("costs 5 \u20AC"));
    QTest::keyClick(box_.get(), Qt::Key_V, Qt::ControlModifier);
    QInputMethodEvent composed(QString(), {});
    composed.setCommitString(QStringLiteral("\u20AC"));
    QApplication::sendEvent(box_.get(), &composed);
    QCOMPARE(box_->GuideText().value_or(""), std::string("price: 5"));
    QCOMPARE(refused.count(), 3);

    // The next keystroke that is taken puts the note away.
    testing::Type(box_.get(), QStringLiteral("\u00A3"));
    QCOMPARE(box_->GuideText().value_or(""), std::string("price: 5\xA3"));
    QVERIFY(box_->RefusalNote().isEmpty());

    // A UTF-8 guide takes both.
    box_->SetGuideText("", Charset::Utf8);
    testing::Type(box_.get(), QStringLiteral("\u20AC"));
    QApplication::sendEvent(box_.get(), &composed);
    QCOMPARE(box_->GuideText().value_or(""), std::string("\xE2\x82\xAC\xE2\x82\xAC"));
    QCOMPARE(refused.count(), 3);
  }

  // Line and column are bytes, whatever the QString positions are.
  void PositionsCountBytesOfUtf8Text() {
    box_->SetGuideText(
        "\xC3\xA4"
        "bc\n\xE2\x82\xAC"
        "x\xF0\x9F\x98\x80y",
        Charset::Utf8);
    box_->SelectGuideBlock({0, 2}, {1, 4});
    QCOMPARE(box_->textCursor().selectedText(), QStringLiteral("bc\u2029\u20ACx"));
    TextPos first, last;
    QVERIFY(box_->GuideSelection(first, last));
    QCOMPARE(first, (TextPos{0, 2}));
    QCOMPARE(last, (TextPos{1, 4}));

    box_->SetCursorPos({1, 8});
    QTest::keyClicks(box_.get(), "z");
    QCOMPARE(box_->CursorPos(), (TextPos{1, 9}));
    QCOMPARE(box_->GuideText().value_or(""), std::string("\xC3\xA4"
                                                         "bc\n\xE2\x82\xAC"
                                                         "x\xF0\x9F\x98\x80zy"));

    box_->SetCursorPos({7, 99});  // past the end: at the end
    QCOMPARE(box_->CursorPos(), (TextPos{1, 10}));
  }

 private:
  std::unique_ptr<EditBox> box_;
};

}  // namespace folioteer

QTEST_MAIN(folioteer::EditBoxTest)
#include "edit_box_qtest.moc"
