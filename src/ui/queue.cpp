#include "ui/queue.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <new>

#include "support/assert.h"

namespace folioteer {

struct QueueHeader {
  int slots = 0;
  size_t elemSize = 0;  // 0 for a reference queue
  int in = 0;
  int out = 0;
  std::unique_ptr<unsigned char[]> values;
  std::unique_ptr<const void*[]> refs;
};

namespace {

// The one lock of the module. A std::mutex cannot fail to be made, so the
// failure the lock could once report has no counterpart here.
std::mutex queueLock;

int Next(const QueueHeader& queue, int index) { return (index + 1) % queue.slots; }

bool IsFullLocked(const QueueHeader& queue) { return Next(queue, queue.in) == queue.out; }

QUEUE NewHeader(int capacity) {
  if (capacity < 1 || capacity >= kMaxQueueSlots) return nullptr;
  QUEUE queue = new (std::nothrow) QueueHeader;
  if (queue != nullptr) queue->slots = capacity + 1;
  return queue;
}

}  // namespace

QUEUE NilQueue() { return nullptr; }

bool AllocQueue(QUEUE& queue, int capacity, size_t elemSize) {
  queue = nullptr;
  if (elemSize == 0) return false;
  QUEUE made = NewHeader(capacity);
  if (made == nullptr) return false;
  made->elemSize = elemSize;
  made->values.reset(new (std::nothrow) unsigned char[elemSize * made->slots]);
  if (!made->values) {
    delete made;
    return false;
  }
  queue = made;
  return true;
}

bool AllocRefQueue(QUEUE& queue, int capacity) {
  queue = NewHeader(capacity);
  if (queue == nullptr) return false;
  queue->refs.reset(new (std::nothrow) const void*[queue->slots]);
  if (!queue->refs) DeallocQueue(queue);
  return queue != nullptr;
}

void DeallocQueue(QUEUE& queue) {
  delete queue;
  queue = nullptr;
}

bool ToQueue(QUEUE queue, const void* elem) {
  if (queue == nullptr) {
    AssertFail("ToQueue: NilQueue");
    return false;
  }
  std::lock_guard hold(queueLock);
  if (IsFullLocked(*queue)) return false;
  if (queue->refs)
    queue->refs[queue->in] = elem;
  else
    std::memcpy(&queue->values[queue->in * queue->elemSize], elem, queue->elemSize);
  queue->in = Next(*queue, queue->in);
  return true;
}

bool FromQueue(QUEUE queue, void*& elem) {
  if (queue == nullptr) {
    AssertFail("FromQueue: NilQueue");
    return false;
  }
  std::lock_guard hold(queueLock);
  if (queue->in == queue->out) return false;
  if (queue->refs) {
    elem = const_cast<void*>(queue->refs[queue->out]);
  } else {
    if (elem == nullptr) {
      AssertFail("NIL ElemPtr in FromQueue() called for non-ref queue");
      return false;
    }
    std::memcpy(elem, &queue->values[queue->out * queue->elemSize], queue->elemSize);
  }
  queue->out = Next(*queue, queue->out);
  return true;
}

bool FromCopyQueue(QUEUE queue, void* elem) {
  if (queue != nullptr && IsRefQueue(queue)) {
    AssertFail("FromQueueCopy() called for ref queue");
    return false;
  }
  return FromQueue(queue, elem);
}

bool IsEmpty(QUEUE queue) {
  if (queue == nullptr) {
    AssertFail("IsEmpty: NilQueue");
    return true;
  }
  std::lock_guard hold(queueLock);
  return queue->in == queue->out;
}

bool IsFull(QUEUE queue) {
  if (queue == nullptr) {
    AssertFail("IsFull: NilQueue");
    return false;
  }
  std::lock_guard hold(queueLock);
  return IsFullLocked(*queue);
}

bool IsRefQueue(QUEUE queue) {
  if (queue == nullptr) {
    AssertFail("IsRefQueue: NilQueue");
    return false;
  }
  return static_cast<bool>(queue->refs);
}

void EmptyQueue(QUEUE queue) {
  if (queue == nullptr) {
    AssertFail("EmptyQueue: NilQueue");
    return;
  }
  std::lock_guard hold(queueLock);
  queue->out = queue->in;
}

}  // namespace folioteer
