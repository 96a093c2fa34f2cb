#include "spell/spell_check.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "nodes/node_test_util.h"
#include "spell/dictionary.h"
#include "support/platform_paths.h"
#include "support/requesters.h"

namespace folioteer {
namespace {

using testing::WriteFile;
using Texts = std::vector<std::string>;

const std::string kWords = "the\ncat\nsat\non\nmat\nand\nsee\nbold\ndon't\nquoted\nmail\n";

struct RecordingRequesters : HeadlessRequesters {
  void Warning(std::string_view message) override { warnings.emplace_back(message); }
  Texts warnings;
};

Texts Listed(const NodeEntry* entry) {
  Texts words;
  if (entry->misspellings == NilList()) return words;
  ListSetReadMode(entry->misspellings);
  void* item = nullptr;
  for (ListRead(entry->misspellings, item); ListOpDone(entry->misspellings);
       ListRead(entry->misspellings, item))
    words.push_back(static_cast<MisspelledWord*>(item)->word);
  return words;
}

// The dictionary is one per process: each test starts and ends with it
// closed, its word lists in the test's own directory (the user list at its
// per-user default below XDG_DATA_HOME).
class SpellCheckTest : public testing::OpenGuideTest {
 protected:
  void SetUp() override {
    InstallRequesters(&requesters);
    ::setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);
    ::setenv(kDictionaryVariable, dir.File("Dictionary.wordlist").c_str(), 1);
    ::unsetenv(kUserListVariable);
    WriteFile(dir.File("Dictionary.wordlist"), kWords);
  }
  void TearDown() override {
    EXPECT_TRUE(AttemptCloseSpellChk());
    for (const char* variable : {kDictionaryVariable, kUserListVariable, "XDG_DATA_HOME"})
      ::unsetenv(variable);
    SetProgramDirectory("");
    InstallRequesters(nullptr);
    OpenGuideTest::TearDown();
  }
  // Opens a guide of one node holding the text and checks that node.
  NodeEntry* Check(const std::string& text, const std::string& globals = "") {
    Open("@database \"t.guide\"\n" + globals + "@node \"MAIN\" \"Main\"\n" + text + "\n@endnode\n");
    NodeEntry* entry = FindNodeByIdx(0);
    EXPECT_TRUE(SpellChkNode(Doc(), entry));
    return entry;
  }
  Texts Misspelled(const std::string& text, const std::string& globals = "") {
    return Listed(Check(text, globals));
  }

  RecordingRequesters requesters;
};

// The case spelling/check-ignore-add shows a plain node, links and a node of
// nothing but delimiters through the spell window.
TEST_F(SpellCheckTest, NodeTextIsCutIntoWordsAsAReaderSeesIt) {
  struct Case {
    std::string text, globals;
    Texts listed;
  };
  const std::string macros = "@macro \"em\" \"@{b}$1 wrold@{ub}\"\n@macro \"EM\" \"ignored\"\n";
  for (const Case& c : std::vector<Case>{
           {"teh cat\nTEH teh, the teh", "", {"teh", "TEH"}},
           {"don't dont 'quoted' ''x'' quoted' cat's", "", {"dont", "'x'", "cat's"}},
           {"e-mail 1,024 3rd 4.5 x I Q", "", {}},
           {"mail,mail.mail:mail;mail+mail=mail?mail!mail*mail%mail/mail\"mail`mail_mail(mail)mail[mail]"
            "mail<mail>mail{mail}mail@mail#mail$mail\tmail",
            "",
            {}},
           {"cat&mat cat^mat cat~mat cat|mat", "", {"cat&mat", "cat^mat", "cat~mat", "cat|mat"}},
           {"@{\"Contents page\" link MAIN} @{\"Run it\" rx \"foo\"} @{\"Sys tem\" SYSTEM \"cmd\"} "
            "@{b}bold@{ub} @{fg shine}@{\"Alink label\" alink MAIN}@{\"Upper Case\" LINK MAIN/Other 3}",
            "",
            {"Contents", "page", "Sys", "tem", "Upper", "Case"}},
           {"see @{em helo} and @{Em cat}", macros, {"helo", "wrold"}},
           {"", "", {}},
       })
    EXPECT_EQ(Misspelled(c.text, c.globals), c.listed) << c.text;
}

TEST_F(SpellCheckTest, WithoutADictionaryTheCheckFailsAndTheListStays) {
  NodeEntry* entry = Check("teh cat");
  ASSERT_TRUE(AttemptCloseSpellChk());
  std::filesystem::remove(dir.File("Dictionary.wordlist"));
  WriteFile(dir.File("data/Folioteer/User.wordlist"), "teh\n");
  EXPECT_FALSE(SpellChkNode(Doc(), entry));
  EXPECT_EQ(Listed(entry), Texts{"teh"});
  EXPECT_FALSE(SpellChkDoc(Doc()));
  EXPECT_FALSE(windows().Busy());
  EXPECT_EQ(windows().ProgressRecord().runs, 0);
  EXPECT_EQ(requesters.warnings, Texts(2, "SpellChk: Unable to open Spell Dictionary wordfile"));
}

// A list of 100,000 bytes or more loads behind a progress gauge; a smaller one silently.
TEST_F(SpellCheckTest, LargeWordListLoadsBehindAProgressGauge) {
  std::string list = kWords;
  for (int n = 0; list.size() < 99900; ++n) list += "\n\nfiller" + std::to_string(n) + "  \n";
  list += std::string(100000 - list.size() - 1, 'z') + "\n";  // exactly at the bound
  WriteFile(dir.File("Dictionary.wordlist"), list);
  EXPECT_EQ(Misspelled("teh cat"), Texts{"teh"});
  const HeadlessWindows::Progress& progress = windows().ProgressRecord();
  EXPECT_EQ(std::tuple(progress.total, progress.advanced, progress.running, progress.runs),
            std::tuple(int64_t(list.size()), int64_t(list.size()), false, 1));

  ASSERT_TRUE(AttemptCloseSpellChk());
  WriteFile(dir.File("Dictionary.wordlist"), list.substr(1));
  Check("cat");
  EXPECT_EQ(windows().ProgressRecord().runs, 0);
}

TEST_F(SpellCheckTest, SystemWordListAcceptsEnglishAndFindsThePlantedMistakes) {
  ::unsetenv(kDictionaryVariable);
  SetProgramDirectory(std::string(FOLIOTEER_BINARY_DIR) + "/bin");
  EXPECT_EQ(Misspelled("The harbor-side market opens at 7am. Fishermen don't wait: by 6:30 they've "
                       "sold the night's catch, and the 2nd bell calls the @{b}bakers@{ub} to\n"
                       "their ovens. Visitors often ask \"Where's the ferry?\" (it leaves every "
                       "hour, @{\"see the timetable\" link Ferries}), and the locals alwyas point "
                       "to the old lighthouse on the hill whose lamp was lit in 1,874 by a keeper "
                       "named Thomas. @{\"Call the offise\" system \"phone harbor\"}"),
            (Texts{"alwyas", "offise"}));
}

}  // namespace
}  // namespace folioteer
