#include "editor/command_table.h"

#include <gtest/gtest.h>

#include "guide/syntax.h"

namespace folioteer {
namespace {

TEST(CommandTable, DefaultVersionIsNoughtAndTheDate) {
  EXPECT_EQ(VersionDefault(5, 3, 2026), "0.0 (5.3.2026)");
  EXPECT_EQ(DefaultCmdParams(AGCmdKind::Version).Strng->rfind("0.0 (", 0), 0u);
}

}  // namespace
}  // namespace folioteer
