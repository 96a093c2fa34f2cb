// The guide view: how it lays a node out and how it answers the mouse and
// the keys. Offscreen, with the system's fixed-width font.
#include <QFontDatabase>
#include <QFontInfo>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "guideview/guide_view.h"
#include "render/renderer.h"

using folioteer::DisplayNode;
using folioteer::GuideView;
using folioteer::NodeLayout;
using PieceKind = NodeLayout::PieceKind;

namespace {

std::shared_ptr<const DisplayNode> Node(const std::string& text, const std::string& header = "") {
  folioteer::GuideSource source =
      folioteer::ReadGuideSource("@database t\n" + header + "@node Main\n" + text + "\n@endnode\n");
  return std::make_shared<DisplayNode>(folioteer::RenderNode(source, 0));
}

// The words and blanks of each laid-out line.
QStringList LineTexts(const NodeLayout& layout) {
  QStringList lines;
  for (const NodeLayout::Line& line : layout.Lines()) {
    QString text;
    for (int i = line.firstPiece; i < line.endPiece; ++i) {
      const NodeLayout::Piece& piece = layout.Pieces()[i];
      QString part = layout.Spans()[piece.span].text.mid(piece.begin, piece.end - piece.begin);
      if (piece.kind == PieceKind::Word || piece.kind == PieceKind::Spaces) text += part;
    }
    lines << text;
  }
  return lines;
}

// A view of the given viewport width, the node set.
struct Fixture {
  GuideView view;
  explicit Fixture(std::shared_ptr<const DisplayNode> node, int width = 400, int height = 200) {
    view.resize(width, height);
    view.show();
    view.SetNode(std::move(node));
  }
  const NodeLayout& Layout() const { return view.Layout(); }
};

}  // namespace

class GuideViewTest : public QObject {
  Q_OBJECT

 private slots:
  void WordWrapBreaksAtSpacesToTheWidth();
  void WrapModeNoneKeepsLinesAndScrollsSideways();
  void ClickFollowsAndSlidingOffCancels();
  void TabCyclesLinks();
  void FindMarksEveryMatchAndShowsTheCurrent();
  void PositionsSurviveAResize();
};

void GuideViewTest::WordWrapBreaksAtSpacesToTheWidth() {
  std::string words;
  for (int i = 0; i < 60; ++i) words += "word" + std::to_string(i) + (i % 7 == 6 ? "  " : " ");
  Fixture test(Node(words, "@wordwrap\n"), 300);
  const NodeLayout& layout = test.Layout();
  QVERIFY(layout.Lines().size() > 3);
  qreal width = test.view.viewport()->width() - 12;
  QStringList lines = LineTexts(layout);
  QString joined;
  for (size_t i = 0; i < layout.Lines().size(); ++i) {
    const NodeLayout::Line& line = layout.Lines()[i];
    QVERIFY2(line.indent + line.width <= width, qPrintable(lines[static_cast<int>(i)]));
    QVERIFY(!lines[static_cast<int>(i)].startsWith(" "));  // the spaces at a break are dropped
    joined += lines[static_cast<int>(i)].trimmed() + " ";
  }
  QCOMPARE(joined.simplified(), QString::fromStdString(words).simplified());  // every word, in order
}

void GuideViewTest::WrapModeNoneKeepsLinesAndScrollsSideways() {
  std::string line(300, 'n');
  Fixture test(Node(line + "\nshort"), 300);
  QCOMPARE(LineTexts(test.Layout()), QStringList({QString(300, 'n'), "short"}));
  QVERIFY(test.view.horizontalScrollBar()->maximum() > 0);
  test.view.setFocus();
  QTest::keyClick(&test.view, Qt::Key_Right);
  QVERIFY(test.view.horizontalScrollBar()->value() > 0);
}

void GuideViewTest::ClickFollowsAndSlidingOffCancels() {
  Fixture test(Node("@{\" first \" link a} text @{\" second \" link b}"));
  QSignalSpy followed(&test.view, &GuideView::LinkActivated);
  QWidget* viewport = test.view.viewport();
  QTest::mouseClick(viewport, Qt::LeftButton, {}, test.view.LinkRect(1).center());
  QCOMPARE(followed.count(), 1);
  QCOMPARE(followed.takeFirst().at(0).toInt(), 1);
  QTest::mousePress(viewport, Qt::LeftButton, {}, test.view.LinkRect(0).center());
  QTest::mouseMove(viewport, test.view.LinkRect(0).center() + QPoint(0, 40));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, test.view.LinkRect(0).center() + QPoint(0, 40));
  QCOMPARE(followed.count(), 0);
  QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(test.view.LinkRect(0).right() + 20, 8));  // the text
  QCOMPARE(followed.count(), 0);
}

void GuideViewTest::TabCyclesLinks() {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "line " + std::to_string(i) + "\n";
  text += "@{\" far \" link far}\n@{\" farther \" link farther}";
  Fixture test(Node("@{\" near \" link near}\n" + text), 400, 150);
  test.view.setFocus();
  QTest::keyClick(&test.view, Qt::Key_Tab);
  QTest::keyClick(&test.view, Qt::Key_Tab);
  QCOMPARE(test.view.FocusedLink(), 1);
  QVERIFY(test.view.verticalScrollBar()->value() > 0);  // scrolled to it
  QTest::keyClick(&test.view, Qt::Key_Backtab);
  QTest::keyClick(&test.view, Qt::Key_Backtab);  // round to the last
  QCOMPARE(test.view.FocusedLink(), 2);
  QTest::keyClick(&test.view, Qt::Key_Escape);
  QCOMPARE(test.view.FocusedLink(), -1);
  // Without focus, Tab starts from the first link the view shows.
  test.view.ScrollToParagraph(31);
  QTest::keyClick(&test.view, Qt::Key_Tab);
  QCOMPARE(test.view.FocusedLink(), 1);
}

void GuideViewTest::FindMarksEveryMatchAndShowsTheCurrent() {
  std::string text;
  for (int i = 0; i < 100; ++i) text += (i % 25 == 24 ? "a Needle here\n" : "hay\n");
  text += "split ne@{b}edle@{ub} across styles";
  Fixture test(Node(text), 400, 150);
  QCOMPARE(test.view.Find("needle", true), 5);
  QCOMPARE(test.view.CurrentMatchLine(), 24);
  int top = test.view.TopLine();
  QVERIFY(top <= 24 && 24 < top + 150 / test.Layout().LineHeight());
  test.view.Find("needle", false);              // back round to the last
  QCOMPARE(test.view.CurrentMatchLine(), 100);  // the match across two styles counts
  QCOMPARE(test.view.Find("absent", true), 0);
}

void GuideViewTest::PositionsSurviveAResize() {
  std::string text;
  for (int i = 0; i < 200; ++i)
    text += "Paragraph " + std::to_string(i) + " has several words that wrap.\n\n";
  Fixture test(Node(text, "@smartwrap\n"), 500, 200);
  test.view.ScrollToParagraph(150);
  QCOMPARE(test.view.TopPosition().paragraph, 150);
  test.view.resize(150, 200);  // every paragraph takes more lines now
  QCOMPARE(test.view.TopPosition().paragraph, 150);
  test.view.ScrollToPosition({150, 8, 0});  // "words", on a later line of the same paragraph
  GuideView::Position position = test.view.TopPosition();
  QCOMPARE(position.paragraph, 150);
  QVERIFY(position.piece > 0);
  test.view.resize(151, 200);
  QCOMPARE(test.view.TopPosition().paragraph, 150);
}

QTEST_MAIN(GuideViewTest)
#include "guide_view_qtest.moc"
