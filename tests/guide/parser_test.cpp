#include "guide/parser.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "guide/writer.h"
#include "guide_test_util.h"
#include "support/assert.h"

namespace folioteer {
namespace {

using testing::DumpDocument;
using testing::OpenText;
using testing::ReadFile;
using testing::TempDir;

class ParserTest : public ::testing::Test {
 protected:
  // The document of a guide text, dumped; fails the test when it does not open.
  std::string Parsed(const std::string& text) {
    int result = -1;
    AmigaGuideFile handle = OpenText(dir, text, result);
    EXPECT_EQ(result, kOpened);
    if (handle == nullptr) return "";
    std::string dump = DumpDocument(GetDocument(handle));
    losses = GetParseLosses(handle);
    CloseAmigaGuideFile(handle);
    return dump;
  }
  // The assertion message that stops the opening.
  std::string Refused(const std::string& text) {
    int result = -1;
    try {
      AmigaGuideFile handle = OpenText(dir, text, result);
      CloseAmigaGuideFile(handle);
    } catch (const AssertionFailure& failure) {
      return failure.Message();
    }
    return "opened with result " + std::to_string(result);
  }
  TempDir dir;
  ParseLosses losses;
};

TEST_F(ParserTest, NewOrEmptyFileBecomesTheFourLineGuide) {
  for (auto [name, exists, title] : {std::tuple{"Notes.guide", false, "Notes"}, {"readme", true, "readme"}}) {
    if (exists) testing::WriteFile(dir.File(name), "");
    AmigaGuideFile handle = nullptr;
    bool created = false;
    int result = -1;
    OpenAmigaGuideFile(handle, dir.File(name), created, result);
    ASSERT_EQ(result, kOpened);
    EXPECT_TRUE(created);
    EXPECT_EQ(ReadFile(dir.File(name)),
              "@database \"" + std::string(name) + "\"\n@node \"MAIN\" \"" + title + "\"\n\n@endnode\n");
    CloseAmigaGuideFile(handle);
  }
}

TEST_F(ParserTest, OpenResults) {
  int result = -1;
  for (const std::string& text :
       {std::string("\n@database x\n@node MAIN\n"), std::string("\x7f"
                                                                "ELF\0\0\x01\xff\n@database",
                                                                14)}) {
    EXPECT_EQ(OpenText(dir, text, result), nullptr);
    EXPECT_EQ(result, kWrongFileType);
  }
  AmigaGuideFile handle = nullptr;
  bool created = false;
  OpenAmigaGuideFile(handle, dir.Path(), created, result);
  EXPECT_EQ(result, kWrongFileType);
  // A FIFO's message: the case cli/files.
  EXPECT_EQ(DescribeOpenResult(dir.Path(), kWrongFileType), dir.Path() + " is a folder");
  OpenAmigaGuideFile(handle, dir.File("no/such/dir.guide"), created, result);
  EXPECT_EQ(result, ENOENT);
}

TEST_F(ParserTest, ReadsCommandsParametersAndText) {
  const std::string bytes = "caf\xe9 na\xc3\xafve\tTAB\rCR \x01";
  struct Case {
    const char* what;
    std::string text, dump;
  };
  const Case cases[] = {
      {"keywords in any case", "@DATABASE Big\n@node MAIN\n",
       "G @database \"Big\"\nN @node \"MAIN\" \nL @endnode\nT \n"},
      {"a database without a name", "@database\n@node main\n",
       "G @database \"DB\"\nN @node \"main\" \nL @endnode\nT \n"},
      {"node lines and parameters",
       "@database d\n"
       "@node \"My Node\" \"A Title\"\n"
       "@next\n"
       "  @title Shown\n"
       "@font helvetica.font\n"
       "@font x.font big\n"
       "@rem keep  this \"exactly\" \n"
       "@{\"link\" link MAIN} is text\n"
       "@endnode\n",
       "G @database \"d\"\n"
       "N @node \"My Node\" \"A Title\"\n"
       "L @next \"\"\n"
       "L @title \"Shown\"\n"
       "L @font \"helvetica.font\"\n"
       "L @font \"x.font\"\n"
       "L @remark keep  this \"exactly\" \n"
       "L @endnode\n"
       "T @{\"link\" link MAIN} is text\n"},
      {"empty lines before text stay, commands go",
       "@database d\n@node MAIN\n\n\n\nfirst\n\n@title t\nsecond\n\n\n@endnode\n",
       "G @database \"d\"\nN @node \"MAIN\" \nL @title \"t\"\nL @endnode\nT \nT \nT \nT first\nT second\n"},
      {"bytes survive but the line end", "@database d\r\n@node MAIN\r\n" + bytes + "\r\n@endnode\r\n",
       "G @database \"d\"\nN @node \"MAIN\" \nL @endnode\nT " + bytes + "\n"},
      {"a CRLF file without its last LF still ends the node", "@database d\r\n@node MAIN\r\nx\r\n@endnode\r",
       "G @database \"d\"\nN @node \"MAIN\" \nL @endnode\nT x\n"},
      {"odd node lines", "@database d\n@node\n@node \"half\n@node a\"b c\n",
       "G @database \"d\"\nN @node \"\" \nL @node \"half\" \nL @node \"a\"b\" \"c\"\nL @endnode\nT \n"},
  };
  for (const Case& test : cases) EXPECT_EQ(Parsed(test.text), test.dump) << test.what;
}

// Version lines are saved unchanged by the corpus test.
TEST_F(ParserTest, RuleBreakersStopTheOpening) {
  EXPECT_EQ(Refused("@database d\n@wordwrap\n"), "ParseAGHeader FAIL");
  EXPECT_EQ(Refused("@database d\n@node MAIN\n@endnode\n@node Main\n@endnode\n"),
            "ListAddition FAIL in InsertEmptyNode");
}

TEST_F(ParserTest, HugeInputsOpenOrAreRefused) {
  std::string oneLine = "@database x" + std::string(50 * 1024 * 1024, 'y');
  int result = -1;
  EXPECT_EQ(Refused(oneLine), "ParseAGHeader FAIL");
  std::string many = "@database d\n";
  for (int i = 0; i < 200000; ++i) many += "@node n" + std::to_string(i) + "\n@endnode\n";
  AmigaGuideFile handle = OpenText(dir, many, result);
  ASSERT_EQ(result, kOpened);
  int nodes = 0;
  ScanNodes(GetDocument(handle), [&](AGCmd*) { return ++nodes > 0; });
  EXPECT_EQ(nodes, 200000);
  CloseAmigaGuideFile(handle);
}

// A read-only guide opens and is not written: the case cli/files.
TEST_F(ParserTest, TextReadAlreadyParsesAsTheFileWithoutWritingAnything) {
  const std::string texts[] = {
      "@database d\nA comment\n@WIDTH 72\n@node MAIN\ntext\n@endnode\nstray\n@title lost\n@node B\nb\n"};
  for (const std::string& text : texts) {
    std::string fromFile = Parsed(text);
    ParseLosses fileLosses = losses;
    AmigaGuideFile handle = nullptr;
    int result = -1;
    ReadAmigaGuideText(handle, dir.File("named.guide"), text, result);
    ASSERT_EQ(result, kOpened) << text;
    EXPECT_EQ(DumpDocument(GetDocument(handle)), fromFile);
    EXPECT_EQ(GetParseLosses(handle).lines, fileLosses.lines);
    std::string name;
    InquireAGFileName(handle, name);
    EXPECT_EQ(name, dir.File("named.guide"));
    CloseAmigaGuideFile(handle);
  }
  for (const std::string& text : {std::string(""), std::string("no guide\n@database d\n")}) {
    AmigaGuideFile handle = nullptr;
    int result = -1;
    ReadAmigaGuideText(handle, dir.File("new.guide"), text, result);
    EXPECT_EQ(result, kWrongFileType) << "an empty text is no new guide";
    EXPECT_EQ(handle, nullptr);
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("named.guide")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("new.guide")));
}

TEST_F(ParserTest, TextOutsideNodesIsDroppedAndEveryLineRecorded) {
  EXPECT_EQ(
      Parsed("@database d\nA comment\n@WIDTH 72\n@node MAIN\n@endnode\nstray\n@title lost\n@node B\nb\n"),
      "G @database \"d\"\nG @width 72\nN @node \"MAIN\" \nL @endnode\nT \n"
      "N @node \"B\" \nL @endnode\nT b\n");
  EXPECT_EQ(losses.lines,
            (std::vector<ParseLoss>{{2, LostLine::Text}, {6, LostLine::Text}, {7, LostLine::Command}}));
  EXPECT_EQ(DescribeParseLosses(losses),
            "The next save will leave out 2 text lines outside nodes and 1 command that may not stand "
            "outside a node (lines 2, 6, 7).");
}

}  // namespace
}  // namespace folioteer
