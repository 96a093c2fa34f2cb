#include "support/assert.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "support/debug_output.h"
#include "test_util.h"

namespace folioteer {
namespace {

TEST(Assert, FailureCarriesMessageModuleAndLine) {
  int line = __LINE__ + 2;
  try {
    Assert(false, "ListAddition FAIL in AddGlobalCommand");
    FAIL() << "no exception";
  } catch (const AssertionFailure& failure) {
    EXPECT_EQ(failure.Message(), "ListAddition FAIL in AddGlobalCommand");
    EXPECT_EQ(failure.Module(), "assert_test.cpp");
    EXPECT_EQ(failure.Line(), line);
  }
}

TEST(Assert, OtherThreadReportsToDebugOutputInsteadOfThrowing) {
  testing::DebugCapture debug;
  SetProgramTask();
  bool threw = false;
  std::thread child([&] {
    try {
      Assert(false, "OpenTB FAIL");
    } catch (...) {
      threw = true;
    }
  });
  child.join();
  EXPECT_FALSE(threw);
  EXPECT_NE(debug.Text().find("OpenTB FAIL"), std::string::npos);
  EXPECT_THROW(Assert(false, "on the program task"), AssertionFailure);
}

TEST(DebugOutput, SilentUnlessSwitchedOn) {
  for (bool on : {false, true}) {
    on ? ::setenv("FOLIOTEER_DEBUG", "1", 1) : ::unsetenv("FOLIOTEER_DEBUG");
    ReloadDebugSetting();
    ::testing::internal::CaptureStderr();
    DebugPrint("MaxBlockOfAg exceeded");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), on ? "MaxBlockOfAg exceeded\n" : "");
  }
  ::unsetenv("FOLIOTEER_DEBUG");
  ReloadDebugSetting();
}

}  // namespace
}  // namespace folioteer
