// Rendering one node of 256 KB, 1 MB and 4 MB of text with attributes,
// links and macro calls to its display model (the target is under 50 ms
// for 1 MB), in word wrap and in smart wrap; and the whole way from the
// file's bytes to plain text.
#include <benchmark/benchmark.h>

#include "guide_generator.h"
#include "render/plain_text.h"
#include "render/renderer.h"

namespace folioteer {
namespace {

void BM_RenderNodeToModel(benchmark::State& state) {
  size_t bytes = static_cast<size_t>(state.range(0)) << 10;
  GuideSource source = ReadGuideSource(bench::GenerateOneNodeGuide(bytes, state.range(1) != 0));
  size_t spans = 0;
  for (auto _ : state) {
    DisplayNode node = RenderNode(source, 0);
    spans = 0;
    for (const Paragraph& paragraph : node.paragraphs) spans += paragraph.spans.size();
    benchmark::DoNotOptimize(spans);
  }
  state.counters["spans"] = static_cast<double>(spans);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_RenderNodeToModel)
    ->ArgNames({"KB", "smart"})
    ->Args({256, 0})
    ->Args({1024, 0})
    ->Args({1024, 1})
    ->Args({4096, 0})
    ->Unit(benchmark::kMillisecond);

void BM_GuideBytesToPlainText(benchmark::State& state) {
  size_t bytes = static_cast<size_t>(state.range(0)) << 10;
  std::string guide = bench::GenerateOneNodeGuide(bytes, true);
  for (auto _ : state) {
    GuideSource source = ReadGuideSource(guide);
    benchmark::DoNotOptimize(PlainText(RenderNode(source, 0)).size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_GuideBytesToPlainText)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace folioteer
