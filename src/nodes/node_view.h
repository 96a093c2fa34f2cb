// The windows as the node operations see them. The node operations keep the
// main window's lists (global commands, nodes, the edited node's local
// commands) and the edit window's title and navigation labels in step with
// the document, while the windows read the node registry. So this folder
// owns the interface, and the window layer above implements it and installs
// it at start-up; calling a node operation before that is an assertion.
//
// The operations carry the names of the window operations they stand for.
// Node positions are positions in AllNodes; command indices are rows of a
// command list.
#pragma once

#include <string_view>

#include "guide/records.h"
#include "nodes/node_registry.h"

namespace folioteer {

class NodeView {
 public:
  virtual ~NodeView() = default;

  // The node list. position -1 appends.
  virtual void AddNodeToListing(int position, std::string_view name) = 0;
  virtual void UnListNode(int position) = 0;
  virtual void MoveNodeOnGadgInfo(int position, int delta) = 0;
  virtual void SelectNodeRow(int position) = 0;

  // The command lists.
  virtual void AddGblToListing(std::string_view text) = 0;
  virtual void UnListGbl(int index) = 0;
  virtual void RefreshGblListing(int index, const AGCmd* cmd) = 0;
  virtual void AddLclToListing(std::string_view text) = 0;
  virtual void UnListLcl(int index) = 0;
  virtual void RefreshLclListing(NodeEntry* entry, int index, const AGCmd* cmd) = 0;

  // The edit window: the node it shows, its title and navigation labels.
  virtual void ShowNodeTextIdx(int position) = 0;
  virtual void ShowTitle(NodeEntry* entry) = 0;
  virtual void AsgNavLabel(NavDirection direction, NavState state, std::string_view label) = 0;
};

NodeView& CurrentNodeView();
// Installs the implementation; nullptr removes it.
void InstallNodeView(NodeView* view);

}  // namespace folioteer
