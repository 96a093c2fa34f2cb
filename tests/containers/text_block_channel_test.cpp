#include "containers/text_block_channel.h"

#include <gtest/gtest.h>

#include "support/assert.h"

namespace folioteer {
namespace {

class TBChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int result = -1;
    OpenTB(chan, result);
    ASSERT_EQ(result, kOpened);
    ASSERT_TRUE(IsTBFile(chan));
  }
  void TearDown() override {
    if (chan.Valid()) CloseTB(chan);
  }
  std::vector<std::string> ReadBack() {
    Reread(chan);
    std::vector<std::string> lines;
    std::string line;
    while (ReadLine(chan, line) == ReadResult::AllRight) lines.push_back(line);
    return lines;
  }
  Channel chan;
};

// A line end is held back until more text follows: the last one adds no line.
TEST_F(TBChannelTest, WrittenLinesReadBackWithPendingLineEnds) {
  WriteText(chan, "Hello");
  WriteLn(chan);
  WriteText(chan, "World");
  WriteLn(chan);
  EXPECT_EQ(ReadBack(), (std::vector<std::string>{"Hello", "World"}));
  Rewrite(chan);  // leaves one empty line
  EXPECT_EQ(ReadBack(), std::vector<std::string>{""});
  Rewrite(chan);
  WriteLn(chan);
  WriteLn(chan);
  WriteText(chan, "abc");
  EXPECT_EQ(ReadBack(), (std::vector<std::string>{"", "", "abc"}));
  Rewrite(chan);
  WriteText(chan, "a\nb");
  WriteText(chan, "c\n");
  WriteText(chan, "d");
  EXPECT_EQ(ReadBack(), (std::vector<std::string>{"a", "bc", "d"}));
}

TEST_F(TBChannelTest, ReadingCharactersStopsAtTheLineEnd) {
  WriteText(chan, "abcde");
  Reread(chan);
  char buffer[8];
  ReadResult result;
  EXPECT_EQ(ReadChars(chan, buffer, 3, result), 3u);
  EXPECT_EQ(ReadChars(chan, buffer, 8, result), 2u);
  EXPECT_EQ(std::string(buffer, 2), "de");
  EXPECT_EQ(result, ReadResult::EndOfLine);
  Skip(chan);
  char ch;
  EXPECT_EQ(Look(chan, ch), ReadResult::EndOfInput);
  EXPECT_THROW(Skip(chan), AssertionFailure);
}

TEST_F(TBChannelTest, OddBytesAndLongLinesSurvive) {
  std::string big(10 * 1024 * 1024, 'q');
  big[7] = '\0';
  WriteText(chan, big);
  WriteLn(chan);
  WriteText(chan, "x\ry");
  EXPECT_EQ(ReadBack(), (std::vector<std::string>{big, "x", "y"}));
}

}  // namespace
}  // namespace folioteer
