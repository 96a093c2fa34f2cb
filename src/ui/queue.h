// Bounded first-in first-out queues, safe to share between threads.
//
// A queue of capacity n is a ring of n + 1 slots (at most kMaxQueueSlots)
// with an in index and an out index: empty when they are equal, full when
// in + 1 equals out modulo the slot count, so one slot always stays unused.
// A value queue copies each entry (of the element size fixed at allocation)
// into storage of its own; a reference queue stores the caller's pointers and
// owns nothing they point to.
//
// Every operation of this module holds one lock, shared by all queues, for
// its whole length, so the queues between the program task and the window
// monitor need no lock of their own. An operation never blocks on a full or
// an empty queue: it answers FALSE instead.
#pragma once

#include <cstddef>

namespace folioteer {

struct QueueHeader;
using QUEUE = QueueHeader*;

inline constexpr int kMaxQueueSlots = 20000;

QUEUE NilQueue();

// FALSE (and queue stays nil) when the capacity is below 1, needs more than
// kMaxQueueSlots slots, the element size is 0, or storage is exhausted.
bool AllocQueue(QUEUE& queue, int capacity, size_t elemSize);
bool AllocRefQueue(QUEUE& queue, int capacity);
// Frees the queue (not what a reference queue points to); queue becomes nil.
void DeallocQueue(QUEUE& queue);

// A value queue copies the element size from elem; a reference queue stores
// elem itself. FALSE when full.
bool ToQueue(QUEUE queue, const void* elem);
// Takes the oldest entry; FALSE when empty. A reference queue sets elem to the
// stored pointer; a value queue copies into the buffer elem points to.
bool FromQueue(QUEUE queue, void*& elem);
// FromQueue for value queues, into the buffer elem.
bool FromCopyQueue(QUEUE queue, void* elem);

bool IsEmpty(QUEUE queue);
bool IsFull(QUEUE queue);
bool IsRefQueue(QUEUE queue);
// Drops every entry.
void EmptyQueue(QUEUE queue);

}  // namespace folioteer
