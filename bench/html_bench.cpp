// Exporting the generated guide of 2,000 and of 20,000 nodes (about 20 MB)
// as one HTML page, from the guide's bytes to the written file (the target
// is under 2 s for 20,000 nodes).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "guide_generator.h"
#include "html/html_export.h"
#include "support/file_names.h"

namespace folioteer {
namespace {

void BM_ExportGuideHtml(benchmark::State& state) {
  std::string name = bench::WriteGeneratedGuide(bench::ScratchDir(), static_cast<int>(state.range(0)));
  std::string page = HtmlFileName(name);
  std::string bytes;
  if (ReadRegularFile(name, size_t{1} << 30, bytes) != 0) state.SkipWithError("read failed");
  HtmlOptions options{{}, PlacesFor(name, page)};
  for (auto _ : state) {
    GuideSource source = ReadGuideSource(bytes);
    if (ExportGuideHtml(source, options) != HtmlExportResult::Written) state.SkipWithError("export failed");
  }
  state.counters["guide MB"] = static_cast<double>(bytes.size()) / 1e6;
  state.counters["page MB"] = static_cast<double>(std::filesystem::file_size(page)) / 1e6;
  std::filesystem::remove(page);
  std::filesystem::remove(name);
}
BENCHMARK(BM_ExportGuideHtml)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace folioteer
