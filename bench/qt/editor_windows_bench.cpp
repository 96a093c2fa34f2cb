// The editor with its Qt windows, measured as a user meets it: opening the
// generated guide of 20,000 nodes until the main window is shown and the
// program waits for input; choosing a node until its text is in the edit
// window (a node of about 1 KB, and one of 1 MB); typing into the node of
// 1 MB, each key laid out, highlighted and painted, and its event taken by
// the program, before the next.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include "editor_driver.h"
#include "guide_generator.h"

namespace folioteer {
namespace {

using testing::EditorRun;

std::string Generated(int nodes) { return bench::GenerateGuide(nodes); }

void BM_OpenGuideOf20000NodesToResponsiveWindow(benchmark::State& state) {
  std::string guide = Generated(20000);
  for (auto _ : state) {
    // The guide's file and the end of the run are not measured.
    state.PauseTiming();
    auto run = std::make_unique<EditorRun>(guide, std::vector<std::string>{"NOMAKEICONS"},
                                           QStringLiteral("Test.guide"), EditorRun::Starting::Later);
    state.ResumeTiming();
    run->Start();
    bool ready =
        testing::WaitFor([&] { return run->Windows().Main().isVisible() && run->App().Monitor().Idle(); });
    state.PauseTiming();
    if (!ready || run->Windows().Main().NodeList()->RowCount() != 20000) state.SkipWithError("not opened");
    run.reset();
    state.ResumeTiming();
  }
}

// Alternates between two rows of the node list.
void ChooseNodes(benchmark::State& state, EditorRun& run, int first, int second) {
  if (!run.WaitIdle() || !run.ClickRow(Control::NodeList, second)) state.SkipWithError("not opened");
  bool toFirst = true;
  for (auto _ : state) {
    if (!run.ClickRow(Control::NodeList, toFirst ? first : second)) state.SkipWithError("not shown");
    toFirst = !toFirst;
  }
}

void BM_ChooseNodeOf20000(benchmark::State& state) {
  EditorRun run(Generated(20000));
  ChooseNodes(state, run, 10000, 19999);
}

// The node "Big" of 1 MB after a small node.
std::string MegabyteNodeGuide() {
  std::string big = bench::GenerateOneNodeGuide(size_t{1} << 20, false);
  size_t node = big.find("@node Big");
  return big.substr(0, node) + "@node Small\nA small node.\n@endnode\n" + big.substr(node);
}

void BM_ChooseMegabyteNode(benchmark::State& state) {
  EditorRun run(MegabyteNodeGuide());
  ChooseNodes(state, run, 1, 0);
}

void BM_TypeIntoMegabyteNode(benchmark::State& state) {
  EditorRun run(MegabyteNodeGuide());
  if (!run.WaitIdle() || !run.ClickRow(Control::NodeList, 1) ||
      run.Box()->document()->characterCount() < 1000000)
    state.SkipWithError("not opened");
  EditBox* box = run.Box();
  box->setFocus();
  QTextCursor middle = box->textCursor();
  middle.setPosition(box->document()->characterCount() / 2);
  box->setTextCursor(middle);
  QWindow* window = run.Windows().Edit().windowHandle();
  for (auto _ : state) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(window, &press);
    QApplication::sendEvent(window, &release);
    box->viewport()->repaint();
    if (!run.WaitIdle()) state.SkipWithError("the program did not take the key");
  }
}

BENCHMARK(BM_OpenGuideOf20000NodesToResponsiveWindow)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ChooseNodeOf20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChooseMegabyteNode)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_TypeIntoMegabyteNode)->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
}  // namespace folioteer
