// The manual names everything the program's tables name; every node has a
// title and can be reached. Saving and checking it: manual_test.sh.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "editor/command_table.h"
#include "editor/script.h"
#include "editor/settings/settings.h"
#include "render/guide_source.h"
#include "render/plain_text.h"
#include "render/renderer.h"
#include "support/arg_template.h"
#include "test_util.h"
#include "ui/controls.h"

namespace folioteer {
namespace {

const std::string kManual = FOLIOTEER_SOURCE_DIR "/docs/Folioteer.guide";

class ManualTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes = testing::ReadFile(kManual);
    ASSERT_FALSE(bytes.empty()) << kManual;
    source = ReadGuideSource(bytes);
    ASSERT_TRUE(source.isGuide);
    for (size_t i = 0; i < source.nodes.size(); ++i) {
      std::string text = PlainText(RenderNode(source, static_cast<int>(i)));
      shown += text;
      nodeText[source.nodes[i].name] = text;
    }
  }

  // The words the reader sees, in every node; a full stop ending a word is
  // the sentence's, a point starting one belongs to it (".text").
  std::set<std::string> Words() const {
    std::set<std::string> words;
    std::string word;
    for (char ch : shown + " ") {
      if (std::string_view(" \n\f,;:()\"").find(ch) == std::string_view::npos) {
        word += ch;
        continue;
      }
      while (word.size() > 1 && word.back() == '.') word.pop_back();
      if (!word.empty()) words.insert(word);
      word.clear();
    }
    return words;
  }

  // Whether a line of the node, after its indent, starts with `text`.
  bool NodeHasLineStarting(const std::string& node, const std::string& text) const {
    auto found = nodeText.find(node);
    if (found == nodeText.end()) return false;
    for (size_t start = 0; start < found->second.size();) {
      size_t end = found->second.find('\n', start);
      std::string line = found->second.substr(start, end - start);
      size_t first = line.find_first_not_of(' ');
      if (first != std::string::npos && line.compare(first, text.size(), text) == 0 &&
          (line.size() == first + text.size() || line[first + text.size()] == ' '))
        return true;
      if (end == std::string::npos) break;
      start = end + 1;
    }
    return false;
  }

  std::string bytes;
  GuideSource source;
  std::string shown;
  std::map<std::string, std::string> nodeText;
};

TEST_F(ManualTest, NamesEveryEditorCommandOfTheTable) {
  std::set<std::string> words = Words();
  for (int cmd = 1; cmd < kNumEditorCmds; ++cmd) {
    std::string name(*CmdInfo(static_cast<EditorCmd>(cmd)).cmdName);
    EXPECT_TRUE(words.contains(name)) << name;
    // Each command heads its description with its template, on a line of its own.
    std::string argTemplate(*CmdInfo(static_cast<EditorCmd>(cmd)).cmdTempl);
    std::string head = "\n" + name + (argTemplate.empty() ? "" : " " + argTemplate) + "\n";
    EXPECT_NE(shown.find(head), std::string::npos) << name << " " << argTemplate;
  }
}

TEST_F(ManualTest, NamesEveryMenuItemControlSettingAndDirective) {
  for (const MenuRow& row : MenuLayout())
    if (row.item) {
      EXPECT_TRUE(NodeHasLineStarting("Menus", std::string(row.label))) << row.label;
    }
  std::set<std::string> words = Words();
  for (const ControlInfo& control : AllControls())
    EXPECT_TRUE(words.contains(std::string(control.name))) << control.name;
  for (const TemplateItem& item : ParseTemplate(SettingsTemplate()))
    EXPECT_TRUE(words.contains(item.names.front())) << item.names.front();
  for (std::string_view directive : DirectiveNames())
    EXPECT_TRUE(NodeHasLineStarting("Directives", std::string(directive))) << directive;
}

// Every node is reachable from MAIN and listed in the index, which is the
// guide's @index.
TEST_F(ManualTest, ContentsAndIndexReachEveryNode) {
  std::set<std::string> reached{"MAIN"};
  std::vector<std::string> todo{"MAIN"};
  std::set<std::string> fromIndex;
  while (!todo.empty()) {
    std::string name = todo.back();
    todo.pop_back();
    DisplayNode node = RenderNode(source, FindNode(source, name));
    for (const Link& link : node.links) {
      std::string target = link.node.empty() ? "MAIN" : link.node;
      ASSERT_GE(FindNode(source, target), 0) << name << " -> " << target;
      std::string canonical = source.nodes[FindNode(source, target)].name;
      if (name == "Index") fromIndex.insert(canonical);
      if (reached.insert(canonical).second) todo.push_back(canonical);
    }
  }
  for (const SourceNode& node : source.nodes) {
    EXPECT_TRUE(reached.contains(node.name)) << node.name << " cannot be reached from MAIN";
    EXPECT_FALSE(node.title.empty()) << node.name;
    if (node.name != "MAIN" && node.name != "Index") {
      EXPECT_TRUE(fromIndex.contains(node.name)) << node.name << " is not in the index";
    }
  }
  DisplayNode main = RenderNode(source, 0);
  EXPECT_EQ(main.info.index, "Index");
}

}  // namespace
}  // namespace folioteer
