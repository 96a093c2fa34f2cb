#include "ui/queue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "test_util.h"

namespace folioteer {
namespace {

using testing::AssertionMessage;

std::vector<int> TakeAll(QUEUE queue) {
  std::vector<int> taken;
  int value = 0;
  while (FromCopyQueue(queue, &value)) taken.push_back(value);
  return taken;
}

TEST(QueueTest, ValueQueueKeepsOrderAcrossTheRingsEnd) {
  QUEUE queue = NilQueue();
  ASSERT_TRUE(AllocQueue(queue, 3, sizeof(int)));
  EXPECT_FALSE(IsRefQueue(queue));
  EXPECT_TRUE(IsEmpty(queue));
  for (int value : {1, 2, 3}) EXPECT_TRUE(ToQueue(queue, &value));
  EXPECT_TRUE(IsFull(queue));
  int refused = 4;
  EXPECT_FALSE(ToQueue(queue, &refused));
  int value = 0;
  void* buffer = &value;
  ASSERT_TRUE(FromQueue(queue, buffer));
  EXPECT_EQ(value, 1);
  int source = 4;
  EXPECT_TRUE(ToQueue(queue, &source));  // past the last slot, into the first
  source = -1;                           // the queue holds a copy of its own
  EXPECT_TRUE(IsFull(queue));
  ASSERT_TRUE(FromQueue(queue, buffer));
  EXPECT_EQ(value, 2);
  source = 5;
  EXPECT_TRUE(ToQueue(queue, &source));
  EXPECT_EQ(TakeAll(queue), (std::vector<int>{3, 4, 5}));
  EXPECT_FALSE(FromQueue(queue, buffer));
  ToQueue(queue, &source);
  EmptyQueue(queue);
  EXPECT_TRUE(IsEmpty(queue));
  DeallocQueue(queue);
  EXPECT_EQ(queue, NilQueue());
}

TEST(QueueTest, CapacityIsBoundedByTheSlotLimit) {
  struct Case {
    int capacity;
    size_t elemSize;
    bool made;
  };
  for (const Case& c : std::vector<Case>{{1, 4, true},
                                         {kMaxQueueSlots - 1, 4, true},
                                         {kMaxQueueSlots, 4, false},
                                         {0, 4, false},
                                         {-5, 4, false},
                                         {10, 0, false}}) {
    QUEUE values = NilQueue(), refs = NilQueue();
    EXPECT_EQ(AllocQueue(values, c.capacity, c.elemSize), c.made) << c.capacity;
    EXPECT_EQ(values != NilQueue(), c.made);
    if (c.elemSize != 0) {
      EXPECT_EQ(AllocRefQueue(refs, c.capacity), c.made) << c.capacity;
    }
    if (c.made) {
      // A full queue holds exactly its capacity.
      int filled = 0;
      for (int value = 0; ToQueue(values, &value); ++value) ++filled;
      EXPECT_EQ(filled, c.capacity);
    }
    DeallocQueue(values);
    DeallocQueue(refs);
  }
}

TEST(QueueTest, MisuseStopsWithItsMessage) {
  QUEUE values = NilQueue(), refs = NilQueue();
  ASSERT_TRUE(AllocQueue(values, 2, sizeof(int)));
  ASSERT_TRUE(AllocRefQueue(refs, 2));
  int value = 7;
  ToQueue(values, &value);
  ToQueue(refs, &value);
  EXPECT_EQ(AssertionMessage([&] {
              void* none = nullptr;
              FromQueue(values, none);
            }),
            "NIL ElemPtr in FromQueue() called for non-ref queue");
  EXPECT_EQ(AssertionMessage([&] { FromCopyQueue(refs, &value); }), "FromQueueCopy() called for ref queue");
  // Neither took the entry.
  EXPECT_EQ(TakeAll(values), std::vector<int>{7});
  EXPECT_TRUE(IsRefQueue(refs));
  void* item = nullptr;
  EXPECT_TRUE(FromQueue(refs, item));
  EXPECT_EQ(item, &value);  // the caller's pointer, not a copy
  EXPECT_EQ(AssertionMessage([] { ToQueue(NilQueue(), nullptr); }), "ToQueue: NilQueue");
  DeallocQueue(values);
  DeallocQueue(refs);
}

// One producer and one consumer on a small queue: every entry arrives once,
// in order, with neither side ever blocked by the other.
TEST(QueueTest, ThreadsShareAQueueWithoutLoss) {
  constexpr int kCount = 20000;
  QUEUE queue = NilQueue();
  ASSERT_TRUE(AllocQueue(queue, 8, sizeof(int)));
  std::thread producer([&] {
    for (int value = 0; value < kCount;) {
      if (ToQueue(queue, &value))
        ++value;
      else
        std::this_thread::yield();
    }
  });
  std::vector<int> taken;
  int value = 0;
  while (static_cast<int>(taken.size()) < kCount) {
    if (FromCopyQueue(queue, &value))
      taken.push_back(value);
    else
      std::this_thread::yield();
  }
  producer.join();
  bool inOrder = true;
  for (int i = 0; i < kCount; ++i) inOrder = inOrder && taken[i] == i;
  EXPECT_TRUE(inOrder);
  DeallocQueue(queue);
}

}  // namespace
}  // namespace folioteer
