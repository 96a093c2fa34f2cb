// What each kind of link asks for, decided from the link as the renderer
// reads it: nodes to show, programs and web addresses to confirm, ARexx
// that never runs.
#include "links/link_action.h"

#include <gtest/gtest.h>

#include "render/links.h"

namespace folioteer {
namespace {

LinkAction Decide(std::string_view body) { return DecideLinkAction(ParseLink(body, Charset::Latin1, 1)); }

std::string Words(const std::vector<std::string>& words) {
  std::string joined;
  for (const std::string& word : words) joined += "[" + word + "]";
  return joined;
}

// What the other kinds ask for shows in the golden pages (html_page_test.cpp).
TEST(LinkAction, NodeLinksNameFileNodeAndLine) {
  LinkAction other = Decide(R"("x" alink "Work:My Docs/a.guide/Part 2" 40)");
  EXPECT_EQ(other.kind, LinkActionKind::ShowNode);
  EXPECT_EQ(other.file + "|" + other.node + "|" + std::to_string(other.line),
            "Work:My Docs/a.guide|Part 2|40");
  EXPECT_EQ(Decide(R"("x" link "")").reason, "The link names no node.");
  EXPECT_EQ(Decide(R"("x")").reason, "The link has no command.");
}

TEST(LinkAction, SystemCommandsBecomeWordsOrWebAddresses) {
  struct Case {
    const char* body;
    LinkActionKind kind;
    const char* words;
    const char* url;
  };
  const Case cases[] = {
      {R"("x" system "touch 'a;b' $HOME")", LinkActionKind::RunProgram, "[touch]['a;b'][$HOME]", ""},
      {R"("x" system OpenURL http://aminet.net/)", LinkActionKind::OpenUrl, "[OpenURL][http://aminet.net/]",
       "http://aminet.net/"},
      {R"("x" system "SYS:Utilities/openurl URL=https://a.org/x?y=1 NEWWIN")", LinkActionKind::OpenUrl,
       "[SYS:Utilities/openurl][URL=https://a.org/x?y=1][NEWWIN]", "https://a.org/x?y=1"},
      {R"("x" system "OpenURL www.amiga.org")", LinkActionKind::OpenUrl, "[OpenURL][www.amiga.org]",
       "http://www.amiga.org"},
      // Only web addresses open in the browser: anything else is a program to confirm.
      {R"("x" system "OpenURL file:///etc/passwd")", LinkActionKind::RunProgram,
       "[OpenURL][file:///etc/passwd]", ""},
      {R"("x" system "")", LinkActionKind::Nothing, "", ""},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.body);
    LinkAction action = Decide(test.body);
    EXPECT_EQ(action.kind, test.kind);
    EXPECT_EQ(Words(action.words), test.words);
    EXPECT_EQ(action.url, test.url);
  }
  // The quotes around a whole command line are not part of it.
  EXPECT_EQ(Decide(R"("x" system "touch 'a;b'")").command, "touch 'a;b'");
  EXPECT_EQ(Decide(R"("x" system touch "a b" c)").command, R"(touch "a b" c)");
}

TEST(LinkAction, CommandWordsSplitAtBlanksWithQuotesGrouping) {
  EXPECT_EQ(Words(SplitCommandWords("  a  \"b c\"d\t\"\" \"open")), "[a][b cd][][open]");
}

}  // namespace
}  // namespace folioteer
