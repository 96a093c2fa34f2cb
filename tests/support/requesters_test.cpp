#include "support/requesters.h"

#include <gtest/gtest.h>

namespace folioteer {
namespace {

class HeadlessRequestersTest : public ::testing::Test {
 protected:
  void SetUp() override { requesters.ClearQueue(); }
  HeadlessRequesters requesters;
};

// An answer longer than maxLength bytes is cut to fit, never inside a
// UTF-8 character (it split one once, and the saved guide stopped being
// UTF-8); text that is not UTF-8 is ISO-8859-1, a byte a character.
TEST_F(HeadlessRequestersTest, ALongAnswerIsCutWithoutSplittingACharacter) {
  const struct {
    std::string answer;
    int maxLength;
    std::string given;
  } cases[] = {
      {"abcdef", 4, "abcd"},
      {"a\xc3\xa4\xc3\xa4", 4, "a\xc3\xa4"},    // the second 2-byte character does not fit
      {"a\xf0\x9f\x98\x80", 4, "a"},            // nor a 4-byte one
      {"\xe4\xf6\xfc\xdf", 3, "\xe4\xf6\xfc"},  // ISO-8859-1
      {"\xc3\xa4\xe4", 1, "\xc3"},              // not UTF-8 as a whole
  };
  ::testing::internal::CaptureStderr();
  for (const auto& test : cases) {
    requesters.Queue(QueuedAnswer::Text(test.answer));
    EXPECT_EQ(requesters.TextRequest("Folioteer", "Node Name?", "", test.maxLength), test.given)
        << test.answer;
  }
  ::testing::internal::GetCapturedStderr();
}

}  // namespace
}  // namespace folioteer
