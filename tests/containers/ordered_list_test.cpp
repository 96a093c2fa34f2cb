#include "containers/ordered_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace folioteer {
namespace {

struct Rec {
  int key;
  int tag = 0;
};

int CompareRec(const void* stored, const void* key) {
  int a = static_cast<const Rec*>(stored)->key;
  int b = static_cast<const Rec*>(key)->key;
  return a < b ? -1 : (a > b ? 1 : 0);
}

std::vector<int> Forward(List list) {
  std::vector<int> keys;
  ListSetReadMode(list);
  for (Rec* rec = ListReadAs<Rec>(list); ListOpDone(list); rec = ListReadAs<Rec>(list))
    keys.push_back(rec->key * 100 + rec->tag);
  return keys;
}

std::vector<int> Backward(List list) {
  std::vector<int> keys;
  ListSetReadMode(list);
  ListEndset(list);
  void* item = nullptr;
  for (ListReadRev(list, item); ListOpDone(list); ListReadRev(list, item))
    keys.push_back(static_cast<Rec*>(item)->key * 100 + static_cast<Rec*>(item)->tag);
  return keys;
}

TEST(OrderedList, EmptyListsAndWalksPastTheEnds) {
  List list = NilList();
  ListCreate(list, CompareRec, Duplicates::Refused);
  ListSetReadMode(list);
  void* item = &item;
  ListRead(list, item);
  EXPECT_FALSE(ListOpDone(list));
  EXPECT_EQ(item, nullptr);

  Rec a{1}, b{2};
  ListSetWriteMode(list);
  ListAddition(list, &b);
  ListAddition(list, &a);
  ListSetReadMode(list);
  for (int i = 0; i < 4; ++i) ListRead(list, item);
  EXPECT_FALSE(ListOpDone(list));
  EXPECT_EQ(item, nullptr);
  ListReadRev(list, item);  // back from past the end: the last item
  EXPECT_EQ(item, &b);
  ListDestroy(list);
}

TEST(OrderedList, CursorFollowsOnListAndRef) {
  List list = NilList();
  ListCreate(list, CompareRec, Duplicates::Refused);
  std::vector<Rec> recs = {{10}, {20}, {30}};
  for (Rec& rec : recs) ListAddition(list, &rec);
  Rec dup{20, 1};
  ListAddition(list, &dup);
  EXPECT_FALSE(ListOpDone(list));
  ListSetReadMode(list);
  void* item = nullptr;
  Rec key{20};
  ASSERT_TRUE(OnList(list, &key, item));
  EXPECT_EQ(item, &recs[1]);
  Rec big{99};
  EXPECT_FALSE(OnList(list, &big, item));
  ListRead(list, item);  // the cursor stayed at the item found
  EXPECT_EQ(item, &recs[2]);
  ASSERT_TRUE(OnList(list, &key, item));
  ListReadRev(list, item);
  EXPECT_EQ(item, &recs[0]);

  ListSetWriteMode(list);
  void* old = nullptr;
  ListUpdate(list, &dup, old);
  EXPECT_EQ(old, &recs[1]);
  ListUpdate(list, &big, old);
  EXPECT_FALSE(ListOpDone(list));
  EXPECT_EQ(Forward(list), (std::vector<int>{1000, 2001, 3000}));
  ListDestroy(list);
}

TEST(OrderedList, DuplicatesGoBeforeTheirEquals) {
  List list = NilList();
  ListCreate(list, CompareRec, Duplicates::Allowed);
  Rec a{5, 1}, b{5, 2}, c{3}, d{5, 3};
  for (Rec* rec : {&a, &b, &c, &d}) ListAddition(list, rec);
  EXPECT_EQ(Forward(list), (std::vector<int>{300, 503, 502, 501}));
  ListSetWriteMode(list);
  ListDeletion(list, &a);  // the first equal one goes
  EXPECT_EQ(Forward(list), (std::vector<int>{300, 502, 501}));
  ListDestroy(list);
}

// The chain and the index must agree after any mix of changes: compare with
// a plain sorted vector over random additions and deletions.
TEST(OrderedList, StaysInOrderUnderRandomChanges) {
  std::mt19937 random(42);
  std::vector<Rec> pool(500);
  for (int i = 0; i < 500; ++i) pool[i] = Rec{i};
  List list = NilList();
  ListCreate(list, CompareRec, Duplicates::Refused);
  std::vector<int> model;
  for (int step = 0; step < 5000; ++step) {
    Rec& rec = pool[random() % pool.size()];
    bool present = std::binary_search(model.begin(), model.end(), rec.key * 100);
    if (random() % 2) {
      ListAddition(list, &rec);
      EXPECT_EQ(ListOpDone(list), !present);
      if (!present) model.insert(std::lower_bound(model.begin(), model.end(), rec.key * 100), rec.key * 100);
    } else {
      ListDeletion(list, &rec);
      EXPECT_EQ(ListOpDone(list), present);
      if (present) model.erase(std::lower_bound(model.begin(), model.end(), rec.key * 100));
    }
    if (step % 500 == 0) {
      EXPECT_EQ(Forward(list), model);
      std::vector<int> reversed(model.rbegin(), model.rend());
      EXPECT_EQ(Backward(list), reversed);
      ListSetWriteMode(list);
    }
  }
  ListDestroy(list);
}

}  // namespace
}  // namespace folioteer
