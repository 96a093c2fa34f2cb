#include "guide/format.h"

#include <gtest/gtest.h>

#include "guide/parser.h"
#include "support/assert.h"
#include "support/requesters.h"

namespace folioteer {
namespace {

std::string Built(AGCmd* cmd) {
  std::string text;
  BuildCmd(cmd, text);
  DisposeCmd(cmd);
  return text;
}

std::string Built(AGAttr* attr) {
  std::string text;
  BuildAttr(attr, text);
  DisposeAttr(attr);
  return text;
}

CmdParams Params(std::optional<std::string> nodeRef, std::optional<std::string> strng,
                 std::optional<std::string> strng2, int num) {
  return CmdParams{std::move(nodeRef), std::move(strng), std::move(strng2), num};
}

// The common forms are saved byte for byte by the cases commands/* and
// input/global-commands; these are the forms no case writes.
TEST(Format, WrittenFormOfCommands) {
  EXPECT_EQ(Built(CreateStrParamCmd(AGCmdKind::Remark, "a b")), "@remark a b");
  EXPECT_EQ(Built(CreateFontCmd(AGCmdKind::Font, "topaz.font", 0)), "@font \"topaz.font\"");
  EXPECT_EQ(Built(CreateNumberCmd(AGCmdKind::Width, -3)), "@width -3");
  EXPECT_EQ(Built(CreateCmd(AGCmdKind::Link, Params("Other", "See this", "LINK", 12))),
            "@{\"See this\" LINK \"Other\" 12}");
  EXPECT_EQ(Built(CreateCmd(AGCmdKind::Link, Params("x", "Go", "JUMP", 0))), "@{\"Go\" LINK \"x\"}");
  EXPECT_EQ(Built(CreateVersionCmd("Doc", 1, 2, 5, 12, 14, std::nullopt)), "@$VER: Doc 1.2 (5.12.2014) ");
}

TEST(Format, QuotingRule) {
  EXPECT_EQ(QuotedValue("\"already\""), "\"already\"");
  EXPECT_EQ(UnquotedValue("\""), "\"");
}

// A value is refused exactly when its command, written and read back, would
// come back otherwise: a double quote between quotes, a line end anywhere.
TEST(Format, ValuesThatWouldNotReadBackAreFound) {
  struct Case {
    AGCmdKind kind;
    CmdParams params;
    ValueFault fault;
  };
  const Case cases[] = {
      {AGCmdKind::Node, Params(std::nullopt, "say \"hi\" now", "Title", 0), ValueFault::DoubleQuote},
      {AGCmdKind::Node, Params(std::nullopt, "Intro", "The \"best\"", 0), ValueFault::DoubleQuote},
      {AGCmdKind::Next, Params("x\"y", std::nullopt, std::nullopt, 0), ValueFault::DoubleQuote},
      {AGCmdKind::Remark, Params(std::nullopt, "a \"quoted\" remark", std::nullopt, 0), ValueFault::None},
      {AGCmdKind::Remark, Params(std::nullopt, "two\nlines", std::nullopt, 0), ValueFault::LineEnd},
      {AGCmdKind::Width, Params("\"", "\"", "\"", 72), ValueFault::None},  // takes no string
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(GetCmdName(test.kind) + " " + test.params.Strng.value_or("") + " " +
                 test.params.Strng2.value_or("") + " " + test.params.NodeRef.value_or(""));
    std::optional<UnwritableValue> found = FindUnwritableValue(test.kind, test.params);
    EXPECT_EQ(found ? found->fault : ValueFault::None, test.fault);
    std::string written = Built(CreateCmd(test.kind, test.params));
    AGCmd* reread = ParseCmd(written);
    // A line end ends the line: the file would hold two.
    bool same =
        reread != nullptr && Built(reread) == written && written.find_first_of("\r\n") == std::string::npos;
    EXPECT_EQ(same, test.fault == ValueFault::None) << written;
  }
  EXPECT_EQ(CheckValue("a \"link\" target", ValueForm::Quoted), ValueFault::DoubleQuote);
  EXPECT_EQ(CheckValue("a \"label\"", ValueForm::Verbatim), ValueFault::None);
}

TEST(Format, UpdatesGoByTheKind) {
  AGCmd* node = CreateNodeCmd("Intro", "Old title");
  UpdateCmdStr1(node, std::string());
  std::string text;
  BuildCmd(node, text);
  EXPECT_EQ(text, "@node \"Intro\" \"Old title\"");
  UpdateCmd(node, Params(std::nullopt, "Intro", "New", 7));  // Num ignored: @node takes none
  BuildCmd(node, text);
  EXPECT_EQ(text, "@node \"Intro\" \"New\"");
  DisposeCmd(node);
  AGCmd* next = CreateNodeRefCmd(AGCmdKind::Next, "a");
  UpdateCmd(next, Params("b c", std::nullopt, std::nullopt, 0));  // no first string needed
  EXPECT_EQ(Built(next), "@next \"b c\"");
  ::testing::internal::CaptureStderr();
  AGCmd* author = CreateStrParamCmd(AGCmdKind::Author, "Me");
  UpdateCmdStr0(author, std::string());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Folioteer: UpdateCmdStr0: Missing StrngParam\n");
  EXPECT_EQ(Built(author), "@author \"\"");
}

// The common attributes are written by the case commands/links-and-attributes.
TEST(Format, WrittenFormOfAttributes) {
  EXPECT_EQ(Built(CreateStyleAttr(AGAttrKind::Underline, AttrForm::Off)), "@{uu}");
  AttrParams params{std::string("ignored"), 5, GuideColor::Fill, AttrForm::Off};
  EXPECT_EQ(Built(CreateAttr(AGAttrKind::Bpen, params)), "@{bpen 5}");
}

}  // namespace
}  // namespace folioteer
