#include <QTest>
#include <string>

#include "qt/guide_text.h"

namespace folioteer {
namespace {

std::string EveryByte() {
  std::string bytes;
  for (int byte = 0; byte < 256; ++byte) bytes.push_back(static_cast<char>(byte));
  return bytes;
}

bool IsControlByte(int byte, Charset charset) {
  if (byte == '\t' || byte == '\n') return false;
  return byte < 0x20 || byte == 0x7F || (charset == Charset::Latin1 && byte >= 0x80 && byte <= 0x9F);
}

QString Marks(std::string_view bytes) {
  QString marks;
  for (char byte : bytes) marks += ByteMark(static_cast<uint8_t>(byte));
  return marks;
}

}  // namespace

class GuideTextTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryByteOfLatin1ComesBackAndControlsAreMarks() {
    GuideTextCodec codec(Charset::Latin1);
    std::string bytes = EveryByte() + "\n" + EveryByte();
    QString text = codec.Decode(bytes);
    QCOMPARE(text.size(), static_cast<qsizetype>(bytes.size()));
    for (int byte = 0; byte < 256; ++byte) {
      QChar shown = text[byte];
      if (IsControlByte(byte, Charset::Latin1)) {
        QVERIFY2(IsByteMark(shown) && MarkedByte(shown) == byte, qPrintable(QString::number(byte, 16)));
      } else {
        QCOMPARE(shown.unicode(), static_cast<char16_t>(byte));
      }
    }
    QCOMPARE(codec.Encode(text).value_or(""), bytes);
  }

  // In UTF-8 every byte that is no part of a character is a mark, and so is
  // every byte of the characters a text field would not keep.
  void Utf8ComesBackByteForByte_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("two, three and four bytes") << QByteArray(
                                                      "Gr\xC3\xBC\xC3\x9F"
                                                      "e \xE2\x82\xAC \xF0\x9F\x98\x80")
                                               << QString::fromUtf8("Grüße € \xF0\x9F\x98\x80");
    QTest::newRow("NUL, ESC and DEL")
        << QByteArray("a\0b\x1B\x7F", 5)
        << (QStringLiteral("a") + Marks({"\0", 1}) + QStringLiteral("b") + Marks("\x1B\x7F"));
    QTest::newRow("line and paragraph separators")
        << QByteArray("\xC3\xA4\xE2\x80\xA8\xE2\x80\xA9")
        << (QStringLiteral("ä") + Marks("\xE2\x80\xA8\xE2\x80\xA9"));
    QTest::newRow("a real character of the mark range")
        << QByteArray("\xC3\xA4\xEF\x9C\x80") << (QStringLiteral("ä") + Marks("\xEF\x9C\x80"));
    QTest::newRow("broken sequences") << QByteArray("\xC3\xA4\xFF\xE6\x97 \xC0\xAF \xED\xA0\x80")
                                      << (QStringLiteral("ä") + Marks("\xFF\xE6\x97") + QStringLiteral(" ") +
                                          Marks("\xC0\xAF") + QStringLiteral(" ") + Marks("\xED\xA0\x80"));
  }
  void Utf8ComesBackByteForByte() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    GuideTextCodec codec(Charset::Utf8);
    std::string_view view(bytes.constData(), static_cast<size_t>(bytes.size()));
    QCOMPARE(codec.Decode(view), shown);
    QCOMPARE(codec.Encode(shown).value_or(""), std::string(view));
  }

  void EveryByteValueSurvivesInUtf8Text() {
    GuideTextCodec codec(Charset::Utf8);
    std::string bytes = "\xC3\xA4" + EveryByte() + "\xE2\x82\xAC" + EveryByte();
    QCOMPARE(codec.Encode(codec.Decode(bytes)).value_or(""), bytes);
  }

  void EncodingRefusesWhatTheGuideCannotHold() {
    GuideTextCodec latin1(Charset::Latin1), utf8(Charset::Utf8);
    QVERIFY(!latin1.Encode(QStringLiteral("ab\u20ACc")).has_value());
    QString broken = QStringLiteral("a") + QChar(0xD83D) + QStringLiteral("b");
    QVERIFY(!utf8.Encode(broken).has_value());
    QCOMPARE(utf8.FirstUnheld(broken), 1);
    QCOMPARE(latin1.FirstUnheld(Marks("\x80\xFF")), -1);
  }

  void InputFromOutsideIsPrepared_data() {
    QTest::addColumn<int>("charset");
    QTest::addColumn<bool>("marksAreBytes");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("prepared");
    int latin1 = static_cast<int>(Charset::Latin1), utf8 = static_cast<int>(Charset::Utf8);
    QTest::newRow("CR LF, CR and separators become LF")
        << latin1 << false << QStringLiteral("a\r\nb\rc\u2028d\u2029e") << QStringLiteral("a\nb\nc\nd\ne");
    QTest::newRow("controls become marks")
        << latin1 << false << QStringLiteral("a\x1b\x01\x85\t")
        << (QStringLiteral("a") + Marks("\x1B\x01\x85") + QStringLiteral("\t"));
    QTest::newRow("a real mark character in UTF-8")
        << utf8 << false << QString(QChar(0xF712)) << Marks("\xEF\x9C\x92");
    QTest::newRow("marks copied from a guide stay bytes")
        << latin1 << true << Marks({"\x00\x9B", 2}) << Marks({"\x00\x9B", 2});
  }
  void InputFromOutsideIsPrepared() {
    QFETCH(int, charset);
    QFETCH(bool, marksAreBytes);
    QFETCH(QString, input);
    QFETCH(QString, prepared);
    GuideTextCodec codec(static_cast<Charset>(charset));
    PreparedInput result = codec.PrepareInput(input, marksAreBytes ? MarksIn::Bytes : MarksIn::Characters);
    QVERIFY2(!result.Refused(), qPrintable(result.refusal));
    QCOMPARE(result.text, prepared);
  }

  void InputTheGuideCannotHoldIsRefusedByName_data() {
    QTest::addColumn<int>("charset");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("named");
    int latin1 = static_cast<int>(Charset::Latin1), utf8 = static_cast<int>(Charset::Utf8);
    QTest::newRow("three at once") << latin1 << QStringLiteral("\u20AC \u2013 \u0141")
                                   << QStringList{"U+20AC", "and 2 more"};
    QTest::newRow("a mark character from outside")
        << latin1 << QString(QChar(0xF701)) << QStringList{"U+F701"};
    QTest::newRow("half a surrogate pair")
        << utf8 << (QStringLiteral("a") + QString(QChar(0xDC00))) << QStringList{"broken", "U+DC00"};
  }
  void InputTheGuideCannotHoldIsRefusedByName() {
    QFETCH(int, charset);
    QFETCH(QString, input);
    QFETCH(QStringList, named);
    PreparedInput result = GuideTextCodec(static_cast<Charset>(charset)).PrepareInput(input);
    QVERIFY(result.Refused());
    QVERIFY(result.text.isEmpty());
    for (const QString& part : named) QVERIFY2(result.refusal.contains(part), qPrintable(result.refusal));
  }
};

}  // namespace folioteer

QTEST_MAIN(folioteer::GuideTextTest)
#include "guide_text_qtest.moc"
