#include "nodes/scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "guide/format.h"
#include "guide/guide_test_util.h"

namespace folioteer {
namespace {

using Events = std::vector<std::string>;

using testing::DebugCapture;

AGCmd* NodeWithText(const std::vector<std::string>& lines) {
  AGCmd* node = CreateNodeCmd("Test", "");
  AppendBlockdStr(node->block, lines[0]);
  for (size_t i = 1; i < lines.size(); ++i) AddBlockLine(node->block, lines[i]);
  return node;
}

// A scan whose handlers write every run as an event: an attribute run as its
// texts between brackets, a text run between bars.
class Recorder {
 public:
  Recorder() {
    InitFolioteerScan(state_);
    ScanHandlers& handlers = GetScanHandlers(state_);
    handlers.attributeRun = [this](const AttrRunTexts& attrs, int count, ScanState&) {
      std::string run = "[";
      for (int i = 0; i < count; ++i) run += (i > 0 ? " " : "") + attrs[i];
      events_.push_back(run + "]");
    };
    handlers.textRun = [this](const std::string& text, ScanState&) { events_.push_back("|" + text + "|"); };
  }
  ~Recorder() { TermFolioteerScan(state_); }

  ScanState& State() { return state_; }
  void Macro(const std::string& name, const std::string& body) {
    AddMacro({name, body}, state_.documentContext.macros);
  }
  Events Scan(const std::vector<std::string>& lines, uint8_t wrapMode = 2) {
    events_.clear();
    state_.documentContext.wrapMode = wrapMode;
    AGCmd* node = NodeWithText(lines);
    ScanOneNode(nullptr, node, state_);
    DisposeCmd(node);
    return events_;
  }

 private:
  ScanState state_;
  Events events_;
};

struct RunCase {
  const char* what;
  std::vector<std::string> lines;
  Events expected;
  uint8_t wrapMode = 2;
};

// Plain paragraphs, empty lines and attributes between words are shown by
// the RTF and spelling cases; here the edges.
TEST(Scanner, CutsTextIntoRunsAsAReaderMeetsIt) {
  const RunCase cases[] = {
      {"an escaped at-sign is no attribute", {"\\@{b}"}, {"[]", "|\\@|", "|{b}|", "[]"}},
      {"an unclosed attribute runs to the line end", {"a @{b"}, {"[]", "|a |", "[]", "|@{b\r|"}},
      {"code wrap: every line end is a break", {"a", "b"}, {"[]", "|a|", "[@{line}]", "|b|", "[@{line}]"}, 0},
      {"explicit line in capitals: no space after it",
       {"Hello@{LINE}", "world"},
       {"[]", "|Hello|", "[@{LINE}]", "|world|", "[]"}},
      {"a line after an attribute is joined by a space",
       {"Hello@{b}", "world"},
       {"[]", "|Hello|", "[@{b}]", "| |", "|world|", "[]"}},
      // Regression: a line that began with an attribute or an escape was
      // joined to the line before it without a space ("quickbrown").
      {"a line that starts with an attribute is joined by a space",
       {"The quick", "@{b}brown@{ub} fox"},
       {"[]", "|The quick|", "[]", "| |", "[@{b}]", "|brown|", "[@{ub}]", "| fox|", "[]"}},
      {"a line that starts with an escape is joined by a space",
       {"jumps", "\\@home"},
       {"[]", "|jumps|", "[]", "| |", "[]", "|\\@|", "|home|", "[]"}},
      {"attributes on their own lines are each joined by a space",
       {"a", "@{b}", "@{ub}", "b"},
       {"[]", "|a|", "[]", "| |", "[@{b}]", "| |", "[@{ub}]", "| |", "|b|", "[]"}},
      {"no space before an empty line that follows an attribute",
       {"a@{b}", "", "@{ub}b"},
       {"[]", "|a|", "[@{b} @{line} @{ub}]", "|b|", "[]"}},
  };
  for (const RunCase& test : cases) {
    SCOPED_TRACE(test.what);
    Recorder recorder;
    EXPECT_EQ(recorder.Scan(test.lines, test.wrapMode), test.expected);
  }
}

TEST(Scanner, ExpandsMacrosWithTheirArgument) {
  Recorder recorder;
  recorder.Macro("emph", "@{b}$1@{ub}");
  recorder.Macro("twice", "$1-$1");
  EXPECT_TRUE(!AddMacro({"EMPH", "other"}, recorder.State().documentContext.macros));
  const RunCase cases[] = {
      {"a macro call", {"@{emph word}"}, {"[]", "[@{b}]", "|word|", "[@{ub}]", "[]"}},
      {"an argument holding $1 is not expanded again", {"@{twice $1}"}, {"[]", "[]", "|$1-$1|", "[]", "[]"}},
      {"a quoted link label never names a macro", {"@{\"emph\" link x}"}, {"[@{\"emph\" link x}]"}},
      {"the run before a call is delivered first",
       {"@{i}@{emph w}@{ui}"},
       {"[@{i}]", "[@{b}]", "|w|", "[@{ub}]", "[@{ui}]"}},
  };
  for (const RunCase& test : cases) {
    SCOPED_TRACE(test.what);
    EXPECT_EQ(recorder.Scan(test.lines, test.wrapMode), test.expected);
  }
}

TEST(Scanner, SelfCallingMacrosStopAtTheDepthBoundAsPlainText) {
  DebugCapture debug;
  Recorder recorder;
  recorder.Macro("loop", "x@{loop}");
  recorder.Macro("ping", "@{pong}");
  recorder.Macro("pong", "@{PING}");
  Events loop = recorder.Scan({"@{loop}"});
  EXPECT_EQ(std::count(loop.begin(), loop.end(), "|x|"), kMaxMacroDepth);
  EXPECT_EQ(std::count(loop.begin(), loop.end(), "|@{loop}|"), 1);
  Events mutual = recorder.Scan({"@{ping}"});
  EXPECT_EQ(std::count_if(mutual.begin(), mutual.end(), [](const std::string& e) { return e[0] == '|'; }), 1);
  EXPECT_NE(std::find(mutual.begin(), mutual.end(), "|@{PING}|"), mutual.end());
  EXPECT_NE(debug.Text().find("Macro expansion deeper than 32: @{loop} left unexpanded"), std::string::npos);
}

// Regression: a body that calls itself twice made 2^32 expansions within the
// depth bound. Each expansion costs its 14 bytes and kExpansionCost; of its
// 1 + 2 * allowed calls, allowed + 1 are refused and reach the text run.
TEST(Scanner, ABranchingMacroStopsWhenItsBudgetIsUsedUp) {
  DebugCapture debug;
  Recorder recorder;
  recorder.Macro("bomb", "@{bomb}@{bomb}");
  int64_t refused = 0;
  GetScanHandlers(recorder.State()).attributeRun = [](const AttrRunTexts&, int, ScanState&) {};
  GetScanHandlers(recorder.State()).textRun = [&](const std::string& text, ScanState&) {
    EXPECT_EQ(text, "@{bomb}");
    ++refused;
  };
  recorder.Scan({"@{bomb}"});
  int64_t budget = kExpansionBudgetBase + kExpansionBudgetPerByte * int64_t{9};
  int64_t allowed = budget / (14 + kExpansionCost);
  EXPECT_EQ(refused, allowed + 1);
  EXPECT_NE(debug.Text().find("Macro expansion budget used up"), std::string::npos);
}

TEST(Scanner, CutsALongSequenceOfAttributesAfter200) {
  DebugCapture debug;
  Recorder recorder;
  std::string line;
  for (int i = 0; i < 10'000; ++i) line += "@{b}";
  Events events = recorder.Scan({line});
  // The at-sign of the attribute after each full run is dropped with the
  // special characters before the next plain text.
  Events expected;
  int left = 10'000;
  while (left > kMaxAttrRun) {
    std::string run = "[@{b}";
    for (int i = 1; i < kMaxAttrRun; ++i) run += " @{b}";
    expected.push_back(run + "]");
    expected.push_back("|{b}|");
    left -= kMaxAttrRun + 1;
  }
  std::string last = "[@{b}";
  for (int i = 1; i < left; ++i) last += " @{b}";
  expected.push_back(last + "]");
  EXPECT_EQ(events, expected);
  EXPECT_EQ(debug.Text().substr(0, debug.Text().find('\n')),
            "MaxBlockOfAg exceeded: 200 attributes at position 800");
}

// Scans every node of a guide given as text with the state's handlers.
void ScanGuide(const std::string& text, ScanState& state) {
  testing::TempDir dir;
  int result = -1;
  AmigaGuideFile guide = testing::OpenText(dir, text, result);
  ASSERT_EQ(result, kOpened);
  ScanNodes(GetDocument(guide), [&](AGCmd* node) { return ScanOneNode(GetDocument(guide), node, state); });
  CloseAmigaGuideFile(guide);
}

TEST(Scanner, HandlersMeetTheNodeInOrderAndMayChangeTheNodeContext) {
  Events events;
  ScanState state;
  InitFolioteerScan(state);
  ScanHandlers& handlers = GetScanHandlers(state);
  handlers.nodeBegin = [&](AGCmd* node, ScanState&) { events.push_back("begin " + NodeName(node)); };
  handlers.nodeHeading = [&](AGCmd*, ScanState&) { events.push_back("heading"); };
  handlers.nodeEnd = [&](AGCmd*, ScanState&) { events.push_back("end"); };
  handlers.textRun = [&](const std::string& text, ScanState&) { events.push_back("|" + text + "|"); };
  handlers.attributeRun = [&](const AttrRunTexts& attrs, int count, ScanState& scan) {
    for (int i = 0; i < count; ++i) {
      events.push_back(attrs[i]);
      if (attrs[i] == "@{code}") scan.nodeContext.wrapMode = 0;
    }
  };
  // The default visitor stops after the first command.
  handlers.localCommand = [&](AGCmd* cmd, ScanState&) {
    events.push_back(GetCmdName(cmd->kind));
    return false;
  };
  ScanGuide(
      "@database t\n@node MAIN\n@title \"T\"\n@toc MAIN\na @{code}b\nc\n@endnode\n"
      "@node Two\nd\ne\n@endnode\n",
      state);
  TermFolioteerScan(state);
  TermFolioteerScan(state);  // a second release does nothing
  EXPECT_EQ(events,
            (Events{"begin MAIN", "@title", "heading", "|a |", "@{code}", "|b|", "@{line}", "|c|", "@{line}",
                    "end", "begin Two", "@endnode", "heading", "|d|", "| |", "|e|", "end"}));
}

}  // namespace
}  // namespace folioteer
