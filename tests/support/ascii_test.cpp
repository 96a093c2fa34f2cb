#include "support/ascii.h"

#include <gtest/gtest.h>

namespace folioteer {
namespace {

// Only A-Z fold: the ISO-8859-1 capitals and the bytes next to the letters
// ('@' and '[' frame A-Z) stand for themselves.
TEST(Ascii, FoldsOnlyTheAsciiLetters) {
  EXPECT_EQ(AsciiLowered("@AZ[ az` \xC4\xD6"), "@az[ az` \xC4\xD6");
  EXPECT_TRUE(EqualsIgnoreCase("@NODE", "@node"));
  EXPECT_FALSE(EqualsIgnoreCase("\xC4", "\xE4"));
  EXPECT_FALSE(EqualsIgnoreCase("@", "`"));  // 0x40 and 0x60 differ by the case bit
  EXPECT_FALSE(EqualsIgnoreCase("abc", "ab"));
  EXPECT_TRUE(StartsWithIgnoreCase("progdir:x", "PROGDIR:"));
  EXPECT_FALSE(StartsWithIgnoreCase("PROG", "PROGDIR:"));
}

TEST(Ascii, ComparesFoldedBytesUnsigned) {
  struct Case {
    const char* a;
    const char* b;
    int order;
  };
  for (const Case& c : {Case{"Apple", "apple", 0}, Case{"apple", "Banana", -1}, Case{"ab", "AB", 0},
                        Case{"ab", "abc", -1}, Case{"\xE4", "z", 1}, Case{"_", "a", -1}}) {
    EXPECT_EQ(CompareIgnoreCase(c.a, c.b), c.order) << c.a << " " << c.b;
    EXPECT_EQ(CompareIgnoreCase(c.b, c.a), -c.order) << c.b << " " << c.a;
  }
}

}  // namespace
}  // namespace folioteer
