#include "spell/dictionary.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <deque>
#include <filesystem>

#include "support/assert.h"
#include "support/platform_paths.h"
#include "support/requesters.h"
#include "test_util.h"

namespace folioteer {
namespace {

using testing::ReadFile;
using testing::WriteFile;
using Texts = std::vector<std::string>;

const std::string kNoDictionary = "SpellChk: Unable to open Spell Dictionary wordfile";
const std::string kNoUserList = "SpellChk: Unable to open User spell wordfile";
const std::string kAddFailed = "Add to user dict FAIL";
constexpr uint64_t kMiB = 1024 * 1024;

struct RecordingRequesters : HeadlessRequesters {
  void Warning(std::string_view message) override { warnings.emplace_back(message); }
  Texts warnings;
};

// The dictionary is one per process: every test starts and ends closed, with
// the word lists in its own scratch directory.
class DictionaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallRequesters(&requesters);
    ::setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);
    ::unsetenv(kDictionaryVariable);
    ::unsetenv(kUserListVariable);
  }
  void TearDown() override {
    for (SpellChkHandle& handle : handles) DetachSpellChk(handle);
    EXPECT_TRUE(AttemptCloseSpellChk());
    for (const char* variable : {kDictionaryVariable, kUserListVariable, "XDG_DATA_HOME"})
      ::unsetenv(variable);
    PretendMachineMemory(std::nullopt);
    SetProgramDirectory("");
    InstallRequesters(nullptr);
  }
  // Writes both lists and points the variables at them.
  void UseLists(const std::string& dictionaryText, const std::string& userText = "") {
    WriteFile(dictionaryPath, dictionaryText);
    WriteFile(userPath, userText);
    ::setenv(kDictionaryVariable, dictionaryPath.c_str(), 1);
    ::setenv(kUserListVariable, userPath.c_str(), 1);
  }
  SpellChkHandle& Attach(uint8_t options = 0) { return handles.emplace_back(AttachSpellChk(options)); }
  void CloseDictionary() {
    for (SpellChkHandle& handle : handles) DetachSpellChk(handle);
    ASSERT_TRUE(AttemptCloseSpellChk());
  }
  Texts Rejected(SpellChkHandle handle, const Texts& words) {
    Texts rejected;
    for (const std::string& word : words)
      if (!ChkSpell(handle, word)) rejected.push_back(word);
    return rejected;
  }

  testing::TempDir dir;
  std::string dictionaryPath = dir.File("Dictionary.wordlist"), userPath = dir.File("User.wordlist");
  RecordingRequesters requesters;
  std::deque<SpellChkHandle> handles;
};

TEST_F(DictionaryTest, WordsMatchAsWrittenOrInLowerCase) {
  UseLists("the\n\nParis\n\n   \n  spaced   \n\tTabbed\n5th\n", "Zeta\n");
  Texts words = {"the",  "THE",  "Paris", "spaced", "Tabbed", "Zeta", "paris", "  spaced",
                 "zeta", "thee", "1,000", "x",      "",       "5th",  "4th"};
  EXPECT_EQ(Rejected(Attach(), words), (Texts{"paris", "  spaced", "zeta", "thee", "4th"}));
  EXPECT_EQ(Rejected(Attach(kSpellExactCase), words),
            (Texts{"THE", "paris", "  spaced", "zeta", "thee", "4th"}));
  EXPECT_EQ(Rejected(Attach(kSpellDigitWords), {"4th", "x86-64", "1,000", "paris"}), Texts{"paris"});
  EXPECT_TRUE(requesters.warnings.empty());
}

// Regression: a-grave in UTF-8 is one character of two bytes; not UTF-8 counts bytes.
TEST_F(DictionaryTest, OneCharacterIsAcceptableInAnyEncoding) {
  UseLists("the\n");
  Texts words = {"\xc3\xa0", "\xe2\x82\xac", "\xf0\x9f\x98\x80", "\xe0", "\xc3\xa0\xc3\xa9",
                 "\xe0\xe9", "\xc3",         "\xc3\xa0\xc3"};
  EXPECT_EQ(Rejected(Attach(), words), (Texts{"\xc3\xa0\xc3\xa9", "\xe0\xe9", "\xc3\xa0\xc3"}));
}

TEST_F(DictionaryTest, VariablesChooseTheListsWhileTheDictionaryIsClosed) {
  std::string path, userList;
  ::setenv(kDictionaryVariable, "", 1);  // empty: the default
  GetActiveWordlistName(path);
  EXPECT_EQ(path, ProgramDataFile("Dictionary.wordlist"));
  UseLists("one\n");
  ASSERT_TRUE(AttemptOpenSpellChk(nullptr));
  ::setenv(kDictionaryVariable, "/elsewhere/words", 1);
  GetActiveWordlistName(path);
  GetActiveUserWrdLstName(userList);
  EXPECT_EQ(std::pair(path, userList), std::pair(dictionaryPath, userPath));
  CloseDictionary();
  GetActiveWordlistName(path);
  EXPECT_EQ(path, "/elsewhere/words");
}

TEST_F(DictionaryTest, TooLittleMemoryNeverOpensTheDictionary) {
  UseLists("word\n");
  PretendMachineMemory(20 * kMiB - 1);
  EXPECT_FALSE(AttemptOpenSpellChk(nullptr));
  EXPECT_EQ(AttachSpellChk(0), InvalidSpellChkHandle());
  EXPECT_FALSE(IsOpenSpellChk());
  PretendMachineMemory(20 * kMiB);
  EXPECT_TRUE(ChkSpell(Attach(), "Word"));
  PretendMachineMemory(std::nullopt);
  EXPECT_GT(MachineMemory(), 20 * kMiB);
  for (auto [memory, slots] : {std::pair{100 * kMiB - 1, 100000u}, {100 * kMiB, 300000u}})
    EXPECT_EQ(DictionaryTableSize(memory), slots) << memory;
}

TEST_F(DictionaryTest, MissingListsAreReported) {
  ::setenv(kDictionaryVariable, dictionaryPath.c_str(), 1);
  ::setenv(kUserListVariable, userPath.c_str(), 1);
  EXPECT_FALSE(AttemptOpenSpellChk(nullptr));
  ::setenv(kDictionaryVariable, dir.Path().c_str(), 1);  // a directory is no word list
  EXPECT_EQ(AttachSpellChk(0), InvalidSpellChkHandle());
  EXPECT_FALSE(IsOpenSpellChk());
  EXPECT_EQ(requesters.warnings, (Texts{kNoDictionary, kNoDictionary}));
  // A user list named by the variable must be there; checking goes on without it.
  WriteFile(dictionaryPath, "alpha\n");
  ::setenv(kDictionaryVariable, dictionaryPath.c_str(), 1);
  EXPECT_TRUE(ChkSpell(Attach(), "Alpha"));
  EXPECT_EQ(requesters.warnings, (Texts{kNoDictionary, kNoDictionary, kNoUserList}));
}

TEST_F(DictionaryTest, AddedWordsAreKeptForTheRunOrAppendedOnce) {
  UseLists("cat\n", "dog");  // the last line lacks its line end
  AddWrd(Attach(), "Foo", 0);
  for (const char* word : {"Bar", "bar", "BAR", "cat", "  Qux   ", "    "})
    AddWrd(handles[0], word, kSpellToUserList);
  AddWrd(handles[0], "Baz", kSpellExactCase | kSpellToUserList);
  EXPECT_EQ(ReadFile(userPath), "dog\nbar\nqux\nBaz\n");
  EXPECT_EQ(Rejected(handles[0], {"foo", "FOO", "bar", "Baz", "baz"}), Texts{"baz"});
  CloseDictionary();
  EXPECT_EQ(Rejected(Attach(), {"dog", "bar", "qux", "Baz", "foo"}), Texts{"foo"});
  EXPECT_TRUE(requesters.warnings.empty());
}

// Tests run as root, which writes anywhere; a regular file where a folder
// should be stops even root.
TEST_F(DictionaryTest, UnwritableUserListWarnsAndTheWordStaysKnown) {
  UseLists("cat\n");
  WriteFile(dir.File("blocker"), "a file, not a folder\n");
  ::setenv(kUserListVariable, dir.File("blocker/User.wordlist").c_str(), 1);
  AddWrd(Attach(), "first", kSpellToUserList);
  EXPECT_TRUE(ChkSpell(handles[0], "first"));
  CloseDictionary();
  ::unsetenv(kUserListVariable);  // the per-user default, below the file
  ::setenv("XDG_DATA_HOME", dir.File("blocker").c_str(), 1);
  AddWrd(Attach(), "second", kSpellToUserList);
  EXPECT_TRUE(ChkSpell(handles[1], "second"));
  CloseDictionary();
  ::setenv(kUserListVariable, userPath.c_str(), 1);
  SimulateWriteFailure(0, ENOSPC);
  AddWrd(Attach(), "third", kSpellToUserList);
  SimulateWriteFailure(-1, 0);
  EXPECT_TRUE(ChkSpell(handles[2], "third"));
  EXPECT_EQ(requesters.warnings, (Texts{kNoUserList, kAddFailed, kAddFailed, kAddFailed}));
}

TEST_F(DictionaryTest, AddingWithoutADictionaryStillKeepsTheWordForTheUserList) {
  UseLists("");
  std::filesystem::remove(dictionaryPath);
  AddWrd(InvalidSpellChkHandle(), "Lonely", kSpellToUserList);
  EXPECT_FALSE(IsOpenSpellChk());
  EXPECT_EQ(ReadFile(userPath), "lonely\n");
  EXPECT_EQ(requesters.warnings, Texts{kNoDictionary});
  WriteFile(dictionaryPath, "cat\n");
  AddWrd(InvalidSpellChkHandle(), "Tame", 0);  // opens the dictionary as checking would
  EXPECT_EQ(Rejected(Attach(), {"tame", "lonely", "cat"}), Texts{});
}

TEST_F(DictionaryTest, CloseWaitsUntilEveryHandleIsDetached) {
  UseLists("cat\n");
  SpellChkHandle &first = Attach(), &second = Attach(kSpellExactCase), none = InvalidSpellChkHandle();
  EXPECT_FALSE(AttemptCloseSpellChk());
  DetachSpellChk(first);
  DetachSpellChk(first);  // leaves the count alone
  DetachSpellChk(none);
  EXPECT_FALSE(AttemptCloseSpellChk());
  DetachSpellChk(second);
  EXPECT_TRUE(AttemptCloseSpellChk());
  EXPECT_EQ(testing::AssertionMessage([&] { ChkSpell(first, "cat"); }), "ChkSpell: Bad Handle");
}

TEST_F(DictionaryTest, AwkwardListsLoadWhole) {
  std::string longLine(1 << 20, 'm'), nul("nul\0byte", 8);
  UseLists("before\n" + longLine + "\nafter\r\nwindows\r\n\r\n" + nul + "\ncaf\xe9\n\xc3\xa9t\xc3\xa9\nlast");
  EXPECT_EQ(Rejected(Attach(), {"before", longLine, "after", "windows", nul, "last", "windows\r", "nul",
                                "CAF\xc9", "\xc3\x89T\xc3\x89", "CAF\xc3\x89"}),
            (Texts{"windows\r", "nul", "CAF\xc3\x89"}));  // each encoding is lowered in its own way
  AddWrd(handles[0], "\xc3\x96L", kSpellToUserList);
  EXPECT_EQ(ReadFile(userPath), "\xc3\xb6l\n");
}

}  // namespace
}  // namespace folioteer
