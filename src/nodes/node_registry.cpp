#include "nodes/node_registry.h"

#include "support/ascii.h"
#include "support/assert.h"

namespace folioteer {
namespace {

List allNodes = nullptr;
List allNodesByName = nullptr;
int nodeCount = 0;

int Fold(int order) { return order < 0 ? -1 : (order > 0 ? 1 : 0); }

int CompareOrder(const void* stored, const void* key) {
  uint32_t a = static_cast<const NodeEntry*>(stored)->order;
  uint32_t b = static_cast<const NodeEntry*>(key)->order;
  return a < b ? -1 : (a > b ? 1 : 0);
}

// By the folded name kept in the entry: a plain byte comparison, and one
// memory access less than through the node record, which counts on lists of
// many thousand nodes. Same order as comparing the names without regard to case.
int CompareNames(const void* stored, const void* key) {
  return Fold(
      static_cast<const NodeEntry*>(stored)->nameKey.compare(static_cast<const NodeEntry*>(key)->nameKey));
}

std::string_view Unquoted(const std::optional<std::string>& value) {
  std::string_view text = value ? std::string_view(*value) : std::string_view();
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  return text;
}

void FreeEntryItem(void* item) {
  NodeEntry* entry = static_cast<NodeEntry*>(item);
  FreeNodeEntry(entry);
}

}  // namespace

std::string_view NodeNameView(const AGCmd* node) { return Unquoted(node->params.Strng); }

void InitNodeRegistry() {
  ClearNodeRegistry();
  ListCreate(allNodes, CompareOrder, Duplicates::Refused);
  ListCreate(allNodesByName, CompareNames, Duplicates::Refused);
  ListSetReadMode(allNodes);
  ListSetReadMode(allNodesByName);
}

void ClearNodeRegistry() {
  if (allNodesByName != nullptr) ListDestroy(allNodesByName);
  if (allNodes != nullptr) ListDestroy(allNodes, FreeEntryItem);
  nodeCount = 0;
}

int NodeCount() { return nodeCount; }
void AdjustNodeCount(int delta) { nodeCount += delta; }
List AllNodesList() { return allNodes; }
List AllNodesByNameList() { return allNodesByName; }

void BuildNodeRegistry(AGDocument* doc) {
  ResetNodeReader(NodeReaderMode::Write);
  ScanNodes(doc, [](AGCmd* node) {
    NodeEntry* entry = AddInfoToNode(node);
    Assert(entry != nullptr, "Out of memory in ScanNodeNamesAddGadg");
    if (!AddToAllNodes(entry)) FreeNodeEntry(entry);
    return true;
  });
  ResetNodeReader(NodeReaderMode::Read);
  ResolveNodes();
}

NodeEntry* AddInfoToNode(AGCmd* node) {
  auto* entry = new NodeEntry;
  entry->node = node;
  entry->name = NodeNameView(node);
  entry->nameKey = AsciiLowered(entry->name);
  return entry;
}

void FreeNodeEntry(NodeEntry*& entry) {
  if (entry == nullptr) return;
  if (entry->misspellings != nullptr)
    ListDestroy(entry->misspellings, [](void* word) { delete static_cast<MisspelledWord*>(word); });
  delete entry;
  entry = nullptr;
}

bool AddToAllNodes(NodeEntry* entry) {
  entry->order = static_cast<uint32_t>(entry->node->seq);
  ListSetWriteMode(allNodesByName);
  ListAddition(allNodesByName, entry);
  bool added = ListOpDone(allNodesByName);
  ListSetReadMode(allNodesByName);
  if (!added) {
    ShowWarningDS("Node name duplicate:", NodeNameView(entry->node));
    return false;
  }
  ListSetWriteMode(allNodes);
  ListAddition(allNodes, entry);
  Assert(ListOpDone(allNodes), "ListAddition AllNodes FAIL");
  ListSetReadMode(allNodes);
  ++nodeCount;
  return true;
}

void RemoveFromAllNodes(NodeEntry* entry) {
  ListSetWriteMode(allNodes);
  ListDeletion(allNodes, entry);
  Assert(ListOpDone(allNodes), "ListDeletion AllNodes FAIL");
  ListSetReadMode(allNodes);
  ListSetWriteMode(allNodesByName);
  ListDeletion(allNodesByName, entry);
  Assert(ListOpDone(allNodesByName), "ListDeletion AllNodesByName FAIL");
  ListSetReadMode(allNodesByName);
}

void ResetNodeReader(NodeReaderMode mode) {
  if (mode == NodeReaderMode::Write)
    ListSetWriteMode(allNodes);
  else
    ListSetReadMode(allNodes);
}

NodeEntry* ReadNextNode() {
  void* item = nullptr;
  ListRead(allNodes, item);
  return ListOpDone(allNodes) ? static_cast<NodeEntry*>(item) : nullptr;
}

NodeEntry* FindNodeByIdx(int position) {
  if (position < 0) return nullptr;
  ResetNodeReader(NodeReaderMode::Read);
  NodeEntry* entry = ReadNextNode();
  for (int i = 0; i < position && entry != nullptr; ++i) entry = ReadNextNode();
  return entry;
}

int FindNodeIdx(const NodeEntry* entry) {
  ResetNodeReader(NodeReaderMode::Read);
  int position = 0;
  for (NodeEntry* each = ReadNextNode(); each != nullptr; each = ReadNextNode(), ++position)
    if (each == entry) return position;
  return -1;
}

NodeEntry* FindNodeByName(std::string_view name) {
  static NodeEntry key;
  key.nameKey.assign(name);
  LowerAsciiInPlace(key.nameKey);
  ListSetReadMode(allNodesByName);
  void* found = nullptr;
  return OnList(allNodesByName, &key, found) ? static_cast<NodeEntry*>(found) : nullptr;
}

AGCmd* CheckForExisting(AGCmdKind kind, List localCmds) {
  if (localCmds == NilList()) return nullptr;
  ListSetReadMode(localCmds);
  void* item = nullptr;
  for (ListRead(localCmds, item); ListOpDone(localCmds); ListRead(localCmds, item))
    if (static_cast<AGCmd*>(item)->kind == kind) return static_cast<AGCmd*>(item);
  return nullptr;
}

void ResolveOneName(NodeEntry* entry, AGCmdKind kind) {
  Assert(kind == AGCmdKind::Next || kind == AGCmdKind::Prev, "ResolveOneName wrong whichCmd");
  NavState state = NavState::None;
  NodeEntry* target = nullptr;
  if (AGCmd* cmd = CheckForExisting(kind, entry->node->subcmds)) {
    std::string_view name = Unquoted(cmd->params.NodeRef);
    if (name.empty()) {
      state = NavState::Empty;
    } else {
      target = FindNodeByName(name);
      state = target != nullptr ? NavState::Found : NavState::Missing;
    }
  }
  (kind == AGCmdKind::Next ? entry->nextState : entry->prevState) = state;
  (kind == AGCmdKind::Next ? entry->nextTarget : entry->prevTarget) = target;
}

void ResolveNodes() {
  ListSetReadMode(allNodesByName);
  ResetNodeReader(NodeReaderMode::Read);
  for (NodeEntry* entry = ReadNextNode(); entry != nullptr; entry = ReadNextNode()) {
    ResolveOneName(entry, AGCmdKind::Prev);
    ResolveOneName(entry, AGCmdKind::Next);
  }
}

}  // namespace folioteer
