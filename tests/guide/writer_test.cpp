#include "guide/writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "guide_test_util.h"

namespace folioteer {
namespace {

using testing::DumpDocument;
using testing::OpenText;
using testing::ReadFile;
using testing::TempDir;

size_t FilesIn(const TempDir& dir) {
  return std::distance(std::filesystem::directory_iterator(dir.Path()), {});
}

// What a save writes is compared byte for byte by the end-to-end cases
// (tests/cases), saving under another name by the case saving/save-as.
TEST(Writer, FailedSaveLeavesTheGuideUntouched) {
  TempDir dir;
  int result = -1;
  AmigaGuideFile handle = OpenText(dir, "@database d\n@node MAIN\nprecious\n@endnode\n", result);
  std::string before = ReadFile(dir.File("test.guide"));
  AGCmd* main = nullptr;
  ScanNodes(GetDocument(handle), [&](AGCmd* n) { return (main = n, false); });
  for (int i = 0; i < 10000; ++i) AddBlockLine(main->block, "a line that makes the file large enough");

  SimulateWriteFailure(1000, ENOSPC);  // the disk fills up part way
  EXPECT_FALSE(OutputAmigaGuideFile(handle));
  SimulateWriteFailure(-1, 0);
  EXPECT_EQ(ReadFile(dir.File("test.guide")), before);
  EXPECT_EQ(FilesIn(dir), 1u);
  CloseAmigaGuideFile(handle);
}

// Random documents: node names with blanks and quotes, every command kind,
// attributes and links in the text, empty lines before, between and inside
// text. (Empty lines at the very end of a node's text are not kept by the
// format, nor are text lines that begin with a command keyword: the
// generator makes neither.)
class RandomGuide {
 public:
  explicit RandomGuide(unsigned seed) : random_(seed) {}

  std::string Text() {
    std::string text = "@database \"" + Word() + "\"\n";
    for (const char* global :
         {"@author \"A U\"", "@(c) 2026", "@font \"topaz.font\" 8", "@height 20", "@help \"Help\"",
          "@index \"Index\"", "@macro \"em\" \"@{b}$1@{ub}\"", "@master \"m.guide\"", "@onopen \"o.rexx\"",
          "@remark  spaced  \"text\"", "@smartwrap", "@tab 4", "@$VER: Doc 1.0 (1.2.2026) note", "@width 70"})
      if (random_() % 2) text += std::string(global) + "\n";
    text += Node("MAIN");
    for (int n = random_() % 6; n > 0; --n) text += Node(Name());
    return text;
  }

 private:
  std::string Word() {
    static const std::string letters = "abcXYZ\xe9.-";
    std::string word;
    for (int n = 1 + random_() % 6; n > 0; --n) word += letters[random_() % letters.size()];
    return word;
  }
  std::string Name() {
    std::string name = Word() + std::to_string(serial_++);
    if (random_() % 2) name += " " + Word();
    return random_() % 3 == 0 ? "\"" + name + "\"" : name;
  }
  std::string TextLine() {
    static const char* pieces[] = {"plain words",
                                   "@{b}bold@{ub}",
                                   "@{\"a link\" LINK \"MAIN\" 2}",
                                   "@{fg Shine}x@{fg Text}",
                                   "\\@ escaped",
                                   "\ttab",
                                   "@{em word}"};
    std::string line;
    for (int n = 1 + random_() % 3; n > 0; --n) line += std::string(pieces[random_() % 7]) + " ";
    return line;
  }
  std::string Node(const std::string& name) {
    std::string quoted = name.front() == '"' ? name : "\"" + name + "\"";
    std::string text = "@node " + quoted + " \"" + Word() + " title\"\n";
    for (const char* local : {"@title \"T\"", "@next \"MAIN\"", "@prev \"\"", "@toc \"MAIN\"", "@wordwrap",
                              "@keywords \"k\"", "@onclose \"c.rexx\"", "@rem local note"})
      if (random_() % 3 == 0) text += std::string(local) + "\n";
    int lines = random_() % 5;
    for (int i = 0; i < lines; ++i) {
      for (int e = random_() % 3; e > 0; --e) text += "\n";
      text += TextLine() + "\n";
    }
    if (lines == 0) text += "\n";
    return text + "@endnode\n";
  }

  std::mt19937 random_;
  int serial_ = 0;
};

TEST(Writer, WrittenDocumentsReadBackTheSame) {
  TempDir dir;
  for (unsigned seed = 1; seed <= 200; ++seed) {
    int result = -1;
    AmigaGuideFile handle = OpenText(dir, RandomGuide(seed).Text(), result);
    ASSERT_EQ(result, kOpened) << seed;
    std::string before = DumpDocument(GetDocument(handle));
    ASSERT_TRUE(OutputAmigaGuideFile(handle));
    std::string written = ReadFile(dir.File("test.guide"));
    CloseAmigaGuideFile(handle);
    handle = OpenText(dir, written, result);
    EXPECT_EQ(DumpDocument(GetDocument(handle)), before) << seed;
    EXPECT_FALSE(GetParseLosses(handle).Any());
    ASSERT_TRUE(OutputAmigaGuideFile(handle));
    EXPECT_EQ(ReadFile(dir.File("test.guide")), written) << seed;
    CloseAmigaGuideFile(handle);
  }
}

}  // namespace
}  // namespace folioteer
