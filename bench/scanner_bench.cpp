// Scanning one node of 256 KB, 1 MB and 4 MB of text with attributes, links
// and macro calls: the time should grow linearly with the text.
#include <benchmark/benchmark.h>

#include "guide/format.h"
#include "guide_generator.h"
#include "nodes/scanner.h"

namespace folioteer {
namespace {

// The text of the generated guide's nodes, without their commands, as one node.
AGCmd* NodeOfSize(size_t bytes) {
  std::string guide = bench::GenerateGuide(static_cast<int>(bytes / 900) + 2);
  AGCmd* node = CreateNodeCmd("Big", "");
  size_t start = 0, text = 0;
  bool first = true;
  while (text < bytes && start < guide.size()) {
    size_t end = guide.find('\n', start);
    std::string_view line(guide.data() + start, end - start);
    start = end + 1;
    if (line.starts_with("@") && !line.starts_with("@{")) continue;
    if (first)
      AppendBlockdStr(node->block, std::string(line));
    else
      AddBlockLine(node->block, line);
    // An empty line now and then makes a paragraph break.
    if (text % 7 == 0) AddBlockLine(node->block, "");
    first = false;
    text += line.size() + 1;
  }
  return node;
}

void BM_ScanNode(benchmark::State& state) {
  AGCmd* node = NodeOfSize(static_cast<size_t>(state.range(0)) << 10);
  ScanState scan;
  InitFolioteerScan(scan);
  AddMacro({"em", "@{b}$1@{ub}"}, scan.documentContext.macros);
  size_t runs = 0, textBytes = 0;
  ScanHandlers& handlers = GetScanHandlers(scan);
  handlers.attributeRun = [&](const AttrRunTexts&, int count, ScanState&) { runs += count; };
  handlers.textRun = [&](const std::string& text, ScanState&) { textBytes += text.size(); };
  for (auto _ : state) ScanOneNode(nullptr, node, scan);
  benchmark::DoNotOptimize(runs + textBytes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * (state.range(0) << 10));
  TermFolioteerScan(scan);
  DisposeCmd(node);
}
BENCHMARK(BM_ScanNode)->Arg(256)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace folioteer
