// A guide opened into the editor with the headless windows, as the program
// has it after start-up: the shared state set, the nodes registered and listed.
#pragma once

#include <gtest/gtest.h>

#include "guide/parser.h"
#include "nodes/node_registry.h"
#include "state/editor_state.h"
#include "test_util.h"
#include "ui/headless_windows.h"
#include "window_test_util.h"

namespace folioteer::testing {

class OpenGuideTest : public ::testing::Test {
 protected:
  // A test may open several guides in turn; each replaces the one before.
  void Open(const std::string& text) {
    Close();
    WriteFile(dir.File("test.guide"), text);
    bool created = false;
    int result = -1;
    Editor() = EditorState{};
    OpenAmigaGuideFile(Editor().guideFile, dir.File("test.guide"), created, result);
    ASSERT_EQ(result, 0);
    windows().Reset();
    InstallWindowViews();
    InitNodeRegistry();
    BuildNodeRegistry(Doc());
    OpenMyWndo();
  }
  void TearDown() override { Close(); }
  void Close() {
    ClearNodeRegistry();
    CloseAmigaGuideFile(Editor().guideFile);
    Editor() = EditorState{};
  }
  static HeadlessWindows& windows() { return DefaultHeadlessWindows(); }
  AGDocument* Doc() { return GetDocument(Editor().guideFile); }
  std::vector<std::string> NodeOrder() {
    std::vector<std::string> names;
    ResetNodeReader(NodeReaderMode::Read);
    for (NodeEntry* entry = ReadNextNode(); entry != nullptr; entry = ReadNextNode())
      names.emplace_back(NodeNameView(entry->node));
    return names;
  }

  TempDir dir;
  HeadlessToolkit toolkit;
};

}  // namespace folioteer::testing
