#include "support/interface_slot.h"

#include <gtest/gtest.h>

#include "test_util.h"

namespace folioteer {
namespace {

struct Greeter {
  virtual ~Greeter() = default;
  virtual std::string Greeting() = 0;
};
struct Hello : Greeter {
  std::string Greeting() override { return "hello"; }
};

TEST(InterfaceSlot, UsingAnEmptySlotIsAnAssertion) {
  InterfaceSlot<Greeter> slot("No greeter installed");
  EXPECT_EQ(testing::AssertionMessage([&] { slot.Get(); }), "No greeter installed");
  Hello hello;
  slot.Install(&hello);
  EXPECT_EQ(slot.Get().Greeting(), "hello");
  slot.Install(nullptr);
  EXPECT_EQ(testing::AssertionMessage([&] { slot.Get(); }), "No greeter installed");
}

}  // namespace
}  // namespace folioteer
