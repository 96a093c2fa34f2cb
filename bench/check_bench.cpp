// Checking the generated guide of 20,000 nodes (20 MB, a link on every
// third line) as folioteer --check does: reading it, the editor's parse for
// what a save would leave out, every node rendered, every link and node
// command followed. The target is under 1 s.
#include <benchmark/benchmark.h>

#include "check/guide_check.h"
#include "guide_generator.h"

namespace folioteer {
namespace {

void BM_CheckGuide(benchmark::State& state) {
  std::string name = bench::WriteGeneratedGuide(bench::ScratchDir(), static_cast<int>(state.range(0)));
  size_t findings = 0;
  for (auto _ : state) {
    TargetChecker targets;
    findings = CheckGuideFile(name, targets).size();
    benchmark::DoNotOptimize(findings);
  }
  if (findings != 0) state.SkipWithError("the generated guide should check clean");
  state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckGuide)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace folioteer
