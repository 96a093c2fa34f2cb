#include "rtf/rtf_export.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "containers/text_block_channel.h"
#include "guide/format.h"
#include "guide/guide_test_util.h"
#include "rtf_test_util.h"
#include "support/assert.h"

namespace folioteer {
namespace {

using testing::ExportGuide;
using testing::IsOneBalancedGroup;
using testing::TempDir;

const std::string kDemoGuide =
    "@database demo\n@node MAIN\nHello @{b}world@{ub}\n\nBye\n@endnode\n"
    "@node Intro\nSee @{\"Main page\" link MAIN}.\n@endnode\n";

// What the node MAIN of a one-node guide writes after its heading.
std::string MainBody(const std::string& text, const std::string& globals = "") {
  TempDir dir;
  std::string rtf = ExportGuide(dir, "@database t\n" + globals + "@node MAIN\n" + text + "@endnode\n");
  const std::string heading = "MAIN{\\*\\bkmkend MAIN}\\par \n}";
  const std::string end = "}\\line}";
  size_t start = rtf.find(heading);
  if (start == std::string::npos || !rtf.ends_with(end)) return "unexpected: " + rtf;
  start += heading.size();
  return rtf.substr(start, rtf.size() - end.size() - start);
}

std::string TabStops(int width) {
  std::string stops;
  for (int i = 1; i <= 40; ++i) stops += "\\tx" + std::to_string(width * i * 100) + " ";
  return stops;
}

struct BodyCase {
  const char* what;
  std::string text;
  std::string expected;
};

TEST(RTFExport, TranslatesEachAttributeByTheFirstRuleThatMatches) {
  std::string fortyOne;
  for (int i = 1; i <= 41; ++i) fortyOne += " " + std::to_string(i);
  const BodyCase cases[] = {
      {"bold off without bold writes nothing", "@{ub}x\n", "x"},
      {"pard resets styles, colours and indent", "@{b}@{u}a@{pard}b\n",
       "\\b \\ul a\\par \n\\b0 \\ul0 \\cf0 \\chshdng0\\chcfpat0 \\li0 b"},
      {"lindent waits for the paragraph break", "@{lindent 3}a@{line}b\n", "a\\par \n\\li300 b"},
      {"lindent without a number is literal", "@{lindent }a\n", "@\\{lindent \\}\\line \na"},
      {"a label holding quotes runs to the keyword", "@{\" \"GNU E\" \" LINK gnu}\n",
       "\\cf4 {\\field{\\*\\fldinst REF gnu \\\\h }{\\fldrslt  \"GNU E\" }}\\cf0 "},
      {"justification", "@{jcenter}a@{jright}@{jleft}\n", "\\qc a\\qr \\ql "},
      {"bg by name in any case", "@{bg Background}a\n", "\\chshdng2000\\chcfpat3 a"},
      {"unknown colour name is literal", "@{fg purple}a\n", "@\\{fg purple\\}\\line \na"},
      {"pen beyond the colour table writes nothing", "@{APEN 8}@{bpen 15}a\n", "a"},
      {"settabs beyond 40 values", "@{settabs" + fortyOne + "}\n", TabStops(1)},
      {"cleartabs", "@{cleartabs}\n", TabStops(8)},
      {"code makes every line end a break", "@{code}a\nb\n", "a\\par \nb\\par \n"},
      {"link to another file, line number ignored", "@{\"x\" LINK other.guide/Main 12}\n",
       "\\cf4 {\\field{\\*\\fldinst REF other.guide/Main \\\\h }{\\fldrslt x}}\\cf0 "},
      {"other link kinds are literal", "@{\"x\" system ls}\n", "@\\{\"x\" system ls\\}\\line \n"},
      {"text is escaped", "a{b} \\@ \xe9\n", "a\\{b\\} \\\\@ \xe9"},
  };
  for (const BodyCase& test : cases) {
    SCOPED_TRACE(test.what);
    EXPECT_EQ(MainBody(test.text), test.expected);
  }
}

TEST(RTFExport, WritesGlobalAndLocalCommands) {
  const std::string globals =
      "@tab 4\n@$VER: t 1.0 (1.1.2026)\n@macro em \"@{b}$1@{ub}\"\n@font topaz.font 8\n";
  TempDir dir;
  std::string rtf = ExportGuide(dir, "@database t\n" + globals +
                                         "@node MAIN\n@macro em \"@{i}$1@{ui}\"\n@tab 2\n"
                                         "@{em x}\n@endnode\n");
  std::string documentFormat = "\\footery720\n";
  size_t afterPreamble = rtf.find(documentFormat) + documentFormat.size();
  EXPECT_EQ(rtf.substr(afterPreamble, rtf.find("\\li0 {\\cf3") - afterPreamble),
            TabStops(4) + "{\\header \\qr t 1.0 (1.1.2026)}{" + TabStops(2));
  // The node's own @macro is ignored; the document's macro is used.
  EXPECT_TRUE(rtf.ends_with("\\par \n}\\b x\\b0 }\\line}")) << rtf;
}

TEST(RTFExport, BreaksThePageBeforeEveryNodeButMain) {
  TempDir dir;
  std::string rtf =
      ExportGuide(dir,
                  "@database t\n@node First\na\n@endnode\n@node MAIN\nb\n@endnode\n@node main2\n"
                  "@endnode\n");
  EXPECT_NE(rtf.find("{\\li0 {\\cf3 \\chshdng2000\\chcfpat3 \\fs4 {\\*\\bkmkstart MAIN}"), std::string::npos);
  EXPECT_NE(rtf.find("{\\page \\li0 {\\cf3 \\chshdng2000\\chcfpat3 \\fs4 {\\*\\bkmkstart First}"),
            std::string::npos);
  EXPECT_NE(rtf.find("{\\page \\li0 {\\cf3 \\chshdng2000\\chcfpat3 \\fs4 {\\*\\bkmkstart main2}"),
            std::string::npos);
}

// Names, labels and targets go into bookmarks and references escaped.
TEST(RTFExport, KeepsGroupsBalancedWhateverTheGuideHolds) {
  std::string many;
  for (int i = 0; i < 10'000; ++i) many += "@{b}";
  TempDir dir;
  std::string rtf = ExportGuide(dir,
                                "@database t\n@node \"a{b}\\c\" \"t\"\n@{\"la{b\\el\" link \"x{y\\z\"}\n"
                                "\xe9\xfc}{\n@endnode\n@node MAIN\n" +
                                    many + "\n@endnode\n");
  EXPECT_TRUE(IsOneBalancedGroup(rtf)) << rtf.substr(0, 2000);
  EXPECT_NE(rtf.find("{\\*\\bkmkstart a\\{b\\}\\\\c}a\\{b\\}\\\\c{\\*\\bkmkend a\\{b\\}\\\\c}"),
            std::string::npos);
  EXPECT_NE(rtf.find("{\\*\\fldinst REF x\\{y\\\\z \\\\h }{\\fldrslt la\\{b\\\\el}}"), std::string::npos);
  EXPECT_NE(rtf.find("\xe9\xfc\\}\\{"), std::string::npos);
}

// The channels of the table are handed out lowest first: a channel left open
// by the export moves the next channel to another slot.
uint32_t NextFreeSlot() {
  Channel probe;
  int result = -1;
  OpenTB(probe, result);
  uint32_t slot = probe.slot;
  CloseTB(probe);
  return slot;
}

size_t OpenFileDescriptors() {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                           std::filesystem::directory_iterator{}));
}

// Regression: these attributes, which anyone can type, ended the editor.
TEST(RTFExport, AnExportStoppedByAnAssertionCleansUpAndPassesItOn) {
  struct FailCase {
    std::string text;
    std::string message;
  };
  const FailCase cases[] = {
      {"@{lindent x}", "Bad param in lindent"},
      {"@{settabs 4 x}", "Bad param in settabs"},
      {"@{\"label\" link }", "AGAttribsProcessRTF: missing Link target?"},
  };
  testing::DebugCapture debug;
  uint32_t freeSlot = NextFreeSlot();
  size_t descriptors = OpenFileDescriptors();
  for (const FailCase& test : cases) {
    SCOPED_TRACE(test.text);
    TempDir dir;
    try {
      ExportGuide(dir, "@database t\n@node MAIN\nbefore " + test.text + " after\n@endnode\n");
      ADD_FAILURE() << "no assertion";
    } catch (const AssertionFailure& failure) {
      EXPECT_EQ(failure.Message(), test.message);
    }
    std::string rtf = testing::ReadFile(dir.File("test.rtf"));
    EXPECT_NE(rtf.find("before "), std::string::npos);
    EXPECT_TRUE(rtf.ends_with("\\line}")) << rtf;
    EXPECT_TRUE(IsOneBalancedGroup(rtf)) << rtf;
    EXPECT_EQ(NextFreeSlot(), freeSlot);
    EXPECT_EQ(OpenFileDescriptors(), descriptors);
  }
  EXPECT_NE(debug.Text().find("EXCEPT in ConvertRTF"), std::string::npos);
}

TEST(RTFExport, ReportsAFileItCouldNotWrite) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("test.rtf"));
  RTFExportResult result = RTFExportResult::Written;
  ExportGuide(dir, kDemoGuide, &result);
  EXPECT_EQ(result, RTFExportResult::NotCreated);

  // Regression: a write that failed (a full disk) was reported as written.
  TempDir full;
  testing::WriteFile(full.File("test.rtf"), "old");
  SimulateWriteFailure(100, ENOSPC);
  try {
    ExportGuide(full, kDemoGuide, &result);
  } catch (...) {
    SimulateWriteFailure(-1, 0);
    throw;
  }
  SimulateWriteFailure(-1, 0);
  EXPECT_EQ(result, RTFExportResult::NotCreated);
  EXPECT_EQ(testing::ReadFile(full.File("test.rtf")), "old");
}

}  // namespace
}  // namespace folioteer
