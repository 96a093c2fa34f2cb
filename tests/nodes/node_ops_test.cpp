#include "nodes/node_ops.h"

#include "guide/format.h"
#include "node_test_util.h"
#include "support/assert.h"

namespace folioteer {
namespace {

using Strings = std::vector<std::string>;

class NodeOpsTest : public testing::OpenGuideTest {
 protected:
  void SetUp() override {
    Open(
        "@database d\n@node MAIN \"Contents\"\nmain text\n@endnode\n"
        "@node One\n1\n@endnode\n@node Two\n2\n@endnode\n@node Three\n3\n@endnode\n");
  }
  const Strings& NodeRows() { return windows().Rows(ListId::Nodes); }
};

// Opening, finding nodes by name and the warning for a duplicate name are
// shown through the commands by the case nodes/node-commands.
TEST_F(NodeOpsTest, AddingNodesHandsDownTheOrder) {
  AddNewNode(Doc(), "After Main", 0);
  AddNewNode(Doc(), "Last", -1);
  AddNewNode(Doc(), "Beyond", 17);
  AddNewNode(Doc(), "After Two", 3);
  Strings expected{"MAIN", "After Main", "One", "Two", "After Two", "Three", "Last", "Beyond"};
  EXPECT_EQ(NodeOrder(), expected);
  EXPECT_EQ(NodeRows(), expected);
  int documentNodes = 0;
  ScanNodes(Doc(), [&](AGCmd*) { return ++documentNodes > 0; });
  EXPECT_EQ(documentNodes, 8);
}

// Moving, deleting, links, attributes and global commands are shown through
// the commands by the end-to-end cases nodes/* and commands/*; no command
// there moves the last node down.
TEST_F(NodeOpsTest, TheLastNodeStaysLast) {
  MoveNode(3, +1);
  EXPECT_EQ(NodeOrder(), (Strings{"MAIN", "One", "Two", "Three"}));
  EXPECT_EQ(NodeRows(), NodeOrder());
}

// The labels of each state are shown by the cases input/navigation and
// commands/global-and-local; here a missing target that a new node provides.
TEST_F(NodeOpsTest, NavigationLabelsFollowTheTargets) {
  ShowNodeTextIdx(1);
  CmdParams params;
  params.NodeRef = "intro";
  AddNewLcl(Doc(), Editor().editingNode, AGCmdKind::Next, params);
  EXPECT_EQ(Editor().editingNode->nextState, NavState::Missing);
  EXPECT_TRUE(windows().Label(NavDirection::Next).pointsNowhere);
  AddNewNode(Doc(), "INTRO", -1);
  ResolveNodes();
  EXPECT_EQ(Editor().editingNode->nextState, NavState::Found);
  EXPECT_EQ(Editor().editingNode->nextTarget, FindNodeByName("intro"));
  UpdateLcl(Editor().editingNode, FindLcl(0), 0, params);
  EXPECT_EQ(windows().Label(NavDirection::Next).text, "INTRO");
  EXPECT_FALSE(windows().Label(NavDirection::Next).pointsNowhere);
  DeleteLcl(1);  // no such row: the node's @endnode is not touched
  EXPECT_NE(CheckForExisting(AGCmdKind::EndNode, Editor().editingNode->node->subcmds), nullptr);
}

TEST_F(NodeOpsTest, StoringTheEditedText) {
  ShowNodeTextIdx(1);
  windows().SetEditText("a\tb\t\n\nlast\rline");
  Editor().useTabAttr = true;
  SaveNodeText(Editor().editingNode);
  TextBlock block = Editor().editingNode->node->block;
  EXPECT_EQ(GetBlockNumLines(block), 3u);
  std::string text;
  GetBlockTxt(block, text, LineEnds::Keep);
  EXPECT_EQ(text, "a@{tab}b@{tab}\r\n\r\nlast\rline\r\n");
  Editor().useTabAttr = false;
  windows().SetEditText("x\ty\n");
  SaveNodeText(Editor().editingNode);
  GetBlockTxt(block, text, LineEnds::Keep);
  EXPECT_EQ(text, "x\ty\r\n\r\n");
}

}  // namespace
}  // namespace folioteer
