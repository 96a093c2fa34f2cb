#include "spell/hash_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/assert.h"

namespace folioteer {
namespace {

// A table of std::string items, destroyed at the end of the test.
class StringTable {
 public:
  explicit StringTable(uint32_t slots = 0) {
    bool tooBig = true;
    table_ = CreateHT(slots, 4, DynStrHashFunc, DynStrCmpFunc, tooBig);
    EXPECT_FALSE(tooBig);
  }
  ~StringTable() { DestroyHT(table_); }

  HashTable Get() const { return table_; }
  std::string* Item(const std::string& text) {
    items_.push_back(std::make_unique<std::string>(text));
    return items_.back().get();
  }
  bool Add(const std::string& text) { return AddHT(table_, Item(text)); }

 private:
  HashTable table_;
  std::vector<std::unique_ptr<std::string>> items_;
};

std::vector<std::string> ReadAll(HashTable table) {
  std::vector<std::string> texts;
  while (void* item = ReadSeqHT(table)) texts.push_back(*static_cast<std::string*>(item));
  return texts;
}

struct Stats {
  uint32_t slots = 0, elems = 0, collisions = 0, maxLen = 0;
};

Stats StatsOf(HashTable table) {
  Stats stats;
  HashTableStats(table, stats.slots, stats.elems, stats.collisions, stats.maxLen);
  return stats;
}

TEST(HashTable, SizesDefaultAndLimit) {
  bool tooBig = true;
  HashTable table = CreateHT(0, 4, DynStrHashFunc, DynStrCmpFunc, tooBig);
  ASSERT_NE(table, NilHashTable());
  EXPECT_FALSE(tooBig);
  EXPECT_EQ(StatsOf(table).slots, 1787u);
  DestroyHT(table);
  EXPECT_EQ(table, NilHashTable());
  DestroyHT(table);  // a null reference is left alone

  table = CreateHT(500000, 4, DynStrHashFunc, DynStrCmpFunc, tooBig);
  ASSERT_NE(table, NilHashTable());
  EXPECT_EQ(StatsOf(table).slots, 500000u);
  DestroyHT(table);

  table = CreateHT(500001, 4, DynStrHashFunc, DynStrCmpFunc, tooBig);
  EXPECT_EQ(table, NilHashTable());
  EXPECT_TRUE(tooBig);
}

TEST(HashTable, TextHashIsCaseSensitiveAndIdenticalForBothStringKinds) {
  EXPECT_EQ(TextHash("abc", 3), 2969643692u);
  std::string abc = "abc", a = "a", upperA = "A", empty;
  EXPECT_EQ(DynStrHashFunc(&abc, 1787), 1731u);
  EXPECT_EQ(DynStrHashFunc(&a, 1787), 97u);
  EXPECT_EQ(DynStrHashFunc(&upperA, 1787), 65u);
  EXPECT_EQ(DynStrHashFunc(&empty, 1787), 0u);
  EXPECT_EQ(Str0HashFunc("abc", 1787), 1731u);
  EXPECT_EQ(Str0HashFunc("", 1787), 0u);

  // Only the first 1000 characters of a zero-terminated key count.
  std::string longer(1000, 'x');
  std::string other = longer + "y";
  EXPECT_EQ(Str0HashFunc(longer.c_str(), 499979), Str0HashFunc(other.c_str(), 499979));
  EXPECT_NE(DynStrHashFunc(&longer, 499979), DynStrHashFunc(&other, 499979));
}

TEST(HashTable, CardinalProceduresTakeBytesMostSignificantFirst) {
  uint32_t value = 0x01020304;  // ((1*5 + 2)*5 + 3)*5 + 4 = 194
  EXPECT_EQ(CardHashFunc(&value, 1787), 194u);
  EXPECT_EQ(CardHashFunc(&value, 100), 94u);
  uint32_t big = 0xffffffff, one = 1;
  EXPECT_EQ(CardCmpFunc(&big, &one), 1);
  EXPECT_EQ(CardCmpFunc(&one, &big), -1);
  EXPECT_EQ(CardCmpFunc(&one, &one), 0);
  // Bytes above 127 order after ASCII: the comparison is unsigned.
  std::string accented = "\xe9t\xe9", plain = "zoo";
  EXPECT_EQ(DynStrCmpFunc(&accented, &plain), 1);
  EXPECT_EQ(Str0CmpFunc("Zoo", "apple"), -1);
}

TEST(HashTable, EqualItemsAreStoredOnce) {
  StringTable table;
  std::string* pear = table.Item("pear");
  EXPECT_EQ(ProbeHT(table.Get(), pear), nullptr);
  std::string* again = table.Item("pear");
  EXPECT_EQ(ProbeHT(table.Get(), again), pear);
  EXPECT_FALSE(AddHT(table.Get(), again));
  EXPECT_TRUE(table.Add("Pear"));  // case-sensitive

  std::string key = "pear";
  EXPECT_EQ(FindHT(table.Get(), &key), pear);
  EXPECT_EQ(StatsOf(table.Get()).elems, 2u);

  EXPECT_EQ(RemoveHT(table.Get(), &key), pear);
  EXPECT_EQ(FindHT(table.Get(), &key), nullptr);
  EXPECT_EQ(RemoveHT(table.Get(), &key), nullptr);
  std::string absent = "plum";
  EXPECT_EQ(RemoveHT(table.Get(), &absent), nullptr);
  EXPECT_EQ(StatsOf(table.Get()).elems, 1u);
  // The emptied chain stays usable.
  EXPECT_TRUE(AddHT(table.Get(), again));
  EXPECT_EQ(FindHT(table.Get(), &key), again);
}

TEST(HashTable, SortedReadingRestartsAfterAChange) {
  StringTable table;
  for (const char* fruit : {"pear", "apple", "fig"}) table.Add(fruit);
  ResetReadHT(table.Get(), ReadOrder::Sorted);
  EXPECT_EQ(ReadAll(table.Get()), (std::vector<std::string>{"apple", "fig", "pear"}));
  EXPECT_EQ(ReadSeqHT(table.Get()), nullptr);

  ResetReadHT(table.Get(), ReadOrder::Sorted);
  ReadSeqHT(table.Get());
  table.Add("kiwi");
  EXPECT_EQ(ReadAll(table.Get()), (std::vector<std::string>{"apple", "fig", "kiwi", "pear"}));

  // A removed item that its owner frees is never touched by the stale snapshot.
  auto banana = std::make_unique<std::string>("banana");
  AddHT(table.Get(), banana.get());
  ResetReadHT(table.Get(), ReadOrder::Sorted);
  EXPECT_EQ(*static_cast<std::string*>(ReadSeqHT(table.Get())), "apple");
  EXPECT_EQ(*static_cast<std::string*>(ReadSeqHT(table.Get())), "banana");
  std::string key = "banana";
  RemoveHT(table.Get(), &key);
  banana.reset();
  EXPECT_EQ(ReadAll(table.Get()), (std::vector<std::string>{"apple", "fig", "kiwi", "pear"}));
}

TEST(HashTable, UnsortedReadingGoesSlotBySlotInChainOrder) {
  StringTable empty;
  ResetReadHT(empty.Get(), ReadOrder::Unsorted);
  EXPECT_EQ(ReadSeqHT(empty.Get()), nullptr);

  StringTable table;  // abc lies in slot 1731, a in slot 97, b in 98
  for (const char* text : {"abc", "b", "a"}) table.Add(text);
  ResetReadHT(table.Get(), ReadOrder::Unsorted);
  EXPECT_EQ(ReadAll(table.Get()), (std::vector<std::string>{"a", "b", "abc"}));
  EXPECT_EQ(ReadSeqHT(table.Get()), nullptr);
  ResetReadHT(table.Get(), ReadOrder::Unsorted);  // a second reading starts afresh
  EXPECT_EQ(ReadAll(table.Get()).size(), 3u);

  StringTable single(1);  // one chain, read in its own ascending order
  for (const char* text : {"pear", "apple", "fig"}) single.Add(text);
  ResetReadHT(single.Get(), ReadOrder::Unsorted);
  EXPECT_EQ(ReadAll(single.Get()), (std::vector<std::string>{"apple", "fig", "pear"}));
}

TEST(HashTable, StatisticsCountCollisionsAndTheLongestChain) {
  bool tooBig = false;
  HashTable table = CreateHT(10, 0, CardHashFunc, CardCmpFunc, tooBig);
  uint32_t values[] = {1, 11, 21, 5};  // three in slot 1, one in slot 5
  for (uint32_t& value : values) EXPECT_TRUE(AddHT(table, &value));
  Stats stats = StatsOf(table);
  EXPECT_EQ(stats.slots, 10u);
  EXPECT_EQ(stats.elems, 4u);
  EXPECT_EQ(stats.collisions, 2u);
  EXPECT_EQ(stats.maxLen, 3u);

  RemoveHT(table, &values[0]);
  RemoveHT(table, &values[1]);
  RemoveHT(table, &values[2]);  // an emptied chain counts for nothing
  stats = StatsOf(table);
  EXPECT_EQ(stats.elems, 1u);
  EXPECT_EQ(stats.collisions, 0u);
  EXPECT_EQ(stats.maxLen, 1u);
  DestroyHT(table);
}

TEST(HashTable, ClearEmptiesTheTableButLeavesTheItems) {
  StringTable table;
  for (const char* text : {"one", "two", "three"}) table.Add(text);
  ResetReadHT(table.Get(), ReadOrder::Sorted);
  ReadSeqHT(table.Get());
  ClearHT(table.Get());
  EXPECT_EQ(ReadSeqHT(table.Get()), nullptr);
  std::string key = "two";
  EXPECT_EQ(FindHT(table.Get(), &key), nullptr);
  EXPECT_EQ(StatsOf(table.Get()).elems, 0u);
  EXPECT_TRUE(table.Add("two"));
  ResetReadHT(table.Get(), ReadOrder::Unsorted);
  EXPECT_EQ(ReadAll(table.Get()), (std::vector<std::string>{"two"}));
}

uint32_t BadHash(const void*, uint32_t numSlots) { return numSlots; }

TEST(HashTable, ASlotBeyondTheTableIsAnAssertion) {
  bool tooBig = false;
  HashTable table = CreateHT(7, 0, BadHash, CardCmpFunc, tooBig);
  uint32_t value = 3;
  EXPECT_THROW(AddHT(table, &value), AssertionFailure);
  EXPECT_THROW(FindHT(table, &value), AssertionFailure);
  DestroyHT(table);
}

// Many keys through few slots: every operation must agree with a std::set.
TEST(HashTable, AgreesWithAReferenceSetUnderRandomChanges) {
  StringTable table(97);
  std::set<std::string> reference;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pick(0, 1999);
  for (int step = 0; step < 6000; ++step) {
    std::string key = "w";
    key += std::to_string(pick(random));
    if (step % 3 == 2) {
      EXPECT_EQ(RemoveHT(table.Get(), &key) != nullptr, reference.erase(key) == 1);
    } else {
      EXPECT_EQ(table.Add(key), reference.insert(key).second);
    }
  }
  Stats stats = StatsOf(table.Get());
  EXPECT_EQ(stats.elems, reference.size());
  ResetReadHT(table.Get(), ReadOrder::Sorted);
  std::vector<std::string> sorted = ReadAll(table.Get());
  EXPECT_EQ(sorted, std::vector<std::string>(reference.begin(), reference.end()));
  ResetReadHT(table.Get(), ReadOrder::Unsorted);
  std::vector<std::string> unsorted = ReadAll(table.Get());
  std::sort(unsorted.begin(), unsorted.end());
  EXPECT_EQ(unsorted, sorted);
  std::set<uint32_t> usedSlots;
  for (const std::string& key : reference) usedSlots.insert(DynStrHashFunc(&key, 97));
  EXPECT_EQ(stats.collisions, reference.size() - usedSlots.size());
}

}  // namespace
}  // namespace folioteer
