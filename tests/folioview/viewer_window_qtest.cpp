// The guide viewer's window driven as a user drives it: the navigation bar,
// links within and between guides, the history, the keyboard, find, the
// character set, and the links that would run something. Offscreen.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "folioview/command_line.h"
#include "folioview/viewer_window.h"
#include "guideview/guide_view.h"
#include "render/plain_text.h"
#include "test_util.h"

using folioteer::GuideView;
using folioteer::NavButton;
using folioteer::ViewerWindow;
namespace testing = folioteer::testing;

namespace {

const std::string kGuides = FOLIOTEER_SOURCE_DIR "/tests/folioview/guides/";

std::string NodeName(const ViewerWindow& window) { return window.Reader().Shown().display->info.name; }

int LinkLabelled(const ViewerWindow& window, const std::string& label) {
  const auto& links = window.Reader().Shown().display->links;
  for (size_t i = 0; i < links.size(); ++i) {
    std::string text = links[i].label;
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    if (text == label) return static_cast<int>(i);
  }
  return -1;
}

void Click(ViewerWindow& window, const std::string& label) {
  int link = LinkLabelled(window, label);
  QVERIFY2(link >= 0, label.c_str());
  window.View()->FocusLink(link);  // scrolls it into view
  QRect button = window.View()->LinkRect(link);
  QVERIFY(!button.isEmpty());
  QTest::mouseClick(window.View()->viewport(), Qt::LeftButton, {}, button.center());
}

// Each button as its enabled state, "+" or "-", in bar order.
QString Enabled(const ViewerWindow& window) {
  QString states;
  for (int i = 0; i < folioteer::kNumNavButtons; ++i)
    states += window.NavigationAction(static_cast<NavButton>(i))->isEnabled() ? "+" : "-";
  return states;
}

using testing::WriteFile;

struct Step {
  NavButton button;
  const char* node;     // shown after the button
  const char* enabled;  // Contents Index Help Retrace Browse< Browse>
};

void Walk(ViewerWindow& window, std::initializer_list<Step> steps) {
  for (const Step& step : steps) {
    window.NavigationAction(step.button)->trigger();
    QVERIFY2(window.Message().isEmpty(), qPrintable(window.Message()));
    QCOMPARE(NodeName(window), step.node);
    QCOMPARE(Enabled(window), step.enabled);
  }
}

}  // namespace

class ViewerWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void SixButtonsEnableAndGoWhereTheGuideSays();
  void ButtonsFindNodesWhoseNamesHoldASlash();
  void RetraceRestoresNodesAndScrollPositions();
  void LinkToAnotherGuideInASubfolderWithOtherLetterCase();
  void LineNumberLinkScrollsThatLineToTheTop();
  void SystemLinkAsksAndRunsWithoutAShell();
  void ArexxScriptsNeverRunAndCloseLinksClose();
  void TabAndEnterFollowALink();
  void KeysRetraceAndFind();
  void BadLinksSayWhyAndChangeNothing();
  void ALinkLoopBetweenTwoGuidesOnlyGrowsTheHistory();
  void BinaryFilesAreShownAsText();
};

void ViewerWindowTest::SixButtonsEnableAndGoWhereTheGuideSays() {
  ViewerWindow window;
  QVERIFY(window.Open(kGuides + "nav.guide"));
  QCOMPARE(window.windowTitle(), "The navigation guide");
  QCOMPARE(Enabled(window), "-++--+");  // MAIN needs no Contents and has no node before it
  Walk(window, {
                   {NavButton::BrowseNext, "Chapter", "+++++-"},  // its @next names itself
                   {NavButton::Contents, "Index", "++++++"},
                   {NavButton::Help, "HelpNode", "+++++-"},  // the last node
                   {NavButton::BrowsePrevious, "Index", "++++++"},
                   {NavButton::Index, "Index", "++++++"},  // the node shown: nothing changes
                   {NavButton::Contents, "MAIN", "-+++-+"},
               });
  QCOMPARE(window.Reader().HistoryDepth(), size_t{5});
}

// A node's name may hold a "/": only a name no node has is "file/node".
void ViewerWindowTest::ButtonsFindNodesWhoseNamesHoldASlash() {
  testing::TempDir dir;
  std::filesystem::create_directories(dir.File("Part 1"));
  std::filesystem::create_directories(dir.File("sub"));
  WriteFile(dir.File("sub/other.guide"), "@database o\n@node Main\n@endnode\n@node Target\n@endnode\n");
  WriteFile(dir.File("slash.guide"),
            "@database slash\n@index \"Contents/All\"\n"
            "@node MAIN Parts\n@endnode\n"
            "@node \"Part 1/2\" \"The first part\"\n@toc \"contents/all\"\n@endnode\n"
            "@node \"Part 2/2\" \"The second part\"\n@next \"sub/other.guide/Target\"\n"
            "@endnode\n"
            "@node \"Contents/All\" \"All parts\"\n@next \"CONTENTS/ALL\"\n@endnode\n");
  ViewerWindow window;
  QVERIFY(window.Open(dir.File("slash.guide")));
  Walk(window, {
                   {NavButton::BrowseNext, "Part 1/2", "++-+++"},    // the next node in the file
                   {NavButton::Contents, "Contents/All", "++-++-"},  // its @toc, in other letter case
                   {NavButton::BrowsePrevious, "Part 2/2", "++-+++"},
               });
  window.NavigationAction(NavButton::BrowseNext)->trigger();
  QCOMPARE(NodeName(window), "Target");
  QVERIFY(window.Reader().Shown().path.ends_with("/sub/other.guide"));
}

void ViewerWindowTest::RetraceRestoresNodesAndScrollPositions() {
  ViewerWindow window;
  window.resize(600, 400);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QVERIFY(window.Open(kGuides + "nav.guide", "Long"));
  window.View()->ScrollToParagraph(40);
  window.NavigationAction(NavButton::BrowseNext)->trigger();
  QCOMPARE(NodeName(window), "Index");
  QCOMPARE(window.View()->TopPosition().paragraph, 0);  // a new node shows from its top
  Click(window, "Chapter");
  QCOMPARE(NodeName(window), "Chapter");
  window.NavigationAction(NavButton::Retrace)->trigger();
  QCOMPARE(NodeName(window), "Index");
  window.NavigationAction(NavButton::Retrace)->trigger();
  QCOMPARE(NodeName(window), "Long");
  QCOMPARE(window.View()->TopPosition().paragraph, 40);
  QVERIFY(!window.NavigationAction(NavButton::Retrace)->isEnabled());  // a retrace adds nothing
  // The place is where the view stood when the link was followed: the link
  // at the end of the node was scrolled into view first.
  window.View()->ScrollToParagraph(10);
  Click(window, "a chapter");
  QCOMPARE(NodeName(window), "Chapter");
  window.NavigationAction(NavButton::Retrace)->trigger();
  QCOMPARE(NodeName(window), "Long");
  QVERIFY(window.View()->TopPosition().paragraph > 90);
  QVERIFY(!window.NavigationAction(NavButton::Retrace)->isEnabled());
}

void ViewerWindowTest::LinkToAnotherGuideInASubfolderWithOtherLetterCase() {
  ViewerWindow window;
  window.show();
  QVERIFY(window.Open(kGuides + "nav.guide"));
  Click(window, "Other guide");  // "Sub/other.guide/target" is sub/OTHER.GUIDE, node Target
  QCOMPARE(NodeName(window), "Target");
  QVERIFY(window.Reader().Shown().path.ends_with("/guides/sub/OTHER.GUIDE"));
  QCOMPARE(window.windowTitle(), "The target node");
  Click(window, "back");  // "/nav.guide/Chapter": "/" is the parent
  QCOMPARE(NodeName(window), "Chapter");
  QVERIFY(window.Reader().Shown().path.ends_with("/guides/nav.guide"));
  window.NavigationAction(NavButton::Retrace)->trigger();
  QCOMPARE(NodeName(window), "Target");
}

void ViewerWindowTest::LineNumberLinkScrollsThatLineToTheTop() {
  ViewerWindow window;
  window.resize(600, 300);
  window.show();
  QVERIFY(window.Open(kGuides + "nav.guide"));
  Click(window, "Line 30");
  QCOMPARE(NodeName(window), "Long");
  int top = window.View()->TopPosition().paragraph;
  QCOMPARE(top, 29);
  const folioteer::DisplayNode& node = *window.Reader().Shown().display;
  QCOMPARE(folioteer::PlainTextLine(node, node.paragraphs[top]), "Line 30 of the long node.");
}

// A system link whose words hold characters a shell would act on: declined,
// nothing runs; accepted, it runs without a shell.
void ViewerWindowTest::SystemLinkAsksAndRunsWithoutAShell() {
  testing::TempDir dir;
  WriteFile(dir.File("run.guide"),
            "@database run\n@node Main\n@{\" Touch \" system touch \"" + dir.File("made;by touch") +
                "\" \"$(echo second)\"}\n"
                "@{\" Web \" system \"OpenURL URL=https://example.org/a?b=1\"}\n@endnode\n");
  ViewerWindow window;
  window.show();
  QVERIFY(window.Open(dir.File("run.guide")));
  Click(window, "Touch");
  folioteer::ConfirmDialog* question = window.Confirmation();
  QVERIFY(question != nullptr);
  QTRY_VERIFY(question->isVisible());
  QString details = question->Details();
  QVERIFY2(details.contains("Program:\ntouch") && details.contains("2. $(echo second)"), qPrintable(details));
  QVERIFY(question->CancelButton()->isDefault());
  QTest::keyClick(question, Qt::Key_Escape);
  QTRY_VERIFY(window.Confirmation() == nullptr);
  // A web address asks too, before the browser opens.
  Click(window, "Web");
  QVERIFY(window.Confirmation() != nullptr);
  QVERIFY(window.Confirmation()->Details().startsWith("Address:\nhttps://example.org/a?b=1\n"));
  window.Confirmation()->reject();
  QTRY_VERIFY(window.Confirmation() == nullptr);
  QCOMPARE(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // the guide alone

  Click(window, "Touch");
  QVERIFY(window.Confirmation() != nullptr);
  QTest::mouseClick(window.Confirmation()->AcceptButton(), Qt::LeftButton);
  // touch got each word as it stands, in the guide's folder: a shell would
  // have split the first at ";" and run the "$(...)" of the second.
  QTRY_VERIFY(std::filesystem::exists(dir.File("made;by touch")));
  QTRY_VERIFY(std::filesystem::exists(dir.File("$(echo second)")));
  QVERIFY(!std::filesystem::exists(dir.File("made")));
  QVERIFY(!std::filesystem::exists(dir.File("second")));
  QCOMPARE(window.Message(), "Started \u201ctouch\u201d.");
}

void ViewerWindowTest::ArexxScriptsNeverRunAndCloseLinksClose() {
  testing::TempDir dir;
  std::string guide = dir.File("self.guide");
  // A guide that names itself as its @onopen script, and a node with its own.
  WriteFile(guide, "@database self\n@onopen \"self.guide\"\n@node Main\n@{\" Script \" rx \"" +
                       dir.File("x.rexx") +
                       "\"}\n@{\" Node \" link Scripted} @{\" Beep \" beep} @{\" Close \" "
                       "close}\n@endnode\n@node Scripted\n@onopen \"touch " +
                       dir.File("ran") + "\"\n@onclose \"rm -rf " + dir.File("") + "\"\ntext\n@endnode\n");
  ViewerWindow window;
  window.show();
  QVERIFY(window.Open(guide));
  QVERIFY(window.Message().contains("ARexx script \"self.guide\" when it opens"));
  Click(window, "Script");
  QVERIFY(window.Message().contains("nothing was run"));
  QVERIFY(window.Confirmation() == nullptr);
  Click(window, "Node");
  window.NavigationAction(NavButton::Retrace)->trigger();
  QVERIFY(!std::filesystem::exists(dir.File("ran")));
  QVERIFY(std::filesystem::exists(guide));
  // The links that do their own thing.
  Click(window, "Beep");
  QVERIFY(window.isVisible());
  Click(window, "Close");
  QVERIFY(!window.isVisible());
}

void ViewerWindowTest::TabAndEnterFollowALink() {
  ViewerWindow window;
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QVERIFY(window.Open(kGuides + "nav.guide"));
  GuideView* view = window.View();
  view->setFocus();
  QCOMPARE(view->FocusedLink(), -1);
  QTest::keyClick(view, Qt::Key_Tab);
  QCOMPARE(view->FocusedLink(), LinkLabelled(window, "Long"));
  QTest::keyClick(view, Qt::Key_Return);
  QCOMPARE(NodeName(window), "Long");
  QCOMPARE(view->FocusedLink(), -1);  // a new node starts without focus
}

void ViewerWindowTest::KeysRetraceAndFind() {
  ViewerWindow window;
  window.resize(600, 300);
  window.show();
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  QVERIFY(window.Open(kGuides + "nav.guide"));
  Click(window, "Long");
  GuideView* view = window.View();
  view->setFocus();
  QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
  QVERIFY(window.FindEdit()->hasFocus());
  QTest::keyClicks(window.FindEdit(), "line 11");
  QCOMPARE(window.FindStatus(), "1 of 11");  // 11, 110 to 119
  QTest::keyClick(window.FindEdit(), Qt::Key_F3, Qt::ShiftModifier);
  QCOMPARE(window.FindStatus(), "11 of 11");
  QTest::keyClick(window.FindEdit(), Qt::Key_Escape);
  QVERIFY(!window.FindEdit()->isVisible());
  QCOMPARE(view->MatchCount(), 0);
  // Backspace in the find bar edits; in the view it retraces.
  QVERIFY(view->hasFocus());
  QTest::keyClick(view, Qt::Key_Backspace);
  QCOMPARE(NodeName(window), "MAIN");
}

void ViewerWindowTest::BadLinksSayWhyAndChangeNothing() {
  testing::TempDir dir;
  std::filesystem::create_directories(dir.File("docs/Folder.guide"));
  const std::string longTarget(10000, 'x');
  const struct {
    std::string label, link;
    QString message;
  } cases[] = {
      {"folder", "link \"Folder.guide/main\"", "is a folder"},
      {"missing", "link \"missing.guide/main\"", "There is no file \"missing.guide\""},
      {"nonode", "link \"nowhere\"", "There is no node \"nowhere\" in \"bad.guide\"."},
      {"above", "link \"Work:/x.guide/main\"", "leads above"},
      {"long", "link \"" + longTarget + "/main\"", "is too long (10000 bytes)"},
      {"odd", "frobnicate", "The link's command \"frobnicate\" is not one this viewer knows."},
  };
  // A path through ".." to a guide that exists is fine: here, this one.
  std::string guide = "@database bad\n@node Main\n@{\" up \" link \"../docs/bad.guide/Main\"}\n";
  for (const auto& test : cases) guide += "@{\" " + test.label + " \" " + test.link + "}\n";
  WriteFile(dir.File("docs/bad.guide"), guide + "@endnode\n");
  ViewerWindow window(folioteer::ParseVolumeTable("Work: " + dir.File("docs"), ""));
  window.resize(500, 400);
  window.show();
  QVERIFY(window.Open(dir.File("docs/bad.guide")));
  for (const auto& test : cases) {
    Click(window, test.label);
    QVERIFY2(window.Message().contains(test.message), qPrintable(window.Message()));
    QVERIFY2(window.Message().size() < 400, test.label.c_str());  // long names are shortened
    QCOMPARE(NodeName(window), "Main");
  }
  QCOMPARE(window.Reader().HistoryDepth(), size_t{0});
  Click(window, "up");
  QCOMPARE(NodeName(window), "Main");
  QVERIFY(window.Message().isEmpty());
}

void ViewerWindowTest::ALinkLoopBetweenTwoGuidesOnlyGrowsTheHistory() {
  ViewerWindow window;
  window.show();
  QVERIFY(window.Open(kGuides + "nav.guide"));
  Click(window, "Loop");
  for (int i = 0; i < 50; ++i) Click(window, i % 2 == 0 ? "to B" : "to A");
  QCOMPARE(window.windowTitle(), "Guide A");
  QCOMPARE(window.Reader().HistoryDepth(), size_t{51});
  for (int i = 0; i < 51; ++i) window.NavigationAction(NavButton::Retrace)->trigger();
  QCOMPARE(NodeName(window), "MAIN");
}

void ViewerWindowTest::BinaryFilesAreShownAsText() {
  testing::TempDir dir;
  std::string bytes;
  for (int i = 0; i < 300000; ++i) bytes += static_cast<char>(i % 251);
  WriteFile(dir.File("program"), bytes);
  WriteFile(dir.File("start.guide"),
            "@database s\n@node Main\n@{\" binary \" link \"program/main\"}\n@endnode\n");
  ViewerWindow window;
  window.show();
  QVERIFY(window.Open(dir.File("start.guide")));
  Click(window, "binary");
  QCOMPARE(NodeName(window), "Main");
  QVERIFY(window.Reader().Shown().path.ends_with("/program"));
  QVERIFY(
      window.Message().contains("is not a guide and not text; it is shown as text, its first 64 KB only."));
  QVERIFY(window.View()->Layout().Lines().size() > 0);
}

QTEST_MAIN(ViewerWindowTest)
#include "viewer_window_qtest.moc"
