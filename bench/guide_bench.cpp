// Opening, parsing and writing a generated 20 MB guide of 20,000 nodes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "guide/parser.h"
#include "guide/writer.h"
#include "guide_generator.h"

namespace folioteer {
namespace {

void BM_OpenGuide(benchmark::State& state) {
  std::string name = bench::WriteGeneratedGuide(bench::ScratchDir(), static_cast<int>(state.range(0)));
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(name)) / 1e6;
  for (auto _ : state) {
    AmigaGuideFile handle = nullptr;
    bool created = false;
    int result = -1;
    OpenAmigaGuideFile(handle, name, created, result);
    if (result != 0) state.SkipWithError("open failed");
    state.PauseTiming();
    CloseAmigaGuideFile(handle);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenGuide)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_WriteGuide(benchmark::State& state) {
  std::string name = bench::WriteGeneratedGuide(bench::ScratchDir(), static_cast<int>(state.range(0)));
  AmigaGuideFile handle = nullptr;
  bool created = false;
  int result = -1;
  OpenAmigaGuideFile(handle, name, created, result);
  for (auto _ : state)
    if (!OutputAmigaGuideFile(handle)) state.SkipWithError("write failed");
  CloseAmigaGuideFile(handle);
}
BENCHMARK(BM_WriteGuide)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace folioteer
