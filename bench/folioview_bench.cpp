// The guide viewer's speed targets:
// - `folioview --text` of a generated 20 MB guide, the whole program run as
//   a user runs it (target: under 2 s);
// - following a link to a node of a 1 MB guide not read before: reading and
//   parsing the file, rendering the node, laying it out and showing it
//   (target: under 100 ms);
// - laying out a 100 KB node again after the view's width changed (target:
//   under 30 ms).
// Qt runs offscreen.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <fstream>

#include "folioview/viewer_window.h"
#include "guide_generator.h"
#include "guideview/guide_view.h"
#include "render/renderer.h"

extern char** environ;

namespace folioteer {
namespace {

// A generated guide of at least that many bytes in the scratch folder.
std::string WriteGuideOfSize(const std::string& name, size_t bytes) {
  std::string one = bench::GenerateGuide(100);
  int nodes = static_cast<int>(bytes / (one.size() / 100)) + 1;
  std::string path = bench::ScratchDir() + "/" + name;
  std::ofstream(path, std::ios::binary) << bench::GenerateGuide(nodes);
  return path;
}

void BM_FolioviewTextOf20MBGuide(benchmark::State& state) {
  static const std::string guide = WriteGuideOfSize("twenty.guide", size_t{20} << 20);
  std::string program = FOLIOVIEW_PROGRAM;
  std::string text = "--text";
  char* argv[] = {program.data(), text.data(), const_cast<char*>(guide.c_str()), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ) != 0) {
      state.SkipWithError("cannot start folioview");
      break;
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("folioview --text failed");
  }
  posix_spawn_file_actions_destroy(&actions);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::ifstream(guide, std::ios::ate).tellg()));
}
BENCHMARK(BM_FolioviewTextOf20MBGuide)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_FollowLinkToANodeOfA1MBGuide(benchmark::State& state) {
  static const std::string big = WriteGuideOfSize("big.guide", size_t{1} << 20);
  static const std::string start = [] {
    std::ifstream in(big, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    GuideSource source = ReadGuideSource(bytes);
    std::string middle = source.nodes[source.nodes.size() / 2].name;
    std::string path = bench::ScratchDir() + "/start.guide";
    std::ofstream(path) << "@database start\n@node Main\n@{\"far\" link \"big.guide/" << middle
                        << "\"}\n@endnode\n";
    return path;
  }();
  for (auto _ : state) {
    state.PauseTiming();
    {
      ViewerWindow window;  // a new window reads big.guide afresh
      window.resize(800, 600);
      window.show();
      window.Open(start);
      state.ResumeTiming();
      window.FollowLink(0);
      QApplication::processEvents();  // paints it
      state.PauseTiming();
      if (window.Reader().Shown().display->info.name == "Main")
        state.SkipWithError("the link was not followed");
    }
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FollowLinkToANodeOfA1MBGuide)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_RelayoutAfterResizeOf100KBNode(benchmark::State& state) {
  bool smart = state.range(0) != 0;
  std::string guide = bench::GenerateOneNodeGuide(100 << 10, smart);
  if (!smart) guide.insert(guide.find('\n') + 1, "@wordwrap\n");
  GuideSource source = ReadGuideSource(guide);
  auto node = std::make_shared<DisplayNode>(RenderNode(source, 0));
  // A child widget takes its resize at once; a window would wait for the
  // window system.
  QWidget window;
  window.resize(800, 600);
  auto* view = new GuideView(&window);
  view->resize(700, 500);
  window.show();
  view->SetNode(node);
  view->ScrollToParagraph(static_cast<int>(node->paragraphs.size() / 2));
  int width = 700;
  size_t lines[2] = {0, 0};
  for (auto _ : state) {
    width = width == 700 ? 400 : 700;
    view->resize(width, 500);  // lays the node out again, keeping the top line
    lines[width == 700] = view->Layout().Lines().size();
  }
  if (lines[0] == lines[1]) state.SkipWithError("the widths gave the same layout");
  state.counters["lines"] = static_cast<double>(lines[0]);
}
BENCHMARK(BM_RelayoutAfterResizeOf100KBNode)->ArgName("smart")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace folioteer

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
