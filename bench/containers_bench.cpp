// Speed of the containers that every document list rests on.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "containers/ordered_list.h"
#include "containers/text_block.h"

namespace folioteer {
namespace {

int CompareInts(const void* stored, const void* key) {
  int a = *static_cast<const int*>(stored);
  int b = *static_cast<const int*>(key);
  return a < b ? -1 : (a > b ? 1 : 0);
}

// Adding 20,000 items in random order and deleting them all again.
void BM_ListAddDelete20000(benchmark::State& state) {
  std::vector<int> keys(20000);
  for (int i = 0; i < 20000; ++i) keys[i] = i;
  std::shuffle(keys.begin(), keys.end(), std::mt19937(1));
  for (auto _ : state) {
    List list = NilList();
    ListCreate(list, CompareInts, Duplicates::Refused);
    for (int& key : keys) ListAddition(list, &key);
    for (int& key : keys) ListDeletion(list, &key);
    ListDestroy(list);
  }
}
BENCHMARK(BM_ListAddDelete20000)->Unit(benchmark::kMillisecond);

void BM_ListFind20000(benchmark::State& state) {
  std::vector<int> keys(20000);
  for (int i = 0; i < 20000; ++i) keys[i] = i;
  List list = NilList();
  ListCreate(list, CompareInts, Duplicates::Refused);
  for (int& key : keys) ListAddition(list, &key);
  ListSetReadMode(list);
  int probe = 0;
  for (auto _ : state) {
    void* item = nullptr;
    benchmark::DoNotOptimize(OnList(list, &keys[probe], item));
    probe = (probe + 7919) % 20000;
  }
  ListDestroy(list);
}
BENCHMARK(BM_ListFind20000);

void BM_BlockRefill100000(benchmark::State& state) {
  TextBlock block = AllocBlock();
  for (auto _ : state) {
    EmptyBlock(block);
    for (int i = 0; i < 100000; ++i) AddBlockLine(block, "a line of node text of ordinary length");
  }
  DeallocBlock(block);
}
BENCHMARK(BM_BlockRefill100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace folioteer
