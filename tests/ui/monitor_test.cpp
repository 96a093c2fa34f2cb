#include "ui/monitor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/requesters.h"
#include "test_util.h"
#include "ui/toolkit_test_util.h"

namespace folioteer {
namespace {

using testing::ToolkitTest;

using MonitorTest = ToolkitTest;

const Gadget kButton{1, GadgClass::Button};
const Gadget kList{2, GadgClass::ListBrowser};

std::vector<int32_t> Values(const std::vector<WndoEvnt>& events) {
  std::vector<int32_t> values;
  for (const WndoEvnt& evnt : events) values.push_back(evnt.value);
  return values;
}

std::vector<int32_t> Range(int32_t first, int32_t last) {
  std::vector<int32_t> values;
  for (int32_t value = first; value <= last; ++value) values.push_back(value);
  return values;
}

void Trigger(Wndo window, int32_t value) {
  WndoEvnt evnt;
  evnt.kind = EvntKind::GadgetUp;
  evnt.gadget = &kButton;
  evnt.value = value;
  TriggerWndoEvnt(window, evnt);
}

// Queues count events of the input or of the program, valued 1 to count,
// with the monitor held; then one turn.
void Burst(HeadlessMonitor& monitor, Wndo window, bool fromProgram, int count) {
  for (int32_t value = 1; value <= count; ++value) {
    if (fromProgram)
      Trigger(window, value);
    else
      monitor.PostInput(window, EvntInput(EvntKind::GadgetUp, &kButton, value));
  }
  monitor.TurnNow();
}

TEST_F(MonitorTest, BurstsKeepTheNewestEventsTheQueuesHold) {
  StartStepped();
  Wndo window = OpenedWndo();
  monitor.Hold(true);
  struct Case {
    bool fromProgram;
    int count;
    std::vector<int32_t> kept;
  };
  for (const Case& c : std::vector<Case>{{false, 50, Range(1, 50)},
                                         {false, 51, Range(2, 51)},
                                         {false, 10000, Range(9951, 10000)},
                                         {true, 25, Range(1, 25)},
                                         {true, 26, Range(2, 26)},
                                         {true, 10000, Range(9976, 10000)}}) {
    Burst(monitor, window, c.fromProgram, c.count);
    EXPECT_EQ(Values(Drain(window)), c.kept) << c.count << (c.fromProgram ? " triggered" : " input");
  }
  // Input after program events of one turn: the newest fifty of both.
  for (int32_t value = 1; value <= 25; ++value) Trigger(window, value);
  for (int32_t value = 26; value <= 80; ++value)
    monitor.PostInput(window, EvntInput(EvntKind::GadgetUp, &kButton, value));
  monitor.TurnNow();
  EXPECT_EQ(Values(Drain(window)), Range(31, 80));
}

// The window system delivers a burst while the program takes events as they
// come: nothing blocks, nothing arrives twice or out of order, and the
// newest event always arrives.
TEST_F(MonitorTest, ABurstWhileTheProgramTakesEventsNeverBlocks) {
  StartLive();
  Wndo window = OpenedWndo();
  constexpr int32_t kCount = 10000;
  std::thread platform([&] {
    for (int32_t value = 1; value <= kCount; ++value)
      monitor.PostInput(window, EvntInput(EvntKind::GadgetUp, &kButton, value));
  });
  int32_t last = 0;
  bool ordered = true;
  int taken = 0;
  auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (last < kCount && std::chrono::steady_clock::now() < giveUp) {
    WaitWndoEvntTimed(window, 2);
    WndoEvnt evnt;
    while (GetWndoEvnt(window, evnt)) {
      ordered = ordered && evnt.value > last;
      last = evnt.value;
      ++taken;
    }
  }
  platform.join();
  EXPECT_EQ(last, kCount);
  EXPECT_TRUE(ordered);
  EXPECT_GE(taken, kPendingEvnts);
}

TEST_F(MonitorTest, APacerTicksEveryTwoWholeSecondsWhileTheWindowIsOpen) {
  StartStepped();
  Wndo window = OpenedWndo();
  monitor.Hold(true);
  now = 1000;
  SetWndoPacer(window, true);
  struct Case {
    std::vector<int64_t> turns;  // the second of each turn
    std::vector<int64_t> ticks;  // the seconds whose turn gave a Tick
  };
  for (const Case& c : std::vector<Case>{
           {{1000, 1001, 1001, 1002, 1002, 1003, 1004, 1005, 1006}, {1002, 1004, 1006}},
           {{1007, 1009, 1010, 1011, 1014, 1015, 1016}, {1009, 1011, 1014, 1016}},
       }) {
    std::vector<int64_t> ticks;
    for (int64_t second : c.turns) {
      now = second;
      monitor.TurnNow();
      for (const WndoEvnt& evnt : Drain(window)) {
        EXPECT_EQ(evnt.kind, EvntKind::Tick);
        ticks.push_back(second);
      }
    }
    EXPECT_EQ(ticks, c.ticks);
  }
  // No Tick once the pacer is off, nor while the window is closed or iconified.
  SetWndoPacer(window, false);
  now = 1030;
  monitor.TurnNow();
  SetWndoPacer(window, true);
  monitor.Hold(false);
  IconifyWndo(window);
  monitor.Hold(true);
  now = 1040;
  monitor.TurnNow();
  EXPECT_TRUE(Drain(window).empty());
}

TEST_F(MonitorTest, AKeyGivesOneKeyEventPerCharacterOfTheKeyMap) {
  StartStepped();
  Wndo helpWindow = OpenedWndo(kWndoHelpKey);
  Wndo plainWindow = OpenedWndo();
  monitor.Hold(true);
  auto keyEvents = [&](Wndo window, WndoInput input) {
    monitor.PostInput(window, std::move(input));
    monitor.TurnNow();
    std::string chars;
    for (const WndoEvnt& evnt : Drain(window))
      chars += evnt.kind == EvntKind::Key ? std::string(1, static_cast<char>(evnt.character))
                                          : "<" + std::to_string(static_cast<int>(evnt.kind)) + ">";
    return chars;
  };
  EXPECT_EQ(keyEvents(plainWindow, KeyInput("abcdefghijklmnopqrst")), "abcdefghijklmno");
  EXPECT_EQ(keyEvents(helpWindow, KeyInput("\x9b?~", true)), "<13>");
  EXPECT_EQ(keyEvents(plainWindow, KeyInput("\x9b?~", true)), "\x9b?~");
}

class WarningLog : public HeadlessRequesters {
 public:
  void Warning(std::string_view message) override { warnings.emplace_back(message); }
  std::vector<std::string> warnings;
};

// Kinds the monitor makes itself (Key, Tick) and mouse moves give no event;
// the slot last reported is current, and a box that could not be read
// changes nothing and is reported while its event still comes.
TEST_F(MonitorTest, InputBecomesEventRecords) {
  StartStepped();
  Wndo window = OpenedWndo();
  monitor.Hold(true);
  WarningLog log;
  InstallRequesters(&log);
  std::vector<WndoInput> input{
      BoxInput(EvntKind::NewSize, {5, 6, 300, 200}, WndoSlot::Zoomed),
      BoxInput(EvntKind::ChangeWin, {7, 8, 90, 40}),
      BoxInput(EvntKind::ChangeWin, {1, 1, 1, 1}),
      MouseMoveInput(),
      MenuInput(0x0821),
      EvntInput(EvntKind::Key),
      EvntInput(EvntKind::Tick),
      EvntInput(EvntKind::ListDoubleClick, &kList, 3),
  };
  input[2].boxRead = false;
  for (const WndoInput& each : input) monitor.PostInput(window, each);
  monitor.TurnNow();
  InstallRequesters(nullptr);
  std::vector<EvntKind> kinds;
  for (const WndoEvnt& evnt : Drain(window)) kinds.push_back(evnt.kind);
  EXPECT_EQ(kinds, (std::vector<EvntKind>{EvntKind::NewSize, EvntKind::ChangeWin, EvntKind::ChangeWin,
                                          EvntKind::MenuPick, EvntKind::ListDoubleClick}));
  EXPECT_EQ(GetWndoSlot(window), WndoSlot::Normal);
  EXPECT_EQ(GetWndoBox(window, WndoSlot::Zoomed), (WndoBox{5, 6, 300, 200}));
  EXPECT_EQ(GetWndoBox(window, WndoSlot::Normal), (WndoBox{7, 8, 90, 40}));
  EXPECT_EQ(log.warnings, std::vector<std::string>{"GetAttr(...) FAIL ChangeWin"});
  EXPECT_EQ(GetWndoMouseMoves(window), 1u);
}

}  // namespace
}  // namespace folioteer
