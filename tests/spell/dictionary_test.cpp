#include "spell/dictionary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <regex>

#include "support/assert.h"
#include "support/platform_paths.h"
#include "support/requesters.h"
#include "test_util.h"

namespace folioteer {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr const char* kNoDictionary = "SpellChk: Unable to open Spell Dictionary wordfile";
constexpr const char* kNoUserList = "SpellChk: Unable to open User spell wordfile";
constexpr const char* kAddFailed = "Add to user dict FAIL";

class RecordingRequesters : public HeadlessRequesters {
 public:
  void Warning(std::string_view message) override { warnings.emplace_back(message); }
  std::vector<std::string> warnings;
};

// The dictionary is one per process: every test starts and ends closed, with
// the word list variables pointing into its own scratch directory.
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
    EXPECT_FALSE(IsOpenSpellChk());
    ::unsetenv(kDictionaryVariable);
    ::unsetenv(kUserListVariable);
    ::unsetenv("XDG_DATA_HOME");
    PretendMachineMemory(std::nullopt);
    SimulateWriteFailure(-1, 0);
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

  SpellChkHandle& Attach(uint8_t options) {
    handles.push_back(AttachSpellChk(options));
    return handles.back();
  }

  void Reopen() {
    ASSERT_TRUE(AttemptCloseSpellChk());
    ASSERT_TRUE(AttemptOpenSpellChk(nullptr));
  }

  TempDir dir;
  std::string dictionaryPath = dir.File("Dictionary.wordlist");
  std::string userPath = dir.File("User.wordlist");
  RecordingRequesters requesters;
  std::deque<SpellChkHandle> handles;
};

TEST_F(DictionaryTest, WordsMatchAsWrittenOrInLowerCase) {
  UseLists("the\n\nParis\n\n   \n  spaced   \n\tTabbed\n", "Zeta\n");
  SpellChkHandle handle = Attach(0);
  ASSERT_NE(handle, InvalidSpellChkHandle());
  for (const char* word : {"the", "The", "THE", "Paris", "spaced", "Tabbed", "Zeta"})
    EXPECT_TRUE(ChkSpell(handle, word)) << word;
  for (const char* word : {"paris", "PARIS", "  spaced", "tabbed", "zeta", "thee"})
    EXPECT_FALSE(ChkSpell(handle, word)) << word;

  SpellChkHandle exact = Attach(kSpellExactCase);
  EXPECT_TRUE(ChkSpell(exact, "the"));
  EXPECT_FALSE(ChkSpell(exact, "The"));
  EXPECT_TRUE(requesters.warnings.empty());
}

TEST_F(DictionaryTest, NumbersShortWordsAndDigitWords) {
  UseLists("5th\n");
  for (uint8_t options = 0; options < 4; ++options) {
    SpellChkHandle handle = Attach(options);
    for (const char* word : {"42", "3.14", "1,000", "..", "x", "Q", "", "5th"})
      EXPECT_TRUE(ChkSpell(handle, word)) << word << " options " << int(options);
    EXPECT_EQ(ChkSpell(handle, "4th"), (options & kSpellDigitWords) != 0) << int(options);
    EXPECT_EQ(ChkSpell(handle, "x86-64"), (options & kSpellDigitWords) != 0) << int(options);
  }
}

TEST_F(DictionaryTest, VariablesChooseTheListsWhileClosedOnly) {
  UseLists("one\n");
  std::string path;
  GetActiveWordlistName(path);
  EXPECT_EQ(path, dictionaryPath);
  GetActiveUserWrdLstName(path);
  EXPECT_EQ(path, userPath);

  ::setenv(kDictionaryVariable, "", 1);
  ::setenv(kUserListVariable, "", 1);
  GetActiveWordlistName(path);
  EXPECT_EQ(path, ProgramDataFile("Dictionary.wordlist"));
  GetActiveUserWrdLstName(path);
  EXPECT_EQ(path, dir.File("data/Folioteer/User.wordlist"));
  ::unsetenv("XDG_DATA_HOME");
  GetActiveUserWrdLstName(path);
  EXPECT_EQ(path, std::string(std::getenv("HOME")) + "/.local/share/Folioteer/User.wordlist");

  UseLists("one\n");
  ASSERT_TRUE(AttemptOpenSpellChk(nullptr));
  ::setenv(kDictionaryVariable, "/elsewhere/words", 1);
  GetActiveWordlistName(path);
  EXPECT_EQ(path, dictionaryPath);
  ASSERT_TRUE(AttemptCloseSpellChk());
  GetActiveWordlistName(path);
  EXPECT_EQ(path, "/elsewhere/words");
}

TEST_F(DictionaryTest, DefaultDictionaryIsTheListTheBuildPutsBesideThePrograms) {
  SetProgramDirectory(std::string(FOLIOTEER_BINARY_DIR) + "/bin");
  ASSERT_TRUE(AttemptOpenSpellChk(nullptr));
  std::string path;
  GetActiveWordlistName(path);
  EXPECT_EQ(path, std::string(FOLIOTEER_BINARY_DIR) + "/bin/Dictionary.wordlist");
  SpellChkHandle handle = Attach(0);
  EXPECT_TRUE(ChkSpell(handle, "House"));
  EXPECT_FALSE(ChkSpell(handle, "Hosue"));
  // The per-user list does not exist yet; that is no reason for a warning.
  EXPECT_TRUE(requesters.warnings.empty());
}

TEST_F(DictionaryTest, TooLittleMemoryNeverOpensTheDictionary) {
  UseLists("word\n");
  PretendMachineMemory(20 * 1024 * 1024 - 1);
  EXPECT_FALSE(AttemptOpenSpellChk(nullptr));
  EXPECT_EQ(AttachSpellChk(0), InvalidSpellChkHandle());
  EXPECT_FALSE(IsOpenSpellChk());
  EXPECT_TRUE(requesters.warnings.empty());

  PretendMachineMemory(20 * 1024 * 1024);
  EXPECT_EQ(MachineMemory(), 20u * 1024 * 1024);
  EXPECT_TRUE(AttemptOpenSpellChk(nullptr));
  EXPECT_TRUE(ChkSpell(Attach(0), "word"));

  PretendMachineMemory(std::nullopt);
  EXPECT_GT(MachineMemory(), 20u * 1024 * 1024);
}

TEST(DictionaryTableSize, FollowsTheMachinesMemory) {
  constexpr uint64_t kMiB = 1024 * 1024;
  struct Case {
    uint64_t memory;
    uint32_t slots;
  };
  for (Case c : {Case{0, 0}, Case{20 * kMiB - 1, 0}, Case{20 * kMiB, 100000},
                 Case{100 * kMiB - 1, 100000}, Case{100 * kMiB, 300000},
                 Case{500 * kMiB - 1, 300000}, Case{500 * kMiB, 500000}, Case{64 * 1024 * kMiB, 500000}})
    EXPECT_EQ(DictionaryTableSize(c.memory), c.slots) << c.memory;
}

TEST_F(DictionaryTest, MissingListsAreReported) {
  ::setenv(kDictionaryVariable, dictionaryPath.c_str(), 1);
  ::setenv(kUserListVariable, userPath.c_str(), 1);
  EXPECT_FALSE(AttemptOpenSpellChk(nullptr));
  EXPECT_EQ(AttachSpellChk(0), InvalidSpellChkHandle());
  EXPECT_FALSE(IsOpenSpellChk());
  EXPECT_EQ(requesters.warnings, (std::vector<std::string>{kNoDictionary, kNoDictionary}));

  requesters.warnings.clear();
  ::setenv(kDictionaryVariable, dir.Path().c_str(), 1);  // a directory is no word list
  EXPECT_FALSE(AttemptOpenSpellChk(nullptr));
  EXPECT_EQ(requesters.warnings, (std::vector<std::string>{kNoDictionary}));

  // A user list named by the variable must be there; checking goes on without it.
  requesters.warnings.clear();
  WriteFile(dictionaryPath, "alpha\n");
  ::setenv(kDictionaryVariable, dictionaryPath.c_str(), 1);
  EXPECT_TRUE(AttemptOpenSpellChk(nullptr));
  EXPECT_EQ(requesters.warnings, (std::vector<std::string>{kNoUserList}));
  EXPECT_TRUE(ChkSpell(Attach(0), "Alpha"));
}

std::vector<SpellProgress> progressOps;
void RecordProgress(SpellProgress op, uint32_t /*number*/) { progressOps.push_back(op); }

TEST_F(DictionaryTest, OnlyTheDictionaryListReportsLoadingProgress) {
  std::string large;
  while (large.size() < 120000) large += "entry" + std::to_string(large.size()) + "\n";
  UseLists(large, large);
  progressOps.clear();
  ASSERT_TRUE(AttemptOpenSpellChk(RecordProgress));
  ASSERT_GT(progressOps.size(), 2u);
  EXPECT_EQ(std::count(progressOps.begin(), progressOps.end(), SpellProgress::Start), 1);
  EXPECT_EQ(std::count(progressOps.begin(), progressOps.end(), SpellProgress::Finished), 1);
  size_t calls = progressOps.size();
  EXPECT_TRUE(AttemptOpenSpellChk(RecordProgress));  // already open: nothing loaded again
  EXPECT_EQ(progressOps.size(), calls);
}

TEST_F(DictionaryTest, AddedWordsAreKeptForTheRunOrAppendedOnce) {
  UseLists("cat\n", "dog\n");
  SpellChkHandle handle = Attach(0);
  AddWrd(handle, "Foo", 0);
  EXPECT_TRUE(ChkSpell(handle, "foo"));
  EXPECT_TRUE(ChkSpell(handle, "FOO"));
  AddWrd(handle, "Bar", kSpellToUserList);
  AddWrd(handle, "bar", kSpellToUserList);
  AddWrd(handle, "BAR", kSpellToUserList);
  AddWrd(handle, "cat", kSpellToUserList);
  AddWrd(handle, "Baz", kSpellExactCase | kSpellToUserList);
  AddWrd(handle, "  Qux   ", kSpellToUserList);
  AddWrd(handle, "    ", kSpellToUserList);
  EXPECT_EQ(ReadFile(userPath), "dog\nbar\nBaz\nqux\n");
  EXPECT_TRUE(ChkSpell(handle, "Baz"));
  EXPECT_FALSE(ChkSpell(handle, "baz"));
  EXPECT_TRUE(requesters.warnings.empty());

  DetachSpellChk(handles.back());
  Reopen();
  handle = Attach(0);
  for (const char* word : {"bar", "Baz", "qux", "dog", "cat"}) EXPECT_TRUE(ChkSpell(handle, word)) << word;
  EXPECT_FALSE(ChkSpell(handle, "foo"));
}

TEST_F(DictionaryTest, AppendingEndsAnUnfinishedLastLineFirst) {
  UseLists("cat\n", "alpha");
  AddWrd(Attach(0), "beta", kSpellToUserList);
  EXPECT_EQ(ReadFile(userPath), "alpha\nbeta\n");
  DetachSpellChk(handles.back());
  Reopen();
  EXPECT_TRUE(ChkSpell(Attach(kSpellExactCase), "alpha"));
  EXPECT_TRUE(ChkSpell(handles.back(), "beta"));
}

TEST_F(DictionaryTest, DefaultUserListIsMadeOnTheFirstAddition) {
  UseLists("cat\n");
  ::unsetenv(kUserListVariable);
  ASSERT_TRUE(AttemptOpenSpellChk(nullptr));
  EXPECT_TRUE(requesters.warnings.empty());
  AddWrd(InvalidSpellChkHandle(), "Zyzzyva", kSpellToUserList);
  EXPECT_EQ(ReadFile(dir.File("data/Folioteer/User.wordlist")), "zyzzyva\n");
  Reopen();
  EXPECT_TRUE(ChkSpell(Attach(0), "zyzzyva"));
  EXPECT_TRUE(requesters.warnings.empty());
}

// Tests run as root, which writes anywhere; a regular file where a folder
// should be stops even root.
TEST_F(DictionaryTest, UnwritableUserListWarnsAndTheWordStaysKnown) {
  UseLists("cat\n");
  WriteFile(dir.File("blocker"), "a file, not a folder\n");
  ::setenv(kUserListVariable, dir.File("blocker/User.wordlist").c_str(), 1);
  SpellChkHandle handle = Attach(0);
  EXPECT_EQ(requesters.warnings, (std::vector<std::string>{kNoUserList}));
  AddWrd(handle, "first", kSpellToUserList);
  EXPECT_TRUE(ChkSpell(handle, "first"));

  DetachSpellChk(handles.back());
  ASSERT_TRUE(AttemptCloseSpellChk());
  ::unsetenv(kUserListVariable);
  ::setenv("XDG_DATA_HOME", dir.File("blocker").c_str(), 1);
  handle = Attach(0);
  AddWrd(handle, "second", kSpellToUserList);
  EXPECT_TRUE(ChkSpell(handle, "second"));

  ::setenv(kUserListVariable, userPath.c_str(), 1);
  DetachSpellChk(handles.back());
  Reopen();
  SimulateWriteFailure(0, ENOSPC);
  AddWrd(InvalidSpellChkHandle(), "third", kSpellToUserList);
  SimulateWriteFailure(-1, 0);
  EXPECT_TRUE(ChkSpell(Attach(0), "third"));
  EXPECT_EQ(requesters.warnings,
            (std::vector<std::string>{kNoUserList, kAddFailed, kAddFailed, kAddFailed}));
}

TEST_F(DictionaryTest, AddingWithoutADictionaryStillKeepsTheWordForTheUserList) {
  ::setenv(kDictionaryVariable, dictionaryPath.c_str(), 1);
  ::setenv(kUserListVariable, userPath.c_str(), 1);
  AddWrd(InvalidSpellChkHandle(), "Lonely", kSpellToUserList);
  EXPECT_FALSE(IsOpenSpellChk());
  EXPECT_EQ(ReadFile(userPath), "lonely\n");
  EXPECT_EQ(requesters.warnings, (std::vector<std::string>{kNoDictionary}));

  // With the dictionary there, adding opens it as checking would.
  WriteFile(dictionaryPath, "cat\n");
  AddWrd(InvalidSpellChkHandle(), "Tame", 0);
  EXPECT_TRUE(IsOpenSpellChk());
  EXPECT_TRUE(ChkSpell(Attach(0), "tame"));
  EXPECT_TRUE(ChkSpell(handles.back(), "lonely"));
}

TEST_F(DictionaryTest, CloseWaitsUntilEveryHandleIsDetached) {
  UseLists("cat\n");
  SpellChkHandle& first = Attach(0);
  SpellChkHandle& second = Attach(kSpellExactCase);
  ASSERT_NE(second, InvalidSpellChkHandle());
  EXPECT_FALSE(AttemptCloseSpellChk());
  DetachSpellChk(first);
  EXPECT_EQ(first, InvalidSpellChkHandle());
  DetachSpellChk(first);  // already detached: nothing happens
  SpellChkHandle none = InvalidSpellChkHandle();
  DetachSpellChk(none);
  EXPECT_FALSE(AttemptCloseSpellChk());
  EXPECT_TRUE(ChkSpell(second, "cat"));
  DetachSpellChk(second);
  EXPECT_TRUE(AttemptCloseSpellChk());
  EXPECT_FALSE(IsOpenSpellChk());
  EXPECT_TRUE(AttemptCloseSpellChk());  // closing a closed dictionary is fine
}

TEST_F(DictionaryTest, CheckingWithoutAValidHandleIsAnAssertion) {
  UseLists("cat\n");
  SpellChkHandle& handle = Attach(0);
  DetachSpellChk(handle);
  try {
    ChkSpell(handle, "cat");
    FAIL() << "no assertion";
  } catch (const AssertionFailure& failure) {
    EXPECT_EQ(failure.Message(), "ChkSpell: Bad Handle");
  }
}

TEST_F(DictionaryTest, AwkwardListsLoadWhole) {
  std::string longLine(1 << 20, 'm');
  std::string list = "before\n" + longLine + "\nafter\r\nwindows\r\n\r\nnul" + std::string(1, '\0') +
                     "byte\ncaf\xe9\n\xc3\xa9t\xc3\xa9\nlast";
  UseLists(list);
  SpellChkHandle handle = Attach(0);
  for (std::string word : {std::string("before"), longLine, std::string("after"),
                           std::string("windows"), std::string("nul\0byte", 8), std::string("last")})
    EXPECT_TRUE(ChkSpell(handle, word)) << word.substr(0, 20);
  EXPECT_FALSE(ChkSpell(handle, "windows\r"));
  EXPECT_FALSE(ChkSpell(handle, "nul"));
  // ISO-8859-1 and UTF-8 capitals are lowered in their own encoding.
  EXPECT_TRUE(ChkSpell(handle, "CAF\xc9"));
  EXPECT_TRUE(ChkSpell(handle, "\xc3\x89T\xc3\x89"));
  EXPECT_FALSE(ChkSpell(handle, "CAF\xc3\x89"));

  AddWrd(handle, "\xc3\x96L", kSpellToUserList);
  EXPECT_EQ(ReadFile(userPath), "\xc3\xb6l\n");
}

TEST_F(DictionaryTest, RealWordListAcceptsEnglishAndListsThePlantedMistakes) {
  const std::string systemList = "/usr/share/dict/american-english";
  ASSERT_TRUE(std::filesystem::exists(systemList));
  ::setenv(kDictionaryVariable, systemList.c_str(), 1);
  SpellChkHandle handle = Attach(kSpellDigitWords);
  ASSERT_NE(handle, InvalidSpellChkHandle());
  const std::string paragraph =
      "The quick brown fox jumps over the lazy dog. Every morning, the old librarian opens the "
      "heavy doors and welcomes readers who come to borrow books about history, science and "
      "music. She likes to recieve letters from children, and she answers each one in a careful, "
      "friendly langauge that makes them smile. In 1998 the library moved to a larger building "
      "near the river's edge, where it's quieter.";
  std::vector<std::string> misspelled;
  std::regex word("[A-Za-z0-9']+");
  for (auto it = std::sregex_iterator(paragraph.begin(), paragraph.end(), word);
       it != std::sregex_iterator(); ++it)
    if (!ChkSpell(handle, it->str())) misspelled.push_back(it->str());
  EXPECT_EQ(misspelled, (std::vector<std::string>{"recieve", "langauge"}));
}

}  // namespace
}  // namespace folioteer
