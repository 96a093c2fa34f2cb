#include <QTest>

#include "qt/guide_text.h"
#include "qt/markup_highlighter.h"

Q_DECLARE_METATYPE(std::vector<folioteer::MarkupSpan>)

namespace folioteer {
namespace {

using Spans = std::vector<MarkupSpan>;
constexpr MarkupRole kCommand = MarkupRole::Command, kAttribute = MarkupRole::Attribute,
                     kLabel = MarkupRole::LinkLabel, kTarget = MarkupRole::LinkTarget,
                     kMacro = MarkupRole::Macro, kEscape = MarkupRole::Escape, kMark = MarkupRole::ByteMark;

}  // namespace

class MarkupHighlighterTest : public QObject {
  Q_OBJECT

 private slots:
  void LinesAreCutIntoSpans_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("macros");
    QTest::addColumn<Spans>("spans");
    QTest::newRow("attributes on and off")
        << QStringLiteral("a @{b}bold@{ub} @{FG shine}x") << QStringList()
        << Spans{{2, 4, kAttribute}, {10, 5, kAttribute}, {16, 11, kAttribute}};
    QTest::newRow("link: label and target apart")
        << QStringLiteral("see @{\"The start\" link Intro 0} now") << QStringList()
        << Spans{{4, 2, kTarget}, {6, 11, kLabel}, {17, 14, kTarget}};
    QTest::newRow("macro call") << QStringLiteral("@{today} and @{box red}") << QStringList()
                                << Spans{{0, 8, kMacro}, {13, 10, kMacro}};
    QTest::newRow("a macro of the guide that redefines an attribute")
        << QStringLiteral("@{b}") << QStringList{QStringLiteral("B")} << Spans{{0, 4, kMacro}};
    QTest::newRow("escapes") << QStringLiteral("\\\\ and \\@{b} end\\") << QStringList()
                             << Spans{{0, 2, kEscape}, {7, 2, kEscape}};
    QTest::newRow("markup without its brace ends at the line end")
        << QStringLiteral("x @{\"open link") << QStringList() << Spans{{2, 2, kTarget}, {4, 10, kLabel}};
    QTest::newRow("byte marks, also in a command line")
        << (QStringLiteral("@title a") + ByteMark(0) + ByteMark(0x1B) + u'b') << QStringList()
        << Spans{{0, 11, kCommand}, {8, 2, kMark}};
  }
  void LinesAreCutIntoSpans() {
    QFETCH(QString, line);
    QFETCH(QStringList, macros);
    QFETCH(Spans, spans);
    QSet<QString> macroNames;
    for (const QString& name : macros) macroNames.insert(name.toLower());
    Spans found;
    ScanMarkupLine(line, macroNames, found);
    auto text = [](const Spans& list) {
      QString out;
      for (const MarkupSpan& span : list)
        out += QStringLiteral("%1+%2:%3 ").arg(span.start).arg(span.length).arg(static_cast<int>(span.role));
      return out;
    };
    QCOMPARE(text(found), text(spans));
  }

  void AnOverlongLineKeepsOnlyItsByteMarks() {
    QString line = QStringLiteral("@{b}") + QString(kLongestMarkupLine, u'x') + ByteMark(0);
    Spans found;
    ScanMarkupLine(line, {}, found);
    QCOMPARE(found.size(), size_t{1});
    QCOMPARE(found[0].start, line.size() - 1);
  }
};

}  // namespace folioteer

QTEST_MAIN(folioteer::MarkupHighlighterTest)
#include "markup_highlighter_qtest.moc"
