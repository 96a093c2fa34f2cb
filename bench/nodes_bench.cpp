// The node registry on a generated guide of 20,000 nodes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "guide/parser.h"
#include "guide_generator.h"
#include "nodes/node_ops.h"
#include "state/editor_state.h"
#include "ui/headless_windows.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

void OpenGenerated(int nodes) {
  bench::OpenGuideInEditor(bench::WriteGeneratedGuide(bench::ScratchDir(), nodes),
                           bench::Opening::RegistryEmpty);
}

// Registering every node (the names come in random order).
void BM_RegisterNodes(benchmark::State& state) {
  OpenGenerated(20000);
  AGDocument* doc = GetDocument(Editor().guideFile);
  for (auto _ : state) {
    state.PauseTiming();
    InitNodeRegistry();
    state.ResumeTiming();
    ScanNodes(doc, [](AGCmd* node) { return AddToAllNodes(AddInfoToNode(node)); });
  }
  bench::CloseGuideInEditor();
}
BENCHMARK(BM_RegisterNodes)->Unit(benchmark::kMillisecond);

// Opening the main window: registering and resolving every node, then
// listing them.
void BM_OpenMyWndo(benchmark::State& state) {
  OpenGenerated(20000);
  for (auto _ : state) {
    state.PauseTiming();
    InitNodeRegistry();
    state.ResumeTiming();
    BuildNodeRegistry(GetDocument(Editor().guideFile));
    OpenMyWndo();
  }
  bench::CloseGuideInEditor();
}
BENCHMARK(BM_OpenMyWndo)->Unit(benchmark::kMillisecond);

// Each operation once on a fresh 20,000-node registry.
template <typename Operation>
void OnFreshRegistry(benchmark::State& state, Operation operation) {
  OpenGenerated(20000);
  for (auto _ : state) {
    state.PauseTiming();
    InitNodeRegistry();
    BuildNodeRegistry(GetDocument(Editor().guideFile));
    OpenMyWndo();
    state.ResumeTiming();
    operation();
  }
  bench::CloseGuideInEditor();
}

void BM_AddNewNodeAfterMain(benchmark::State& state) {
  int serial = 0;
  OnFreshRegistry(state,
                  [&] { AddNewNode(GetDocument(Editor().guideFile), "New" + std::to_string(serial++), 0); });
}
BENCHMARK(BM_AddNewNodeAfterMain)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MoveNode(benchmark::State& state) {
  OnFreshRegistry(state, [] { MoveNode(19000, -1); });
}
BENCHMARK(BM_MoveNode)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DeleteNode(benchmark::State& state) {
  OnFreshRegistry(state, [] { DeleteNode(19000); });
}
BENCHMARK(BM_DeleteNode)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FindNodeByName(benchmark::State& state) {
  OnFreshRegistry(state, [] { benchmark::DoNotOptimize(FindNodeByName("node12345")); });
}
BENCHMARK(BM_FindNodeByName)->Unit(benchmark::kMicrosecond)->Iterations(5);

void BM_FindNodeByIdxLast(benchmark::State& state) {
  OnFreshRegistry(state, [] { benchmark::DoNotOptimize(FindNodeByIdx(19000)); });
}
BENCHMARK(BM_FindNodeByIdxLast)->Unit(benchmark::kMicrosecond)->Iterations(5);

void BM_ResolveNodes(benchmark::State& state) {
  OnFreshRegistry(state, [] { ResolveNodes(); });
}
BENCHMARK(BM_ResolveNodes)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace folioteer
