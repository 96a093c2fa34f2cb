// The hash table: a container of untyped item references keyed by the items
// themselves, through a hash procedure and a comparison procedure given at
// creation.
//
// It is separate chaining over ordered lists: each slot holds nothing or an
// ordered list (without duplicates) of the items that hash to it, so a chain
// never holds two items that compare equal. Chains rest in reading mode
// between operations. Besides storing, finding and removing, the table hands
// out its items one by one, either slot by slot or in ascending order of the
// comparison procedure; the sorted order comes from a snapshot list that is
// rebuilt only when the table changed since it was last built.
//
// Items belong to the caller; the table owns its record, its slot array, its
// chains and its snapshot, and never frees an item.
#pragma once

#include <cstdint>

#include "containers/ordered_list.h"

namespace folioteer {

// Returns a slot number below numSlots; a larger one is an assertion failure.
using HashProc = uint32_t (*)(const void* item, uint32_t numSlots);

struct HashTableRecord;
using HashTable = HashTableRecord*;

inline constexpr uint32_t kDefaultHashSlots = 1787;
inline constexpr uint32_t kMaxHashSlots = 500000;

enum class ReadOrder : uint8_t { Unsorted, Sorted };

HashTable NilHashTable();

// numSlots 0 gives the default size. Above kMaxHashSlots: null with tooBig
// set; storage exhausted: null with tooBig clear. itemKind is kept for the
// caller; the table does not use it.
HashTable CreateHT(uint32_t numSlots, uint8_t itemKind, HashProc hashProc, CompareProc compareProc,
                   bool& tooBig);
// Frees the table but none of its items (they stay with their owner);
// table becomes null. A null table is left alone.
void DestroyHT(HashTable& table);
// Empties every slot; the items are not freed.
void ClearHT(HashTable table);

// FALSE when an equal item is already stored.
bool AddHT(HashTable table, void* item);
// The stored item equal to item, changing nothing; otherwise stores item and
// returns null.
void* ProbeHT(HashTable table, void* item);
void* FindHT(HashTable table, const void* key);
// Takes the equal item out and returns it; null when there is none.
void* RemoveHT(HashTable table, const void* key);

// Starts a sequential reading. Sorted: a change to the table makes the next
// ReadSeqHT start again from the smallest item. Unsorted: slot by slot, each
// chain in its order; any other operation on the table meanwhile may disturb
// the reading.
void ResetReadHT(HashTable table, ReadOrder order);
// The next item of the reading; null after the last.
void* ReadSeqHT(HashTable table);

// numCollisions counts every item after the first of its chain;
// maxCollisionLen is the length of the longest chain.
void HashTableStats(HashTable table, uint32_t& numSlots, uint32_t& numElems, uint32_t& numCollisions,
                    uint32_t& maxCollisionLen);

// Ready-made procedures. The text hash is case-sensitive: with h and a
// unsigned 32-bit, h := 0, a := 63689; per character h := h*a + code,
// a := a*378551; the slot is h MOD numSlots (an empty key gives slot 0).
uint32_t TextHash(const char* text, size_t length);

// Items are zero-terminated character arrays; at most the first 1000
// characters count for the hash.
uint32_t Str0HashFunc(const void* item, uint32_t numSlots);
int Str0CmpFunc(const void* stored, const void* key);
// Items are std::string; the hash covers the string's bytes (at most the
// first 1000001), the comparison is bytewise and case-sensitive.
uint32_t DynStrHashFunc(const void* item, uint32_t numSlots);
int DynStrCmpFunc(const void* stored, const void* key);
// Items are uint32_t; the hash takes the four bytes most significant first,
// h := 5*h + byte. The comparison is unsigned.
uint32_t CardHashFunc(const void* item, uint32_t numSlots);
int CardCmpFunc(const void* stored, const void* key);

}  // namespace folioteer
