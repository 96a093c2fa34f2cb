#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <vector>

#include "program_thread.h"
#include "qt/gui_call.h"
#include "support/assert.h"

namespace folioteer {

class GuiCallTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { OpenGuiCalls(); }
  void cleanup() { CloseGuiCalls(); }

  void CallsFromAnotherThreadRunOnTheGuiThreadInOrder() {
    constexpr int kCalls = 50;
    std::vector<int> ran;  // touched on the Qt thread only
    std::vector<int> results;
    bool allOnGui = true;
    ProgramThread program([&] {
      for (int i = 0; i < kCalls; ++i) {
        std::optional<int> result = CallOnGui([&, i] {
          allOnGui = allOnGui && OnGuiThread() && QThread::currentThread() == qApp->thread();
          ran.push_back(i);
          return i * 3;
        });
        results.push_back(result.value_or(-1));
      }
    });
    QVERIFY(program.Finish());
    QVERIFY(allOnGui);
    QCOMPARE(static_cast<int>(ran.size()), kCalls);
    for (int i = 0; i < kCalls; ++i) QVERIFY(ran[i] == i && results[i] == i * 3);
  }

  void CallsOnTheGuiThreadRunAtOnceAndNest() {
    std::optional<int> outer = CallOnGui([] { return CallOnGui([] { return 4; }).value_or(0) + 1; });
    QCOMPARE(outer.value_or(0), 5);
  }

  void AnswersGivenLaterReachTheCaller() {
    std::optional<int> fromProgram;
    ProgramThread program([&] {
      fromProgram =
          AwaitOnGui<int>([](GuiReply<int> reply) { QTimer::singleShot(20, [reply] { reply.Give(7); }); });
    });
    QVERIFY(program.Finish());
    QCOMPARE(fromProgram.value_or(0), 7);

    // On the Qt thread the wait spins a local event loop.
    std::optional<int> onGui =
        AwaitOnGui<int>([](GuiReply<int> reply) { QTimer::singleShot(20, [reply] { reply.Give(8); }); });
    QCOMPARE(onGui.value_or(0), 8);
  }

  // Many times: the reply that the exception unwinds once dropped the call
  // and woke the caller before the exception was recorded, now and then.
  void ExceptionsOfTheWorkReachTheCaller() {
    constexpr int kCalls = 300;
    int caught = 0;
    ProgramThread program([&] {
      for (int i = 0; i < kCalls; ++i) {
        try {
          CallOnGui([]() -> int { throw AssertionFailure("Out of luck", "gui_call_qtest.cpp", 1); });
        } catch (const AssertionFailure& failure) {
          caught += failure.Message() == "Out of luck" ? 1 : 0;
        }
      }
    });
    QVERIFY(program.Finish());
    QCOMPARE(caught, kCalls);
  }

  void AReplyLostWithoutAnswerGivesNoResult() {
    std::optional<int> answer = std::optional<int>(1);
    ProgramThread program([&] { answer = AwaitOnGui<int>([](GuiReply<int>) {}); });
    QVERIFY(program.Finish());
    QVERIFY(!answer.has_value());
  }

  // The Qt side ends while the program thread waits for an answer that
  // would never come: the wait ends with no result.
  void ClosingReleasesACallerWaitingForAnAnswer() {
    std::optional<GuiReply<int>> kept;
    std::optional<int> answer = std::optional<int>(1);
    ProgramThread program([&] { answer = AwaitOnGui<int>([&](GuiReply<int> reply) { kept = reply; }); });
    QVERIFY(QTest::qWaitFor([&] { return kept.has_value(); }, 5000));
    QVERIFY(!program.Finished());
    CloseGuiCalls();
    QVERIFY(program.Finish());
    QVERIFY(!answer.has_value());
    kept->Give(3);  // too late: changes nothing
    QVERIFY(!answer.has_value());
  }

  // Closed before the Qt thread took the call: it never runs, whenever the
  // program thread posted it.
  void ACallNotYetRunWhenClosedNeverRuns() {
    std::atomic<bool> posting = false;
    bool ran = false;
    std::optional<int> answer = std::optional<int>(1);
    {
      ProgramThread program([&] {
        posting = true;
        answer = CallOnGui([&] {
          ran = true;
          return 2;
        });
      });
      while (!posting) QThread::yieldCurrentThread();
      CloseGuiCalls();
    }
    QCoreApplication::processEvents();
    QVERIFY(!ran);
    QVERIFY(!answer.has_value());
  }

  void CallsAfterTheCloseReturnAtOnce() {
    bool ran = false;
    QVERIFY(CallOnGui([&] { ran = true; }) && ran);  // a void call says that it ran
    CloseGuiCalls();
    QVERIFY(!GuiCallsOpen());
    QVERIFY(!CallOnGui([] { return 1; }).has_value());
    bool fromProgram = true;
    ProgramThread program([&] { fromProgram = CallOnGui([] {}); });
    QVERIFY(program.Finish());
    QVERIFY(!fromProgram);
  }
};

}  // namespace folioteer

QTEST_MAIN(folioteer::GuiCallTest)
#include "gui_call_qtest.moc"
