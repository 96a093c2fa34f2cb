#include "support/ascii.h"

#include <gtest/gtest.h>

namespace folioteer {
namespace {

// Only A-Z fold: the ISO-8859-1 capitals and the bytes next to the letters
// ('@' and '[' frame A-Z, '`' differs from '@' by the case bit) stand for
// themselves; bytes compare unsigned.
TEST(Ascii, FoldsOnlyTheAsciiLettersAndComparesUnsigned) {
  EXPECT_EQ(AsciiLowered("@AZ[ az` \xC4\xD6"), "@az[ az` \xC4\xD6");
  EXPECT_FALSE(EqualsIgnoreCase("\xC4", "\xE4"));
  EXPECT_FALSE(EqualsIgnoreCase("@", "`"));
  EXPECT_FALSE(StartsWithIgnoreCase("PROG", "PROGDIR:"));
  for (auto [a, b, order] : {std::tuple{"Apple", "apple", 0},
                             {"apple", "Banana", -1},
                             {"ab", "abc", -1},
                             {"\xE4", "z", 1},
                             {"_", "a", -1}}) {
    EXPECT_EQ(CompareIgnoreCase(a, b), order) << a << " " << b;
    EXPECT_EQ(CompareIgnoreCase(b, a), -order) << b << " " << a;
  }
}

}  // namespace
}  // namespace folioteer
