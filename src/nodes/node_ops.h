// The editor's node and command operations: add, delete, move and retitle a
// node; add, edit and delete global and node-local commands; insert a link
// or a text attribute into the edited text; store the edited text back into
// its node. Each keeps three things in step: the Guide document, the node
// registry and the windows' lists, the last through the installed NodeView
// and EditBox. Positions are positions in AllNodes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "guide/document.h"
#include "nodes/node_registry.h"

namespace folioteer {

// The new node stands directly after the node at position, or last when
// position is negative or at or beyond the last node.
void AddNewNode(AGDocument* doc, std::string_view name, int position);
void DeleteNode(int position);
void MoveNode(int position, int delta);
void ReTitleNode(int position, std::string_view title);
// The title without its quotes; empty for an unknown position.
std::string GetNodeTitle(int position);
void SaveNodeText(NodeEntry* entry);
// Puts the document's nodes in the order of the node list, the order that
// saving and the RTF export write; FALSE (nothing changed) when no node is
// registered.
bool ApplyNodeOrder(AGDocument* doc);
// Resolves the node's @next (or @prev) and shows it on its navigation label.
void ShowNavigationLabel(NodeEntry* entry, AGCmdKind kind);

AGCmd* FindGbl(int index);
AGCmd* FindLcl(int index);
void AddNewGbl(AGDocument* doc, AGCmdKind kind, const CmdParams& params);
void UpdateGbl(AGCmd* cmd, int index, const CmdParams& params);
void DeleteGbl(int index);
void AddNewLcl(AGDocument* doc, NodeEntry* entry, AGCmdKind kind, const CmdParams& params);
void UpdateLcl(NodeEntry* entry, AGCmd* cmd, int index, const CmdParams& params);
void DeleteLcl(int index);
void AddNewLink(AGDocument* doc, NodeEntry* entry, LinkOp op, const std::optional<std::string>& label,
                const std::optional<std::string>& target);
void AddNewTxtAttr(AGDocument* doc, NodeEntry* entry, AGAttrKind kind, AttrParams params);

}  // namespace folioteer
