#include "spell/word_list.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "test_util.h"

namespace folioteer {
namespace {

using testing::TempDir;
using testing::WriteFile;

struct ProgressCall {
  SpellProgress op;
  uint32_t number;
};
std::vector<ProgressCall> progressCalls;

void RecordProgress(SpellProgress op, uint32_t number) { progressCalls.push_back({op, number}); }

// Reads the file into a fresh table; returns the number of entries added.
uint32_t ReadFileIntoTable(const std::string& path, SpellProgressProc progress, HashTable& words) {
  bool tooBig = false;
  words = CreateHT(1000, 4, DynStrHashFunc, DynStrCmpFunc, tooBig);
  Channel chan;
  EXPECT_EQ(OpenInput(chan, path), kOpened);
  uint32_t added = ReadWordList(chan, path, words, progress);
  CloseChannel(chan);
  return added;
}

TEST(WordList, EntriesLoseLeadingBlanksAndTrailingSpaces) {
  struct Case {
    const char* line;
    const char* entry;
  };
  for (Case c : {Case{"word", "word"}, Case{"  word   ", "word"}, Case{"\t \tword", "word"},
                 Case{"two words ", "two words"}, Case{"word\t", "word\t"}, Case{"   ", ""},
                 Case{"\t", ""}})
    EXPECT_EQ(FormEntry(c.line), c.entry) << '"' << c.line << '"';
}

TEST(WordList, LowerCasingKeepsEachEncodingIntact) {
  struct Case {
    std::string word;
    std::string lowered;
  };
  for (const Case& c : std::vector<Case>{
           {"MiXeD", "mixed"},
           {"lower", "lower"},
           {"\xc0\xc9\xd7\xde\xdf", "\xe0\xe9\xd7\xfe\xdf"},  // ISO-8859-1; the sign x stays
           {"\xc3\x80\xc3\x89\xc3\x97\xc3\x9e", "\xc3\xa0\xc3\xa9\xc3\x97\xc3\xbe"},  // UTF-8
           {"\xce\xa9\xc3\x84X", "\xce\xa9\xc3\xa4x"},  // Greek Omega is left alone
           {"\xc3", "\xe3"},                            // not UTF-8: ISO-8859-1
           {"A\xc3(", "a\xe3("},
       }) {
    std::string word = c.word;
    EXPECT_EQ(LowerCaseWord(word), c.word != c.lowered);
    EXPECT_EQ(word, c.lowered);
  }
}

TEST(WordList, ProgressStartsAtOneHundredThousandBytesAndCountsEveryByte) {
  TempDir dir;
  std::string text;
  uint32_t lines = 0;
  for (int i = 0; text.size() < 100000 - 20; ++i, ++lines) {
    text += "word" + std::to_string(i % 9000) + "\n";
    if (i % 50 == 0) text += "\n\n";
  }
  text += std::string(100000 - text.size() - 1, 'z') + "\n";
  ++lines;
  ASSERT_EQ(text.size(), 100000u);
  WriteFile(dir.File("large"), text);
  WriteFile(dir.File("small"), text.substr(1));

  HashTable words = NilHashTable();
  progressCalls.clear();
  uint32_t added = ReadFileIntoTable(dir.File("large"), RecordProgress, words);
  uint32_t stats[4];
  HashTableStats(words, stats[0], stats[1], stats[2], stats[3]);
  EXPECT_EQ(added, stats[1]);
  EXPECT_EQ(added, 9001u);  // repeated lines are held once
  FreeWords(words);
  EXPECT_EQ(words, NilHashTable());

  ASSERT_EQ(progressCalls.size(), lines + 2);
  EXPECT_EQ(progressCalls.front().op, SpellProgress::Start);
  EXPECT_EQ(progressCalls.front().number, 100000u);
  EXPECT_EQ(progressCalls.back().op, SpellProgress::Finished);
  EXPECT_EQ(progressCalls.back().number, 0u);
  uint32_t consumed = 0;
  for (size_t i = 1; i + 1 < progressCalls.size(); ++i) {
    EXPECT_EQ(progressCalls[i].op, SpellProgress::Advance);
    consumed += progressCalls[i].number;
  }
  EXPECT_EQ(consumed, 100000u);

  progressCalls.clear();
  ReadFileIntoTable(dir.File("small"), RecordProgress, words);
  FreeWords(words);
  EXPECT_TRUE(progressCalls.empty());
}

TEST(WordList, AppendingCreatesTheFolderOnlyWhenAsked) {
  TempDir dir;
  std::string path = dir.File("deep/er/User.wordlist");
  EXPECT_FALSE(AppendToWordList(path, "one", MissingFolder::Refuse));
  EXPECT_TRUE(AppendToWordList(path, "one", MissingFolder::Create));
  EXPECT_TRUE(AppendToWordList(path, "two", MissingFolder::Refuse));
  EXPECT_EQ(testing::ReadFile(path), "one\ntwo\n");
}

}  // namespace
}  // namespace folioteer
