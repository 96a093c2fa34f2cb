#include "ui/window_events.h"

#include <gtest/gtest.h>

#include <chrono>

#include "test_util.h"
#include "ui/toolkit_test_util.h"

namespace folioteer {
namespace {

using testing::AssertionMessage;
using testing::ProgramWait;
using testing::ToolkitTest;

using WindowEventsTest = ToolkitTest;

const Gadget kButton{7, GadgClass::Button};

WndoEvnt GadgetUpEvnt(int32_t value) {
  WndoEvnt evnt;
  evnt.kind = EvntKind::GadgetUp;
  evnt.gadget = &kButton;
  evnt.value = value;
  return evnt;
}

TEST_F(WindowEventsTest, RefusalsStopTheProgramNotTheMonitor) {
  StartLive();
  monitor.RefuseObjects(true);
  EXPECT_EQ(AssertionMessage([] { NewWndo("Refused"); }), "MakeWindowObject FAIL in NewWndo");
  monitor.RefuseObjects(false);
  Wndo window = NewWndo("Window");
  monitor.FailNextOpen();
  EXPECT_EQ(AssertionMessage([&] { OpenWndo(window); }), "ReactionOpenWindow FAIL");
  EXPECT_FALSE(IsWndoOpen(window));
  monitor.Hold(true);
  for (int i = 0; i < kCmdQueueSize; ++i)
    SendWindowCmd(WndoCmdKind::SetDeadline, window, 100, CmdWait::NoWait);
  EXPECT_EQ(AssertionMessage([&] { SendWindowCmd(WndoCmdKind::SetDeadline, window, 100, CmdWait::NoWait); }),
            "SimpleGUI: ToQueue FAIL");
  monitor.Hold(false);
  monitor.TurnNow();
  OpenWndo(window);
  EXPECT_TRUE(IsWndoOpen(window));
}

TEST_F(WindowEventsTest, EventsQueuedBeforeTheProgramWaitsAreNotLost) {
  StartLive();
  Wndo window = OpenedWndo();
  Wndo other = OpenedWndo();
  struct Case {
    Wndo waitOn;
    bool triggered;
  };
  for (const Case& c :
       std::vector<Case>{{window, false}, {window, true}, {AnyWndo(), false}, {AnyWndo(), true}}) {
    if (c.triggered)
      TriggerWndoEvnt(window, GadgetUpEvnt(5));
    else
      ASSERT_TRUE(monitor.PostInput(window, EvntInput(EvntKind::GadgetUp, &kButton, 5)));
    monitor.TurnNow();  // queued while nobody waits
    ProgramWait program(monitor, c.waitOn, [=] { WaitWndoEvnt(c.waitOn); });
    ASSERT_TRUE(program.ReturnsSoon());
    WndoEvnt evnt;
    ASSERT_TRUE(GetWndoEvnt(c.waitOn, evnt));
    EXPECT_EQ(evnt.window, window);
    EXPECT_EQ(evnt.value, 5);
    EXPECT_FALSE(GetWndoEvnt(AnyWndo(), evnt));
  }
  (void)other;
}

// Turns run one at a time, so a wake-up that should not come would have come.
TEST_F(WindowEventsTest, EachWaitIsAnsweredByExactlyOneWakeUp) {
  StartStepped();
  Wndo window = OpenedWndo();
  monitor.Hold(true);
  monitor.PostInput(window, EvntInput(EvntKind::GadgetUp, &kButton));
  for (int turn = 0; turn < 3; ++turn) monitor.TurnNow();  // nobody waits: no wake-up is stored
  EXPECT_EQ(Drain(window).size(), 1u);
  for (Wndo waitOn : {window, AnyWndo()}) {
    ProgramWait program(monitor, waitOn, [=] { WaitWndoEvnt(waitOn); });
    monitor.TurnNow();
    EXPECT_TRUE(program.StillWaiting());
    monitor.PostInput(window, EvntInput(EvntKind::GadgetUp, &kButton));
    monitor.TurnNow();
    EXPECT_TRUE(program.ReturnsSoon());
    EXPECT_EQ(Drain(window).size(), 1u);
  }
  // A wait on one window is not answered by another's events.
  Wndo other = OpenedWndo();
  monitor.Hold(true);
  ProgramWait program(monitor, other, [=] { WaitWndoEvnt(other); });
  monitor.PostInput(window, EvntInput(EvntKind::GadgetUp, &kButton));
  monitor.TurnNow();
  EXPECT_TRUE(program.StillWaiting());
}

TEST_F(WindowEventsTest, ATimedWaitWithNothingQueuedEndsAfterItsSeconds) {
  StartLive();
  OpenedWndo();
  auto start = std::chrono::steady_clock::now();
  WaitWndoEvntTimed(AnyWndo(), 1);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // Whole seconds of system time: between one and two (a margin for a busy machine).
  EXPECT_GE(seconds, 1.0);
  EXPECT_LE(seconds, 2.3);
  WndoEvnt evnt;
  EXPECT_FALSE(GetWndoEvnt(AnyWndo(), evnt));
}

TEST_F(WindowEventsTest, ADeadlineHasPassedOnceItsSecondIsOver) {
  StartStepped();
  Wndo window = OpenedWndo();
  monitor.Hold(true);
  for (Wndo waitOn : {AnyWndo(), window}) {
    now = 1000;
    // Two signals: the deadline command, then the wait.
    ProgramWait program(
        monitor, waitOn, [=] { WaitWndoEvntTimed(waitOn, 10); }, 2);
    for (int64_t second = 1000; second <= 1010; ++second) {
      now = second;
      monitor.TurnNow();
    }
    EXPECT_TRUE(program.StillWaiting());
    now = 1011;
    monitor.TurnNow();
    EXPECT_TRUE(program.ReturnsSoon());
  }
  // A wait woken by an event leaves no deadline behind for the next wait.
  now = 2000;
  {
    ProgramWait program(
        monitor, AnyWndo(), [] { WaitWndoEvntTimed(AnyWndo(), 1); }, 2);
    monitor.PostInput(window, EvntInput(EvntKind::Active));
    monitor.TurnNow();
    EXPECT_TRUE(program.ReturnsSoon());
  }
  Drain(window);
  ProgramWait program(monitor, AnyWndo(), [] { WaitWndoEvnt(AnyWndo()); });
  now = 2005;
  monitor.TurnNow();
  EXPECT_TRUE(program.StillWaiting());
}

TEST_F(WindowEventsTest, ANullWndoTriggerWakesOnlyAProgramWaitingOnAnyWindow) {
  StartLive();
  Wndo window = OpenedWndo();
  {
    ProgramWait program(monitor, AnyWndo(), [] { WaitWndoEvnt(AnyWndo()); });
    TriggerWndoEvnt(NullWndo(), WndoEvnt{});
    EXPECT_TRUE(program.ReturnsSoon());
    WndoEvnt evnt;
    EXPECT_FALSE(GetWndoEvnt(AnyWndo(), evnt));
  }
  {
    ProgramWait program(monitor, window, [=] { WaitWndoEvnt(window); });
    TriggerWndoEvnt(NullWndo(), WndoEvnt{});
    monitor.TurnNow();
    EXPECT_TRUE(program.StillWaiting());
    // A window's own trigger wakes its waiter even when the event is filtered out.
    InstallEvntFilter(GadgClass::Button, [](const WndoEvnt&) { return false; });
    TriggerWndoEvnt(window, GadgetUpEvnt(1));
    EXPECT_TRUE(program.ReturnsSoon());
    InstallEvntFilter(GadgClass::Button, nullptr);
    EXPECT_TRUE(Drain(window).empty());
  }
  // The global trigger above found nobody waiting on any window: it wakes the
  // next such wait.
  ProgramWait program(monitor, AnyWndo(), [] { WaitWndoEvnt(AnyWndo()); });
  EXPECT_TRUE(program.ReturnsSoon());
}

TEST_F(WindowEventsTest, ABreakWakesAProgramWaitingOnAnyWindow) {
  StartStepped();
  OpenedWndo();
  monitor.Hold(true);
  ProgramWait program(monitor, AnyWndo(), [] { WaitWndoEvnt(AnyWndo()); });
  NoteBreak();
  monitor.TurnNow();
  EXPECT_TRUE(program.ReturnsSoon());
  EXPECT_TRUE(TakeBreak());
  EXPECT_FALSE(TakeBreak());
}

}  // namespace
}  // namespace folioteer
