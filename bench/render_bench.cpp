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

// The generated guide's header and the text of its nodes as one node "Big"
// of about that size, an empty line now and then and a TAB in some lines.
std::string OneNodeGuide(size_t bytes, bool smartWrap) {
  std::string guide = bench::GenerateGuide(static_cast<int>(bytes / 900) + 2);
  std::string out = smartWrap ? "@database big\n@smartwrap\n" : "@database big\n";
  out += "@macro \"em\" \"@{b}$1@{ub}\"\n@node Big\n";
  size_t text = 0, lines = 0;
  for (size_t start = guide.find("@node"); start < guide.size() && text < bytes;) {
    size_t end = guide.find('\n', start);
    std::string_view line(guide.data() + start, end - start);
    start = end + 1;
    if (line.starts_with("@") && !line.starts_with("@{")) continue;
    if (++lines % 5 == 0) out += '\t';
    out.append(line).push_back('\n');
    if (lines % 7 == 0) out += '\n';
    text += line.size() + 1;
  }
  return out + "@endnode\n";
}

void BM_RenderNodeToModel(benchmark::State& state) {
  size_t bytes = static_cast<size_t>(state.range(0)) << 10;
  GuideSource source = ReadGuideSource(OneNodeGuide(bytes, state.range(1) != 0));
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
  std::string guide = OneNodeGuide(bytes, true);
  for (auto _ : state) {
    GuideSource source = ReadGuideSource(guide);
    benchmark::DoNotOptimize(PlainText(RenderNode(source, 0)).size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_GuideBytesToPlainText)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace folioteer
