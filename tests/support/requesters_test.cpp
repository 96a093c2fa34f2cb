#include "support/requesters.h"

#include <gtest/gtest.h>

#include "support/assert.h"

namespace folioteer {
namespace {

class HeadlessRequestersTest : public ::testing::Test {
 protected:
  void SetUp() override { requesters.ClearQueue(); }
  HeadlessRequesters requesters;
};

// The button labels and the answers counted from the left with 0 for the
// last are shown by the start-up cases, which answer every button of the
// new-file requester.
TEST_F(HeadlessRequestersTest, WithoutQueuedAnswersTakesFirstButtonAndCancelsTheRest) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(requesters.InfoRequest("Folioteer", "Quit program?", "_Ok | _Cancel"), 1);
  EXPECT_EQ(requesters.InfoRequest("Folioteer", "Bad File Name", " _Ok "), 0);
  EXPECT_FALSE(requesters.TextRequest("Folioteer", "Node Name?", "", 134));
  EXPECT_FALSE(requesters.FileRequest("Folioteer", "#?.guide", FileRequestMode::Open));
  EXPECT_FALSE(requesters.FontRequest("Editor Font", {"DejaVu Sans Mono", 14, 0}));
  std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("Quit program? -> 1 Ok"), std::string::npos) << log;
  EXPECT_NE(log.find("Node Name? -> cancelled"), std::string::npos) << log;
}

TEST_F(HeadlessRequestersTest, QueuedAnswersAreTakenInOrder) {
  requesters.Queue(QueuedAnswer::Button(0));
  requesters.Queue(QueuedAnswer::Text("Intro"));
  requesters.Queue(QueuedAnswer::Text("Notes.guide"));
  requesters.Queue(QueuedAnswer::Text("Courier New 13"));
  requesters.Queue(QueuedAnswer::Cancel());
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(requesters.InfoRequest("Folioteer", "Save?", " _Yes | _No "), 0);
  EXPECT_EQ(requesters.TextRequest("Folioteer", "Node Name?", "", 134), "Intro");
  EXPECT_EQ(requesters.FileRequest("Folioteer", "#?.guide", FileRequestMode::Save), "Notes.guide");
  std::optional<FontChoice> font = requesters.FontRequest("Editor Font", {"x", 8, 2});
  ASSERT_TRUE(font);
  EXPECT_EQ(font->name, "Courier New");
  EXPECT_EQ(font->size, 13);
  EXPECT_EQ(font->style, 2);
  EXPECT_EQ(requesters.InfoRequest("Folioteer", "Try again?", " Try Again | Abort Pgm "), 0);
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(requesters.Pending(), 0u);
}

// An answer longer than maxLength bytes is cut to fit, never inside a
// UTF-8 character (it split one once, and the saved guide stopped being
// UTF-8); text that is not UTF-8 is ISO-8859-1, a byte a character.
TEST_F(HeadlessRequestersTest, ALongAnswerIsCutWithoutSplittingACharacter) {
  const struct {
    std::string answer;
    int maxLength;
    std::string given;
  } cases[] = {
      {"Intro", 134, "Intro"},
      {"abcdef", 4, "abcd"},
      {"abcdef", 0, "abcdef"},                          // no limit
      {"a\xc3\xa4\xc3\xa4", 4, "a\xc3\xa4"},            // the second 2-byte character does not fit
      {"ab\xe2\x82\xac", 4, "ab"},                      // nor a 3-byte one
      {"a\xf0\x9f\x98\x80", 4, "a"},                    // nor a 4-byte one
      {"\xe2\x82\xac\xe2\x82\xac", 3, "\xe2\x82\xac"},  // the limit at a character's end
      {"\xe4\xf6\xfc\xdf", 3, "\xe4\xf6\xfc"},          // ISO-8859-1
      {"\xc3\xa4\xe4", 1, "\xc3"},                      // not UTF-8 as a whole
  };
  ::testing::internal::CaptureStderr();
  for (const auto& test : cases) {
    requesters.Queue(QueuedAnswer::Text(test.answer));
    EXPECT_EQ(requesters.TextRequest("Folioteer", "Node Name?", "", test.maxLength), test.given)
        << test.answer;
  }
  ::testing::internal::GetCapturedStderr();
}

TEST_F(HeadlessRequestersTest, WarningsTakeNoAnswerAndAreReportedWithThePrefix) {
  requesters.Queue(QueuedAnswer::Button(2));
  InstallRequesters(&requesters);
  ::testing::internal::CaptureStderr();
  ShowWarning("Command already exists");
  std::string log = ::testing::internal::GetCapturedStderr();
  InstallRequesters(nullptr);
  EXPECT_EQ(log, "Folioteer: Command already exists\n");
  EXPECT_EQ(requesters.Pending(), 1u);
}

}  // namespace
}  // namespace folioteer
