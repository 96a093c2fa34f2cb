#include "containers/text_block.h"

#include <gtest/gtest.h>

#include "support/assert.h"

namespace folioteer {
namespace {

std::vector<std::string> Lines(TextBlock block) {
  std::vector<std::string> lines;
  ResetBlockRead(block);
  const std::string* line = nullptr;
  while (NextBlockLineRef(block, line)) lines.push_back(*line);
  return lines;
}

class TextBlockTest : public ::testing::Test {
 protected:
  void TearDown() override { DeallocBlock(block); }
  TextBlock block = AllocBlock();
};

TEST_F(TextBlockTest, LineEndsSplitOnlyWhenTheTextEndsWithOne) {
  AppendBlockStr0(block, "ab\r\ncd\n");
  EXPECT_EQ(Lines(block), (std::vector<std::string>{"ab", "cd", ""}));
  EmptyBlock(block);
  AppendBlockStr0(block, "ab\r\ncd");
  EXPECT_EQ(Lines(block), (std::vector<std::string>{"ab\r\ncd"}));
  EmptyBlock(block);
  AppendBlockStr0(block, "\r\r|\r\n|\n\n");
  EXPECT_EQ(Lines(block), (std::vector<std::string>{"", "", "|", "|", "", ""}));
}

TEST_F(TextBlockTest, ReadingBackwardsFromTheEnd) {
  AppendBlockStr0(block, "one");
  AddBlockLine(block, "two");
  AddBlockLine(block, "three");
  SetEndBlockRead(block);
  std::string line;
  std::vector<std::string> seen;
  while (PrevBlockLine(block, line)) seen.push_back(line);
  EXPECT_EQ(seen, (std::vector<std::string>{"three", "two", "one"}));
  ASSERT_TRUE(NextBlockLine(block, line));
  ASSERT_TRUE(NextBlockLine(block, line));
  EXPECT_EQ(line, "two");
}

TEST_F(TextBlockTest, WholeTextWithAndWithoutLineEnds) {
  AppendBlockStr0(block, "one");
  AddBlockLine(block, "");
  AddBlockLine(block, " two");
  AddBlockLine(block, "three");
  std::string text;
  GetBlockTxt(block, text, LineEnds::JoinWithSpaces);
  EXPECT_EQ(text, "one two three");
  GetBlockTxt(block, text, LineEnds::Keep);
  EXPECT_EQ(text, "one\r\n\r\n two\r\nthree\r\n");
}

TEST_F(TextBlockTest, GoToLineMarksAndEditing) {
  AppendBlockStr0(block, "a");
  AddBlockLine(block, "b");
  AddBlockLine(block, "c");
  std::string line;
  ASSERT_TRUE(GoToLine(block, 1, line));
  EXPECT_EQ(line, "b");
  Mark(block, 2);
  EXPECT_TRUE(AppendBlockLine(block, "+"));
  BeforeInsertBlockLine(block, "a2");
  AfterInsertBlockLine(block, "a3");
  EXPECT_EQ(Lines(block), (std::vector<std::string>{"a", "a2", "a3", "b+", "c"}));
  GotoMark(block, 2, line);
  ReplaceBlockLine(block, "B");
  DeleteBlockLine(block);  // B goes, c becomes justread
  ReadBlockLine(block, line);
  EXPECT_EQ(line, "c");
  DeleteBlockLine(block);  // the last line: nothing left to read
  EXPECT_THROW(ReadBlockLine(block, line), AssertionFailure);
  EXPECT_THROW(GotoMark(block, 2, line), AssertionFailure);
  EXPECT_EQ(Lines(block), (std::vector<std::string>{"a", "a2", "a3"}));
}

}  // namespace
}  // namespace folioteer
