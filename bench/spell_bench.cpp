// Speed of the spelling dictionary: loading the system word list (about
// 100,000 words, 1 MB; target below 0.15 s) and checking words.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "spell/dictionary.h"

namespace folioteer {
namespace {

const char* const kSystemWordList = "/usr/share/dict/american-english";

// The system list as dictionary, no user list (the per-user default is
// pointed at a folder without one, which is no reason for a warning).
void UseSystemWordList() {
  ::setenv(kDictionaryVariable, kSystemWordList, 1);
  ::unsetenv(kUserListVariable);
  ::setenv("XDG_DATA_HOME", "/nonexistent/folioteer-bench", 1);
}

// Opening with a table sized for a machine of state.range(0) MiB.
void BM_LoadSystemWordList(benchmark::State& state) {
  UseSystemWordList();
  PretendMachineMemory(static_cast<uint64_t>(state.range(0)) * 1024 * 1024);
  for (auto _ : state) {
    if (!AttemptOpenSpellChk(nullptr)) state.SkipWithError("word list not loaded");
    state.PauseTiming();
    AttemptCloseSpellChk();
    state.ResumeTiming();
  }
  PretendMachineMemory(std::nullopt);
}
BENCHMARK(BM_LoadSystemWordList)->Arg(64)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

void BM_CloseSystemWordList(benchmark::State& state) {
  UseSystemWordList();
  for (auto _ : state) {
    state.PauseTiming();
    AttemptOpenSpellChk(nullptr);
    state.ResumeTiming();
    AttemptCloseSpellChk();
  }
}
BENCHMARK(BM_CloseSystemWordList)->Unit(benchmark::kMillisecond);

// A text-like mix: list words as written, capitalised (a second lookup) and
// misspelt by reversing them (two failed lookups), plus numbers.
std::vector<std::string> SampleWords() {
  std::ifstream list(kSystemWordList);
  std::vector<std::string> words;
  std::string line;
  for (int i = 0; std::getline(list, line); ++i) {
    if (i % 7 != 0 || line.empty()) continue;
    words.push_back(line);
    std::string capital = line;
    capital[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(capital[0])));
    words.push_back(capital);
    words.push_back(std::string(line.rbegin(), line.rend()));
    words.push_back(std::to_string(i));
  }
  return words;
}

void BM_ChkSpell(benchmark::State& state) {
  UseSystemWordList();
  SpellChkHandle handle = AttachSpellChk(kSpellDigitWords);
  if (handle == InvalidSpellChkHandle()) {
    state.SkipWithError("word list not loaded");
    return;
  }
  std::vector<std::string> words = SampleWords();
  for (auto _ : state) {
    int accepted = 0;
    for (const std::string& word : words) accepted += ChkSpell(handle, word);
    benchmark::DoNotOptimize(accepted);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(words.size()));
  DetachSpellChk(handle);
  AttemptCloseSpellChk();
}
BENCHMARK(BM_ChkSpell)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace folioteer
