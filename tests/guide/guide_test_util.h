// Helpers for the guide tests: open a guide from a text, and dump a document
// in a canonical form (the written form of every command and every text
// line) so that two documents can be compared.
#pragma once

#include <string>

#include "guide/format.h"
#include "guide/parser.h"
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

}  // namespace folioteer::testing
