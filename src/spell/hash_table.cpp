#include "spell/hash_table.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "support/assert.h"

namespace folioteer {

struct HashTableRecord {
  uint32_t numSlots = 0;
  uint8_t itemKind = 0;
  HashProc hashProc = nullptr;
  CompareProc compareProc = nullptr;
  List seqList = NilList();
  bool seqSorted = false;
  bool seqValid = false;
  uint32_t seqSlot = 0;
  List* slots = nullptr;
};

namespace {

constexpr size_t kMaxStr0Hashed = 1000;
constexpr size_t kMaxDynStrHashed = 1000001;

List& SlotOf(HashTable table, const void* item) {
  uint32_t slot = table->hashProc(item, table->numSlots);
  Assert(slot < table->numSlots, "HashT: slot number out of range");
  return table->slots[slot];
}

// Adds item to its chain unless an equal one is there; returns that one.
void* Store(HashTable table, void* item) {
  List& chain = SlotOf(table, item);
  void* found = nullptr;
  if (chain == NilList()) {
    ListCreate(chain, table->compareProc, Duplicates::Refused);
    Assert(chain != NilList(), "ListCreate FAIL in AddHT");
  } else {
    if (OnList(chain, item, found)) return found;
    ListSetWriteMode(chain);
  }
  ListAddition(chain, item);
  ListSetReadMode(chain);
  table->seqValid = false;
  return nullptr;
}

void RebuildSnapshot(HashTable table) {
  ListDestroy(table->seqList);
  ListCreate(table->seqList, table->compareProc, Duplicates::Refused);
  Assert(table->seqList != NilList(), "ListCreate FAIL in ResetReadHT");
  for (uint32_t slot = 0; slot < table->numSlots; ++slot) {
    List chain = table->slots[slot];
    if (chain == NilList()) continue;
    ListReset(chain);
    Assert(ListOpDone(chain), "ListReset FAIL in ResetReadHT");
    for (void* item = ListReadAs<void>(chain); item != nullptr; item = ListReadAs<void>(chain)) {
      ListAddition(table->seqList, item);
      Assert(ListOpDone(table->seqList), "ListAddition FAIL in ResetReadHT");
    }
  }
  table->seqValid = true;
  ListSetReadMode(table->seqList);
}

void* ReadUnsorted(HashTable table) {
  while (table->seqSlot < table->numSlots) {
    if (List chain = table->slots[table->seqSlot]; chain != NilList()) {
      if (void* item = ListReadAs<void>(chain)) return item;
    }
    ++table->seqSlot;
    if (table->seqSlot < table->numSlots && table->slots[table->seqSlot] != NilList())
      ListReset(table->slots[table->seqSlot]);
  }
  return nullptr;
}

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

HashTable NilHashTable() { return nullptr; }

HashTable CreateHT(uint32_t numSlots, uint8_t itemKind, HashProc hashProc, CompareProc compareProc,
                   bool& tooBig) {
  tooBig = numSlots > kMaxHashSlots;
  if (tooBig) return NilHashTable();
  if (numSlots == 0) numSlots = kDefaultHashSlots;
  HashTable table = new (std::nothrow) HashTableRecord;
  if (table == nullptr) return NilHashTable();
  table->slots = new (std::nothrow) List[numSlots]();
  if (table->slots == nullptr) {
    delete table;
    return NilHashTable();
  }
  table->numSlots = numSlots;
  table->itemKind = itemKind;
  table->hashProc = hashProc;
  table->compareProc = compareProc;
  return table;
}

void DestroyHT(HashTable& table) {
  if (table == NilHashTable()) return;
  for (uint32_t slot = 0; slot < table->numSlots; ++slot) ListDestroy(table->slots[slot]);
  ListDestroy(table->seqList);
  delete[] table->slots;
  delete table;
  table = NilHashTable();
}

void ClearHT(HashTable table) {
  for (uint32_t slot = 0; slot < table->numSlots; ++slot) ListDestroy(table->slots[slot]);
  table->seqValid = false;
}

bool AddHT(HashTable table, void* item) { return Store(table, item) == nullptr; }

void* ProbeHT(HashTable table, void* item) { return Store(table, item); }

void* FindHT(HashTable table, const void* key) {
  List chain = SlotOf(table, key);
  void* found = nullptr;
  if (chain != NilList()) OnList(chain, key, found);
  return found;
}

void* RemoveHT(HashTable table, const void* key) {
  List chain = SlotOf(table, key);
  void* found = nullptr;
  if (chain == NilList() || !OnList(chain, key, found)) return nullptr;
  ListSetWriteMode(chain);
  ListDeletion(chain, key);
  ListSetReadMode(chain);
  table->seqValid = false;
  return found;
}

void ResetReadHT(HashTable table, ReadOrder order) {
  table->seqSorted = order == ReadOrder::Sorted;
  if (table->seqSorted) {
    if (!table->seqValid) RebuildSnapshot(table);
    ListReset(table->seqList);
    return;
  }
  table->seqSlot = 0;
  if (table->slots[0] != NilList()) ListReset(table->slots[0]);
}

void* ReadSeqHT(HashTable table) {
  if (!table->seqSorted) return ReadUnsorted(table);
  if (!table->seqValid) RebuildSnapshot(table);
  return ListReadAs<void>(table->seqList);
}

void HashTableStats(HashTable table, uint32_t& numSlots, uint32_t& numElems, uint32_t& numCollisions,
                    uint32_t& maxCollisionLen) {
  numSlots = table->numSlots;
  numElems = numCollisions = maxCollisionLen = 0;
  for (uint32_t slot = 0; slot < table->numSlots; ++slot) {
    List chain = table->slots[slot];
    if (chain == NilList()) continue;
    uint32_t length = 0;
    ListReset(chain);
    while (ListReadAs<void>(chain) != nullptr) ++length;
    if (length > 0) {
      numElems += length;
      numCollisions += length - 1;
    }
    maxCollisionLen = std::max(maxCollisionLen, length);
  }
}

// ---------------------------------------------------------------------------
// Ready-made procedures

uint32_t TextHash(const char* text, size_t length) {
  uint32_t h = 0;
  uint32_t a = 63689;
  for (size_t i = 0; i < length; ++i) {
    h = h * a + static_cast<unsigned char>(text[i]);
    a *= 378551u;
  }
  return h;
}

uint32_t Str0HashFunc(const void* item, uint32_t numSlots) {
  const char* text = static_cast<const char*>(item);
  return TextHash(text, ::strnlen(text, kMaxStr0Hashed)) % numSlots;
}

int Str0CmpFunc(const void* stored, const void* key) {
  return Sign(std::strcmp(static_cast<const char*>(stored), static_cast<const char*>(key)));
}

uint32_t DynStrHashFunc(const void* item, uint32_t numSlots) {
  const std::string& text = *static_cast<const std::string*>(item);
  return TextHash(text.data(), std::min(text.size(), kMaxDynStrHashed)) % numSlots;
}

int DynStrCmpFunc(const void* stored, const void* key) {
  return Sign(static_cast<const std::string*>(stored)->compare(*static_cast<const std::string*>(key)));
}

uint32_t CardHashFunc(const void* item, uint32_t numSlots) {
  uint32_t value = *static_cast<const uint32_t*>(item);
  uint32_t h = 0;
  for (int shift = 24; shift >= 0; shift -= 8) h = 5 * h + ((value >> shift) & 0xff);
  return h % numSlots;
}

int CardCmpFunc(const void* stored, const void* key) {
  uint32_t a = *static_cast<const uint32_t*>(stored);
  uint32_t b = *static_cast<const uint32_t*>(key);
  return (a > b) - (a < b);
}

}  // namespace folioteer
