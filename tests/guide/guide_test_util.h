// Guide test helpers: open a guide from a text or the corpus; dump a document
// (every command's written form, every text line) for comparison.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "guide/format.h"
#include "guide/parser.h"
#include "support/assert.h"
#include "test_util.h"

namespace folioteer::testing {

inline std::string DumpDocument(AGDocument* doc) {
  std::string dump, text;
  ScanGlobalCmds(doc, [&](AGCmd* cmd) {
    BuildCmd(cmd, text);
    dump += "G " + text + "\n";
    return true;
  });
  ScanNodes(doc, [&](AGCmd* node) {
    BuildCmd(node, text);
    dump += "N " + text + "\n";
    ScanLocalCmds(node, [&](AGCmd* cmd) {
      BuildCmd(cmd, text);
      dump += "L " + text + "\n";
      return true;
    });
    ResetBlockRead(node->block);
    const std::string* line = nullptr;
    while (NextBlockLineRef(node->block, line)) dump += "T " + *line + "\n";
    return true;
  });
  return dump;
}

// Writes the text to a file in dir and opens it; the handle is null unless
// the result is kOpened.
inline AmigaGuideFile OpenText(const TempDir& dir, const std::string& text, int& result,
                               const std::string& name = "test.guide") {
  WriteFile(dir.File(name), text);
  AmigaGuideFile handle = nullptr;
  bool created = false;
  OpenAmigaGuideFile(handle, dir.File(name), created, result);
  return handle;
}

// Opens a copy (copy.guide) of a corpus guide; a refusal fails the test and gives null.
inline AmigaGuideFile OpenCorpusGuide(const TempDir& dir, const std::filesystem::path& guide) {
  std::filesystem::copy_file(guide, dir.File("copy.guide"));
  AmigaGuideFile handle = nullptr;
  bool created = false;
  int result = -1;
  try {
    OpenAmigaGuideFile(handle, dir.File("copy.guide"), created, result);
  } catch (const AssertionFailure& failure) {
    ADD_FAILURE() << guide.filename().string() << " refused: " << failure.Message();
    return nullptr;
  }
  EXPECT_EQ(result, kOpened);
  return handle;
}

}  // namespace folioteer::testing
