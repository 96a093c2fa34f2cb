#include "spell/word_list.h"

#include <gtest/gtest.h>

#include "test_util.h"

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

std::vector<std::pair<SpellProgress, uint32_t>> progressCalls;
void RecordProgress(SpellProgress op, uint32_t number) { progressCalls.emplace_back(op, number); }

// Reads the file into a table; the progress calls made meanwhile.
std::vector<std::pair<SpellProgress, uint32_t>> ProgressOfReading(const std::string& path) {
  bool tooBig = false;
  HashTable words = CreateHT(1000, 4, DynStrHashFunc, DynStrCmpFunc, tooBig);
  WordStore store;
  Channel chan;
  EXPECT_EQ(OpenInput(chan, path), kOpened);
  progressCalls.clear();
  EXPECT_EQ(ReadWordList(chan, path, words, store, RecordProgress), 9001u);  // repeats held once
  CloseChannel(chan);
  DestroyHT(words);
  return progressCalls;
}

TEST(WordList, ProgressStartsAtOneHundredThousandBytesAndCountsEveryByte) {
  testing::TempDir dir;
  std::string text;
  for (int i = 0; text.size() < 99980; ++i)
    text += (i % 50 ? "word" : "\n\nword") + std::to_string(i % 9000) + "\n";
  text += std::string(100000 - text.size() - 1, 'z') + "\n";
  testing::WriteFile(dir.File("large"), text);
  testing::WriteFile(dir.File("small"), text.substr(1));
  EXPECT_TRUE(ProgressOfReading(dir.File("small")).empty());
  auto calls = ProgressOfReading(dir.File("large"));
  ASSERT_GT(calls.size(), 9000u);
  EXPECT_EQ(calls.front(), std::pair(SpellProgress::Start, 100000u));
  EXPECT_EQ(calls.back(), std::pair(SpellProgress::Finished, 0u));
  uint32_t consumed = 0;
  for (size_t i = 1; i + 1 < calls.size(); ++i) consumed += calls[i].second;
  EXPECT_EQ(consumed, 100000u);
}

}  // namespace
}  // namespace folioteer
