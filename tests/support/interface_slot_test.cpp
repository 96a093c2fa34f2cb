#include "support/interface_slot.h"

#include <gtest/gtest.h>

#include "test_util.h"

namespace folioteer {
namespace {

struct Greeter {
  virtual ~Greeter() = default;
};

TEST(InterfaceSlot, UsingAnEmptySlotIsAnAssertion) {
  InterfaceSlot<Greeter> slot("No greeter installed");
  Greeter greeter;
  slot.Install(&greeter);
  EXPECT_EQ(&slot.Get(), &greeter);
  slot.Install(nullptr);
  EXPECT_EQ(testing::AssertionMessage([&] { slot.Get(); }), "No greeter installed");
}

}  // namespace
}  // namespace folioteer
