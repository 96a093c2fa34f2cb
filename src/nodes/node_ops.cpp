#include "nodes/node_ops.h"

#include "guide/format.h"
#include "nodes/edit_box.h"
#include "nodes/node_view.h"
#include "state/editor_state.h"
#include "support/assert.h"
#include "support/text_lines.h"

namespace folioteer {
namespace {

void AddEntry(List list, NodeEntry* entry, const char* failure) {
  ListAddition(list, entry);
  Assert(ListOpDone(list), failure);
}

// Hands the order keys down the line so that the new entry (last in
// AllNodes) stands at position target: each entry from the end back to
// target takes the key of the one after it, the new entry the freed key.
void HandDownKeys(NodeEntry* newEntry, int target) {
  List all = AllNodesList();
  ListSetWriteMode(all);
  ListDeletion(all, newEntry);
  uint32_t freeKey = newEntry->order;
  NodeEntry* lastMoved = nullptr;
  for (int i = NodeCount() - 2; i >= target; --i) {
    ListSetReadMode(all);
    void* item = nullptr;
    if (lastMoved == nullptr)
      ListEndset(all);
    else
      Assert(OnList(all, lastMoved, item), "OnList FAIL in AddNewNode ?");
    ListReadRev(all, item);
    Assert(ListOpDone(all), "ListReadRev FAIL in AddNewNode ?");
    NodeEntry* moved = static_cast<NodeEntry*>(item);
    ListSetWriteMode(all);
    ListDeletion(all, moved);
    Assert(ListOpDone(all), "ListDeletion FAIL in AddNewNode ?");
    std::swap(moved->order, freeKey);
    AddEntry(all, moved, "ListAddition FAIL in AddNewNode ?");
    lastMoved = moved;
  }
  newEntry->order = freeKey;
  AddEntry(all, newEntry, "last ListAddition FAIL in AddNewNode ?");
}

// TRUE, after a warning that names the value, when a saved guide would not
// give it back as it was entered.
bool Refused(std::string_view what, std::string_view value, ValueFault fault) {
  if (fault == ValueFault::None) return false;
  std::string message(what);
  message += fault == ValueFault::DoubleQuote ? " cannot hold a double quote:" : " cannot hold a line end:";
  ShowWarningDS(message, value);
  return true;
}

bool RefusedValue(std::string_view what, std::string_view value) {
  return Refused(what, value, CheckValue(value, ValueForm::Quoted));
}

bool RefusedParams(AGCmdKind kind, const CmdParams& params) {
  std::optional<UnwritableValue> refused = FindUnwritableValue(kind, params);
  return refused && Refused("A value of " + GetCmdName(kind), refused->value, refused->fault);
}

bool IsNavCommand(AGCmdKind kind) { return kind == AGCmdKind::Next || kind == AGCmdKind::Prev; }

// Appends the edited text to the block line by line (the block holds one
// empty line to begin with).
void FillBlock(TextBlock block, std::string_view text) {
  std::vector<std::string_view> lines = SplitLines(text);
  SetEndBlockRead(block);
  AppendBlockLine(block, lines[0]);
  for (size_t i = 1; i < lines.size(); ++i) AddBlockLine(block, lines[i]);
}

AGCmd* FindNth(const std::function<void(const std::function<bool(AGCmd*)>&)>& scan, int index) {
  AGCmd* found = nullptr;
  int counter = 0;
  scan([&](AGCmd* cmd) {
    if (counter == index) {
      found = cmd;
      return false;
    }
    ++counter;
    return true;
  });
  return found;
}

}  // namespace

// The label is the target's own name when it was found, the name the
// command gives when it was not.
void ShowNavigationLabel(NodeEntry* entry, AGCmdKind kind) {
  ResolveOneName(entry, kind);
  bool isNext = kind == AGCmdKind::Next;
  NavState state = isNext ? entry->nextState : entry->prevState;
  NodeEntry* target = isNext ? entry->nextTarget : entry->prevTarget;
  std::string label;
  if (state == NavState::Found) label = std::string(NodeNameView(target->node));
  if (state == NavState::Missing) {
    AGCmd* cmd = CheckForExisting(kind, entry->node->subcmds);
    Assert(cmd != nullptr, "No navCommand in ShowNodeText");
    label = UnquotedValue(cmd->params.NodeRef.value_or(""));
  }
  CurrentNodeView().AsgNavLabel(isNext ? NavDirection::Next : NavDirection::Prev, state, label);
}

// The check for a duplicate comes first, for MAIN too: the document would
// refuse a second node that sorts first. A new MAIN (in a guide that had
// none) sorts first wherever it was asked for, in the document and the
// registry alike, so it is listed first.
void AddNewNode(AGDocument* doc, std::string_view name, int position) {
  if (FindNodeByName(name) != nullptr) {
    ShowWarningDS("Node name duplicate:", name);
    return;
  }
  if (RefusedValue("A node name", name)) return;
  AGCmd* node = CreateNodeCmd(name, name);
  NodeEntry* entry = AddInfoToNode(node);
  Assert(entry != nullptr, "Out of memory in AddNewNode");
  entry->prevState = entry->nextState = NavState::None;
  AddNode(doc, node);
  Assert(AddToAllNodes(entry), "AddNewNode: a duplicate name passed the check");
  if (FindNodeIdx(entry) == 0) {
    CurrentNodeView().AddNodeToListing(0, name);
    return;
  }
  int last = NodeCount() - 1;
  if (position < 0 || position + 1 >= last) {
    CurrentNodeView().AddNodeToListing(position < 0 ? -1 : position + 1, name);
    return;
  }
  HandDownKeys(entry, position + 1);
  CurrentNodeView().AddNodeToListing(position + 1, name);
}

void DeleteNode(int position) {
  NodeEntry* entry = FindNodeByIdx(position);
  if (entry == nullptr) return;
  if (entry == Editor().editingNode) {
    CurrentNodeView().ShowNodeTextIdx(0);
    CurrentNodeView().SelectNodeRow(0);
  }
  CurrentNodeView().UnListNode(position);
  RemoveFromAllNodes(entry);
  RemNode(GetDocument(Editor().guideFile), entry->node);
  DisposeCmd(entry->node);
  if (Editor().editingNode == entry) Editor().editingNode = nullptr;
  FreeNodeEntry(entry);
  AdjustNodeCount(-1);
}

void MoveNode(int position, int delta) {
  if (delta != -1 && delta != 1) return;
  NodeEntry* a = FindNodeByIdx(position);
  if (a == nullptr) return;
  List all = AllNodesList();
  void* item = nullptr;
  if (delta < 0)
    ListReadRev(all, item);  // the walk stands on a: its neighbour is one step away
  else
    ListRead(all, item);
  NodeEntry* b = ListOpDone(all) ? static_cast<NodeEntry*>(item) : nullptr;
  if (b == nullptr) return;
  ListSetWriteMode(all);
  ListDeletion(all, a);
  ListDeletion(all, b);
  std::swap(a->order, b->order);
  AddEntry(all, a, "swap place on AllNodes FAIL");
  AddEntry(all, b, "swap place on AllNodes FAIL");
  CurrentNodeView().MoveNodeOnGadgInfo(position, delta);
}

void ReTitleNode(int position, std::string_view title) {
  NodeEntry* entry = FindNodeByIdx(position);
  if (entry == nullptr || RefusedValue("A node title", title)) return;
  UpdateCmdStr1(entry->node, std::string(title));
  if (entry == Editor().editingNode) CurrentNodeView().ShowTitle(entry);
}

std::string GetNodeTitle(int position) {
  NodeEntry* entry = FindNodeByIdx(position);
  return entry == nullptr ? std::string() : UnquotedValue(entry->node->params.Strng2.value_or(""));
}

void SaveNodeText(NodeEntry* entry) {
  std::string text;
  text.reserve(80);
  CurrentEditBox().GetEditedText(text);
  TextBlock block = entry->node->block;
  EmptyBlock(block);
  if (Editor().useTabAttr) {
    const std::string& tab = GetAttrName(AGAttrKind::Tab);
    for (size_t k = text.find('\t'); k != std::string::npos; k = text.find('\t', k + tab.size()))
      text.replace(k, 1, tab);
  }
  FillBlock(block, text);
}

// Every node after the first is taken out and put back under its order
// key; the first (MAIN) stays where it stands.
bool ApplyNodeOrder(AGDocument* doc) {
  ResetNodeReader(NodeReaderMode::Read);
  if (ReadNextNode() == nullptr) return false;
  for (NodeEntry* entry = ReadNextNode(); entry != nullptr; entry = ReadNextNode()) {
    RemNode(doc, entry->node);
    entry->node->seq = static_cast<int32_t>(entry->order);
  }
  ResetNodeReader(NodeReaderMode::Read);
  ReadNextNode();
  for (NodeEntry* entry = ReadNextNode(); entry != nullptr; entry = ReadNextNode())
    ReplaceNode(doc, entry->node);
  return true;
}

AGCmd* FindGbl(int index) {
  AGDocument* doc = GetDocument(Editor().guideFile);
  return FindNth([doc](const auto& visitor) { ScanGlobalCmds(doc, visitor); }, index);
}

AGCmd* FindLcl(int index) {
  NodeEntry* entry = Editor().editingNode;
  if (entry == nullptr) return nullptr;
  return FindNth([entry](const auto& visitor) { ScanLocalCmds(entry->node, visitor); }, index);
}

void AddNewGbl(AGDocument* doc, AGCmdKind kind, const CmdParams& params) {
  if (RefusedParams(kind, params)) return;
  AGCmd* cmd = CreateCmd(kind, params);
  AddGlobalCommand(doc, cmd);
  std::string text;
  BuildCmd(cmd, text);
  CurrentNodeView().AddGblToListing(text);
}

void UpdateGbl(AGCmd* cmd, int index, const CmdParams& params) {
  if (RefusedParams(cmd->kind, params)) return;
  UpdateCmd(cmd, params);
  CurrentNodeView().RefreshGblListing(index, cmd);
}

// The @database command stays: removing it from the listing while the
// document keeps it would leave the two out of step.
void DeleteGbl(int index) {
  AGCmd* cmd = FindGbl(index);
  if (cmd != nullptr && cmd->kind == AGCmdKind::Database) return;
  CurrentNodeView().UnListGbl(index);
  if (cmd == nullptr) return;
  RemGlobalCommand(GetDocument(Editor().guideFile), cmd);
  DisposeCmd(cmd);
}

void AddNewLcl(AGDocument* doc, NodeEntry* entry, AGCmdKind kind, const CmdParams& params) {
  if (entry == nullptr || RefusedParams(kind, params)) return;
  AGCmd* cmd = CreateCmd(kind, params);
  AddLocalCommand(doc, entry->node, cmd);
  std::string text;
  BuildCmd(cmd, text);
  if (entry == Editor().editingNode) CurrentNodeView().AddLclToListing(text);
  if (IsNavCommand(kind)) ShowNavigationLabel(entry, kind);
}

void UpdateLcl(NodeEntry* entry, AGCmd* cmd, int index, const CmdParams& params) {
  if (RefusedParams(cmd->kind, params)) return;
  UpdateCmd(cmd, params);
  CurrentNodeView().RefreshLclListing(entry, index, cmd);
  if (IsNavCommand(cmd->kind)) ShowNavigationLabel(entry, cmd->kind);
}

// The node's @endnode is not listed and is never deleted.
void DeleteLcl(int index) {
  NodeEntry* entry = Editor().editingNode;
  AGCmd* cmd = FindLcl(index);
  if (cmd != nullptr && cmd->kind == AGCmdKind::EndNode) return;
  CurrentNodeView().UnListLcl(index);
  if (cmd == nullptr) return;
  RemLocalCommand(GetDocument(Editor().guideFile), entry->node, cmd);
  if (cmd->kind == AGCmdKind::Prev) {
    entry->prevState = NavState::None;
    entry->prevTarget = nullptr;
    CurrentNodeView().AsgNavLabel(NavDirection::Prev, NavState::None, "");
  } else if (cmd->kind == AGCmdKind::Next) {
    entry->nextState = NavState::None;
    entry->nextTarget = nullptr;
    CurrentNodeView().AsgNavLabel(NavDirection::Next, NavState::None, "");
  }
  DisposeCmd(cmd);
}

void AddNewLink(AGDocument*, NodeEntry*, LinkOp op, const std::optional<std::string>& label,
                const std::optional<std::string>& target) {
  if ((label && RefusedValue("A link label", *label)) || (target && RefusedValue("A link target", *target)))
    return;
  AGCmd* link = CreateLinkCmd(op, label, target);
  std::string text;
  BuildCmd(link, text);
  DisposeCmd(link);
  CurrentEditBox().InsertIntoEditedText(text);
}

void AddNewTxtAttr(AGDocument*, NodeEntry*, AGAttrKind kind, AttrParams params) {
  EditBox& box = CurrentEditBox();
  AGAttr* attr = CreateAttr(kind, params);
  std::string onText, offText, selected;
  BuildAttr(attr, onText);
  DisposeAttr(attr);
  int firstLine = 0, firstColumn = 0, lastLine = 0, lastColumn = 0;
  if (params.OnOff == AttrForm::On && GetAttrInfo(kind).Has(AttrModifier::AttrStyle) &&
      box.AnySelectedText() && box.GetSelectedBlock(firstLine, firstColumn, lastLine, lastColumn) &&
      box.GetSelectedText(selected)) {
    params.OnOff = AttrForm::Off;
    attr = CreateAttr(kind, params);
    BuildAttr(attr, offText);
    DisposeAttr(attr);
    box.SelectBlock(firstLine, firstColumn, lastLine, lastColumn);
    box.ReplaceSelectedText(onText + selected + offText);
    return;
  }
  box.InsertIntoEditedText(onText);
}

}  // namespace folioteer
