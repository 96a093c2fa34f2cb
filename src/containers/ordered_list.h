// The ordered list: the one general-purpose collection of the program.
//
// A list holds untyped item references (records owned by the caller) in
// ascending order of a comparison procedure given at creation. It is in one
// of two modes: writing (add, update and delete by key) or reading (a cursor
// walks forwards or backwards, or is placed on an item found by key). Calling
// an operation in the wrong mode is an assertion failure; every other outcome
// (a duplicate refused, a key not found, a walk at its end) is reported by
// the result or by ListOpDone.
//
// The items form a chain from a sentinel element, in order; beside the chain
// the list keeps an index, so that finding a key costs O(log n). The index
// needs a comparison that orders items consistently (a total order); among
// equal items (when duplicates are allowed) the newest comes first.
//
// Headers, elements and index nodes are recycled through process-wide free
// chains and never returned to the allocator while the program runs. Like
// the rest of the document model, lists belong to the program task.
#pragma once

#include <cstddef>
#include <cstdint>

namespace folioteer {

// Negative when the stored item orders before the key, zero when equal,
// positive when after.
using CompareProc = int (*)(const void* stored, const void* key);
using ItemDisposer = void (*)(void* item);

struct ListHeader;
using List = ListHeader*;

// Whether a list takes an item that compares equal to one it holds.
enum class Duplicates : uint8_t { Refused, Allowed };

List NilList();
void ListCreate(List& list, CompareProc compare, Duplicates duplicates);
// Frees the list (and each item through dispose, when given); list becomes null.
void ListDestroy(List& list, ItemDisposer dispose = nullptr);

void ListSetReadMode(List list);
void ListSetWriteMode(List list);
void ListReset(List list);
void ListEndset(List list);
void ListRead(List list, void*& item);
void ListReadRev(List list, void*& item);
void ListRef(List list, void*& item);
bool OnList(List list, const void* key, void*& item);

void ListAddition(List list, void* item);
void ListUpdate(List list, void* item, void*& old);
void ListDeletion(List list, const void* key);

bool ListOpDone(List list);

// The fatal-error action: a parameterless procedure that the list module
// keeps for its callers; the default raises "ListV2Processor: DoHALT".
using FatalErrorAction = void (*)();
void ListFatalErrorActionSet(FatalErrorAction action);
void ListFatalErrorActionReset();
void ListFatalError();

// Fresh allocations of headers and elements so far (recycled ones not counted).
struct ListAllocations {
  size_t headers = 0;
  size_t elements = 0;
};
ListAllocations ListAllocationCounts();

// Typed conveniences over the untyped operations.
template <typename T>
T* ListReadAs(List list) {
  void* item = nullptr;
  ListRead(list, item);
  return static_cast<T*>(item);
}

}  // namespace folioteer
