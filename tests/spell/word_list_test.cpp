#include "spell/word_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace folioteer {
namespace {

TEST(WordList, LowerCasingKeepsEachEncodingIntact) {
  for (auto [word, lowered] : std::vector<std::pair<std::string, std::string>>{
           {"MiXeD", "mixed"},
           {"lower", "lower"},
           {"\xc0\xc9\xd7\xde\xdf", "\xe0\xe9\xd7\xfe\xdf"},  // ISO-8859-1; the sign x stays
           {"\xc3\x80\xc3\x89\xc3\x97\xc3\x9e", "\xc3\xa0\xc3\xa9\xc3\x97\xc3\xbe"},  // UTF-8
           {"\xce\xa9\xc3\x84X", "\xce\xa9\xc3\xa4x"},  // Greek Omega is left alone
           {"A\xc3(", "a\xe3("},                        // not UTF-8: ISO-8859-1
       }) {
    std::string text = word;
    EXPECT_EQ(LowerCaseWord(text), word != lowered);
    EXPECT_EQ(text, lowered);
  }
}

}  // namespace
}  // namespace folioteer
