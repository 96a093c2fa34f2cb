#include "editor/command_table.h"

#include <gtest/gtest.h>

#include "guide/syntax.h"

namespace folioteer {
namespace {

// Every command's name is matched by the cases, which run them by name.
// The reading of a line is ArgTemplate's; here the values land in the
// typed parameters.
TEST(CommandTable, ArgumentLinesFillTheTypedParameters) {
  const char* title = "NodeName/K,NodePos/K/N,On/S,NodeTitle/A/F";
  ParamsArray params;
  AllocParamsArray(title, params);
  ASSERT_TRUE(GetParams("NodePos 2 On NodeTitle A new title", title, params));
  EXPECT_FALSE(params[0].present);
  EXPECT_EQ(params[1].ptype, ParamType::Number);
  EXPECT_EQ(params[1].numberValue, 2);
  EXPECT_TRUE(params[2].present && params[2].switchValue);
  EXPECT_EQ(params[3].stringValue, "A new title");
  EXPECT_FALSE(GetParams("NodePos x", title, params));
  DisposeParamsArray(title, params);
  EXPECT_TRUE(params.empty());
}

TEST(CommandTable, DefaultVersionIsNoughtAndTheDate) {
  EXPECT_EQ(VersionDefault(5, 3, 2026), "0.0 (5.3.2026)");
  EXPECT_EQ(DefaultCmdParams(AGCmdKind::Version).Strng->rfind("0.0 (", 0), 0u);
}

}  // namespace
}  // namespace folioteer
