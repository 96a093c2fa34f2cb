// Speed of the spell check with the system word list loaded: one node of
// 100 KB of text (target below 20 ms) and every node of the generated
// 20,000-node guide (target below 3 s).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "guide/parser.h"
#include "guide_generator.h"
#include "nodes/node_registry.h"
#include "spell/dictionary.h"
#include "spell/spell_check.h"
#include "state/editor_state.h"
#include "ui/headless_windows.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

// The system list as dictionary, loaded before any timing; no user list.
bool LoadSystemWordList() {
  ::setenv(kDictionaryVariable, "/usr/share/dict/american-english", 1);
  ::unsetenv(kUserListVariable);
  ::setenv("XDG_DATA_HOME", "/nonexistent/folioteer-bench", 1);
  return AttemptOpenSpellChk(nullptr);
}

// A guide whose MAIN node holds the text lines of the generated guide (with
// their attributes, links and macro calls) up to the given size.
std::string WriteOneNodeGuide(size_t bytes) {
  std::string generated = bench::GenerateGuide(static_cast<int>(bytes / 900) + 2);
  std::string guide = "@database \"big.guide\"\n@macro \"em\" \"@{b}$1@{ub}\"\n@node \"MAIN\" \"Big\"\n";
  size_t text = 0;
  for (size_t start = 0, end = 0; text < bytes && start < generated.size(); start = end + 1) {
    end = generated.find('\n', start);
    std::string_view line(generated.data() + start, end - start);
    if (line.starts_with("@") && !line.starts_with("@{")) continue;
    guide.append(line).append("\n");
    text += line.size() + 1;
  }
  std::string name = bench::ScratchDir() + "/big.guide";
  std::ofstream(name, std::ios::binary) << guide << "@endnode\n";
  return name;
}

void BM_SpellChkNode100KB(benchmark::State& state) {
  if (!LoadSystemWordList()) return state.SkipWithError("word list not loaded");
  bench::OpenGuideInEditor(WriteOneNodeGuide(100 * 1024), bench::Opening::MainWindowOpen);
  NodeEntry* entry = FindNodeByIdx(0);
  for (auto _ : state)
    if (!SpellChkNode(GetDocument(Editor().guideFile), entry)) state.SkipWithError("check failed");
  PopulateMisspells(entry->misspellings);
  state.counters["misspellings"] =
      static_cast<double>(DefaultHeadlessWindows().Rows(ListId::Misspells).size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 100 * 1024);
  bench::CloseGuideInEditor();
}
BENCHMARK(BM_SpellChkNode100KB)->Unit(benchmark::kMillisecond);

void BM_SpellChkDoc20000(benchmark::State& state) {
  if (!LoadSystemWordList()) return state.SkipWithError("word list not loaded");
  bench::OpenGuideInEditor(bench::WriteGeneratedGuide(bench::ScratchDir(), 20000),
                           bench::Opening::MainWindowOpen);
  for (auto _ : state)
    if (!SpellChkDoc(GetDocument(Editor().guideFile))) state.SkipWithError("check failed");
  bench::CloseGuideInEditor();
}
BENCHMARK(BM_SpellChkDoc20000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace folioteer
