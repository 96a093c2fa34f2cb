#include "ui/queue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace folioteer {
namespace {

// Copies come back in order across the ring's end, exactly the capacity;
// a reference queue hands back the caller's pointer.
TEST(QueueTest, ValueQueueKeepsOrderAcrossTheRingsEnd) {
  QUEUE queue = NilQueue();
  ASSERT_TRUE(AllocQueue(queue, 3, sizeof(int)));
  for (int value : {1, 2, 3}) EXPECT_TRUE(ToQueue(queue, &value));
  int source = 4;
  EXPECT_FALSE(ToQueue(queue, &source));
  int value = 0;
  void* buffer = &value;
  ASSERT_TRUE(FromQueue(queue, buffer));
  EXPECT_EQ(value, 1);
  EXPECT_TRUE(ToQueue(queue, &source));  // past the last slot, into the first
  std::vector<int> taken;
  while (FromCopyQueue(queue, &value)) taken.push_back(value);
  EXPECT_EQ(taken, (std::vector<int>{2, 3, 4}));
  DeallocQueue(queue);
  EXPECT_EQ(queue, NilQueue());
  QUEUE refs = NilQueue();
  ASSERT_TRUE(AllocRefQueue(refs, 2));
  ToQueue(refs, &value);
  void* item = nullptr;
  EXPECT_TRUE(FromQueue(refs, item));
  EXPECT_EQ(item, &value);
  DeallocQueue(refs);
  EXPECT_FALSE(AllocQueue(queue, kMaxQueueSlots, sizeof(int)));
  EXPECT_EQ(queue, NilQueue());
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
