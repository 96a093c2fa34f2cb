// Exporting a generated guide of 2,000 and of 20,000 nodes (about 20 MB) as RTF.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "guide/parser.h"
#include "guide_generator.h"
#include "rtf/rtf_export.h"

namespace folioteer {
namespace {

void BM_ConvertRTF(benchmark::State& state) {
  std::string name = bench::WriteGeneratedGuide(bench::ScratchDir(), static_cast<int>(state.range(0)));
  AmigaGuideFile handle = nullptr;
  bool created = false;
  int result = -1;
  OpenAmigaGuideFile(handle, name, created, result);
  if (result != kOpened) state.SkipWithError("open failed");
  for (auto _ : state)
    if (ConvertRTF(handle) != RTFExportResult::Written) state.SkipWithError("export failed");
  state.counters["guide MB"] = static_cast<double>(std::filesystem::file_size(name)) / 1e6;
  state.counters["RTF MB"] = static_cast<double>(std::filesystem::file_size(RTFFileName(name))) / 1e6;
  CloseAmigaGuideFile(handle);
  std::filesystem::remove(RTFFileName(name));
  std::filesystem::remove(name);
}
BENCHMARK(BM_ConvertRTF)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace folioteer
