#include "spell/hash_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <set>
#include <tuple>

namespace folioteer {
namespace {

using Texts = std::vector<std::string>;

// A table of std::string items that the test owns.
struct StringTable {
  explicit StringTable(uint32_t slots = 0)
      : table(CreateHT(slots, 4, DynStrHashFunc, DynStrCmpFunc, tooBig)) {}
  ~StringTable() { DestroyHT(table); }
  std::string* Item(const std::string& text) { return &items.emplace_back(text); }
  bool Add(const std::string& text) { return AddHT(table, Item(text)); }
  Texts ReadAll(std::optional<ReadOrder> reset = std::nullopt) {
    if (reset) ResetReadHT(table, *reset);
    Texts texts;
    while (void* item = ReadSeqHT(table)) texts.push_back(*static_cast<std::string*>(item));
    return texts;
  }
  bool tooBig = true;
  HashTable table;
  std::deque<std::string> items;
};

// Slots, elements, collisions, longest chain.
std::tuple<uint32_t, uint32_t, uint32_t, uint32_t> Stats(HashTable table) {
  uint32_t slots, elems, collisions, maxLen;
  HashTableStats(table, slots, elems, collisions, maxLen);
  return {slots, elems, collisions, maxLen};
}

TEST(HashTable, SizesAndHashProcedures) {
  EXPECT_EQ(Stats(StringTable(0).table), std::tuple(1787u, 0u, 0u, 0u));
  StringTable tooBig(500001);
  EXPECT_EQ(tooBig.table, NilHashTable());
  EXPECT_TRUE(tooBig.tooBig);
  std::string abc = "abc";
  EXPECT_EQ(DynStrHashFunc(&abc, 1787), Str0HashFunc("abc", 1787));
}

TEST(HashTable, EqualItemsAreStoredOnce) {
  StringTable table;
  std::string *pear = table.Item("pear"), *again = table.Item("pear"), key = "pear", absent = "plum";
  EXPECT_EQ(ProbeHT(table.table, pear), nullptr);
  EXPECT_EQ(ProbeHT(table.table, again), pear);
  EXPECT_FALSE(AddHT(table.table, again));
  EXPECT_TRUE(table.Add("Pear"));  // case-sensitive
  EXPECT_EQ(FindHT(table.table, &key), pear);
  EXPECT_EQ(RemoveHT(table.table, &key), pear);
  EXPECT_EQ(RemoveHT(table.table, &absent), nullptr);
  EXPECT_TRUE(AddHT(table.table, again));  // the emptied chain stays usable
  EXPECT_EQ(FindHT(table.table, &key), again);
}

TEST(HashTable, SortedReadingRestartsAfterAChange) {
  StringTable table;
  for (const char* fruit : {"pear", "apple", "fig"}) table.Add(fruit);
  EXPECT_EQ(table.ReadAll(ReadOrder::Sorted), (Texts{"apple", "fig", "pear"}));
  ResetReadHT(table.table, ReadOrder::Sorted);
  ReadSeqHT(table.table);
  table.Add("kiwi");
  EXPECT_EQ(table.ReadAll(), (Texts{"apple", "fig", "kiwi", "pear"}));
  // A removed item that its owner frees is never touched by the stale snapshot.
  auto banana = std::make_unique<std::string>("banana");
  AddHT(table.table, banana.get());
  EXPECT_EQ(table.ReadAll(ReadOrder::Sorted).size(), 5u);
  RemoveHT(table.table, banana.get());
  banana.reset();
  EXPECT_EQ(table.ReadAll(), (Texts{"apple", "fig", "kiwi", "pear"}));
}

// Many keys through few slots: every operation must agree with a std::set.
TEST(HashTable, AgreesWithAReferenceSetUnderRandomChanges) {
  StringTable table(97);
  std::set<std::string> reference;
  std::mt19937 random(7);
  for (int step = 0; step < 6000; ++step) {
    std::string key = "w";
    key += std::to_string(random() % 2000);
    if (step % 3 == 2)
      EXPECT_EQ(RemoveHT(table.table, &key) != nullptr, reference.erase(key) == 1);
    else
      EXPECT_EQ(table.Add(key), reference.insert(key).second);
  }
  Texts sorted = table.ReadAll(ReadOrder::Sorted), unsorted = table.ReadAll(ReadOrder::Unsorted);
  EXPECT_EQ(sorted, Texts(reference.begin(), reference.end()));
  std::sort(unsorted.begin(), unsorted.end());
  EXPECT_EQ(unsorted, sorted);
  std::set<uint32_t> usedSlots;
  for (const std::string& key : reference) usedSlots.insert(DynStrHashFunc(&key, 97));
  auto [slots, elems, collisions, maxLen] = Stats(table.table);
  EXPECT_EQ(elems, reference.size());
  EXPECT_EQ(collisions, reference.size() - usedSlots.size());
  ClearHT(table.table);
  EXPECT_EQ(Stats(table.table), std::tuple(97u, 0u, 0u, 0u));
}

}  // namespace
}  // namespace folioteer
