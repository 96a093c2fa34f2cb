// The draft preview's speed targets, through the preview window with the
// editor's core behind it (Qt offscreen):
// - DISPNODE on a typical node of 5 KB: the core writing the temporary guide,
//   the window reading it, rendering MAIN, laying it out and painting it,
//   in an open preview and in one that opens (target: under 100 ms);
// - a node of 100 KB in the preview laid out and painted again after the
//   window was resized (target: under 30 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <fstream>

#include "guide_generator.h"
#include "guideview/guide_view.h"
#include "preview_session.h"

namespace folioteer {
namespace {

// A guide whose first node "Big" holds about that many bytes, as a file;
// word-wrapped, or smart-wrapped.
std::string WriteNodeGuide(const std::string& name, size_t bytes, bool smartWrap) {
  std::string guide = bench::GenerateOneNodeGuide(bytes, smartWrap);
  if (!smartWrap) guide.insert(guide.find('\n') + 1, "@wordwrap\n");
  std::string path = bench::ScratchDir() + "/" + name;
  std::ofstream(path, std::ios::binary) << guide;
  return path;
}

void BM_PreviewOf5KBNodeAfterDispNode(benchmark::State& state) {
  bool smart = state.range(0) != 0;
  testing::PreviewSession session(WriteNodeGuide("five.guide", 5 << 10, smart));
  session.Edit(0);
  session.Preview();  // the window opens once; DISPNODE then replaces its node
  QApplication::processEvents();
  QtPreviewWindow& window = session.Window();
  for (auto _ : state) {
    session.Preview();
    window.View()->viewport()->repaint();
  }
  if (!window.isVisible() || window.View()->Layout().Lines().size() < 20)
    state.SkipWithError("the preview does not show the node");
  state.counters["lines"] = static_cast<double>(window.View()->Layout().Lines().size());
}
BENCHMARK(BM_PreviewOf5KBNodeAfterDispNode)->ArgName("smart")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The first DISPNODE also makes the window appear.
void BM_FirstPreviewOf5KBNode(benchmark::State& state) {
  static const std::string guide = WriteNodeGuide("first.guide", 5 << 10, true);
  for (auto _ : state) {
    state.PauseTiming();
    {
      testing::PreviewSession session(guide);
      session.Edit(0);
      state.ResumeTiming();
      session.Preview();
      QApplication::processEvents();  // shown and painted
      state.PauseTiming();
      if (!session.Window().isVisible()) state.SkipWithError("the preview did not open");
    }
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstPreviewOf5KBNode)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_PreviewOf100KBNodeAfterResize(benchmark::State& state) {
  bool smart = state.range(0) != 0;
  testing::PreviewSession session(WriteNodeGuide("hundred.guide", 100 << 10, smart));
  session.Edit(0);
  session.Preview();
  QtPreviewWindow& window = session.Window();
  GuideView* view = window.View();
  QApplication::processEvents();
  view->ScrollToParagraph(static_cast<int>(view->Node()->paragraphs.size() / 2));
  int width = 640;
  size_t lines[2] = {0, 0};
  for (auto _ : state) {
    width = width == 640 ? 400 : 640;
    window.resize(width, 480);
    QApplication::processEvents();  // the window system's resize reaches the view
    view->viewport()->repaint();
    lines[width == 640] = view->Layout().Lines().size();
  }
  if (lines[0] == lines[1]) state.SkipWithError("the widths gave the same layout");
  state.counters["lines"] = static_cast<double>(lines[0]);
}
BENCHMARK(BM_PreviewOf100KBNodeAfterResize)->ArgName("smart")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace folioteer
