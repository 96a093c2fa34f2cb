// The node registry: the editor's index of the nodes of the open document.
//
// One node entry per node, on two ordered lists at once: AllNodes in
// document order (by `order`, the order key handed out at registration and
// afterwards changed only here) and AllNodesByName by name without regard to
// case. Positions in the node list of the main window are positions in
// AllNodes; position 0 is always MAIN.
//
// Invariant: every entry is on both lists or on neither; no two registered
// names are equal without regard to case; no two entries share an order.
// Both lists rest in reading mode between operations, except that AllNodes
// may be left in writing mode: every reader starts with ResetNodeReader.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "containers/ordered_list.h"
#include "guide/document.h"
#include "guide/records.h"

namespace folioteer {

enum class NavState : uint8_t { None, Unresolved, Empty, Missing, Found };
// Which of a node's two navigation commands: @prev or @next.
enum class NavDirection : uint8_t { Prev, Next };
inline constexpr int kNumNavDirections = 2;
static_assert(kNumNavDirections == static_cast<int>(NavDirection::Next) + 1);
// What a walk over AllNodes may do on its way.
enum class NodeReaderMode : uint8_t { Read, Write };

// One entry of a node's misspelling list, in order of first occurrence.
struct MisspelledWord {
  std::string word;
  uint32_t sequence = 0;
};

struct NodeEntry {
  AGCmd* node = nullptr;  // the node's @node record, owned by the document
  std::string name;       // the node's name without quotes (names never change)
  std::string nameKey;    // the name folded to small letters, the key of AllNodesByName
  uint32_t order = 0;
  NavState prevState = NavState::Unresolved;
  NavState nextState = NavState::Unresolved;
  NodeEntry* prevTarget = nullptr;
  NodeEntry* nextTarget = nullptr;
  List misspellings = nullptr;  // of MisspelledWord, filled by the spell check
};

// Creates the two empty lists (dropping any entries of a previous document).
void InitNodeRegistry();
// Frees every entry and empties both lists.
void ClearNodeRegistry();
int NodeCount();
// Registers every node of the document in document order (a node whose name
// is registered already stays out, with the warning) and resolves the
// targets of their @next and @prev. The windows list what it registered.
void BuildNodeRegistry(AGDocument* doc);

NodeEntry* AddInfoToNode(AGCmd* node);
void FreeNodeEntry(NodeEntry*& entry);
// Registers the entry; FALSE (with the warning "Node name duplicate:") when
// a node of that name is registered already.
bool AddToAllNodes(NodeEntry* entry);
void RemoveFromAllNodes(NodeEntry* entry);
void ResetNodeReader(NodeReaderMode mode);
// The next entry of a walk begun with ResetNodeReader(Read); null at the end.
NodeEntry* ReadNextNode();

NodeEntry* FindNodeByIdx(int position);
int FindNodeIdx(const NodeEntry* entry);
NodeEntry* FindNodeByName(std::string_view name);

// The first local command of the kind, or null.
AGCmd* CheckForExisting(AGCmdKind kind, List localCmds);
// kind must be @next or @prev.
void ResolveOneName(NodeEntry* entry, AGCmdKind kind);
void ResolveNodes();

// The raw lists, for the operations of node_ops.cpp.
List AllNodesList();
List AllNodesByNameList();
void AdjustNodeCount(int delta);

// A node's name as it stands, without enclosing quotes (no copy).
std::string_view NodeNameView(const AGCmd* node);

}  // namespace folioteer
