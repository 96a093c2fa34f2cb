#include "guide/document.h"

#include <algorithm>

#include "guide/format.h"
#include "support/ascii.h"
#include "support/assert.h"
#include "support/file_names.h"

namespace folioteer {
namespace {

void AddToList(List list, AGCmd* cmd, const char* failure) {
  ListSetWriteMode(list);
  ListAddition(list, cmd);
  Assert(ListOpDone(list), failure);
}

void RemoveFromList(List list, AGCmd* cmd, const char* failure) {
  ListSetWriteMode(list);
  ListDeletion(list, cmd);
  Assert(ListOpDone(list), failure);
}

void Walk(List list, const std::function<bool(AGCmd*)>& visitor) {
  if (list == NilList()) return;
  ListSetReadMode(list);
  void* item = nullptr;
  for (ListRead(list, item); ListOpDone(list); ListRead(list, item))
    if (!visitor(static_cast<AGCmd*>(item))) break;
}

void DisposeAll(List& list) {
  if (list == NilList()) return;
  ListDestroy(list, [](void* item) {
    AGCmd* cmd = static_cast<AGCmd*>(item);
    DisposeCmd(cmd);
  });
}

}  // namespace

AmigaGuideFile InvalidAmigaGuideFile() { return nullptr; }

void InquireAGFileName(AmigaGuideFile handle, std::string& name) {
  Assert(handle != nullptr, "InquireAGFileName NIL af");
  name = handle->fileName;
}

bool RedirectAmigaGuideFile(AmigaGuideFile handle, const std::string& name) {
  if (handle == nullptr) return false;
  if (handle->file.Valid()) CloseChannel(handle->file);
  std::string dir, file;
  if (!SplitFileName(name, dir, file)) return false;
  handle->fileName = name;
  return true;
}

void CloseAmigaGuideFile(AmigaGuideFile& handle) {
  if (handle == nullptr) return;
  if (handle->file.Valid()) CloseChannel(handle->file);
  if (handle->doc != nullptr) {
    DisposeAll(handle->doc->globalCmds);
    DisposeAll(handle->doc->nodes);
    delete handle->doc;
  }
  delete handle;
  handle = nullptr;
}

AGDocument* GetDocument(AmigaGuideFile handle) { return handle->doc; }
List GetGlobalCmdsList(AGDocument* doc) { return doc->globalCmds; }
const ParseLosses& GetParseLosses(AmigaGuideFile handle) { return handle->losses; }

std::string DescribeParseLosses(const ParseLosses& losses) {
  constexpr size_t kLinesNamed = 5;
  if (!losses.Any()) return {};
  auto count = [](int n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); };
  std::string text = "The next save will leave out ";
  if (losses.textLines > 0) text += count(losses.textLines, "text line") + " outside nodes";
  if (losses.textLines > 0 && losses.commands > 0) text += " and ";
  if (losses.commands > 0) text += count(losses.commands, "command") + " that may not stand outside a node";
  text += " (line";
  size_t named = std::min(losses.lines.size(), kLinesNamed);
  if (named > 1) text += "s";
  for (size_t i = 0; i < named; ++i) text += (i == 0 ? " " : ", ") + std::to_string(losses.lines[i].line);
  if (named < losses.lines.size()) text += ", ...";
  return text + ").";
}

AGDocument* NewDocument(AGCmd* database) {
  auto* doc = new AGDocument;
  ListCreate(doc->globalCmds, CompareBySeq, Duplicates::Refused);
  ListCreate(doc->nodes, CompareBySeq, Duplicates::Refused);
  database->seq = 1;
  doc->lastSeq = 1;
  AddToList(doc->globalCmds, database, "ListAddition FAIL in OpenAmigaGuideFile");
  return doc;
}

void AddGlobalCommand(AGDocument* doc, AGCmd* cmd) {
  cmd->seq = ++doc->lastSeq;
  AddToList(doc->globalCmds, cmd, "ListAddition FAIL in AddGlobalCommand");
}

void RemGlobalCommand(AGDocument* doc, AGCmd* cmd) {
  if (cmd->kind == AGCmdKind::Database) return;
  RemoveFromList(doc->globalCmds, cmd, "ListDeletion(adoc^.globalCmds FAIL");
}

void AddLocalCommand(AGDocument* doc, AGCmd* node, AGCmd* cmd) {
  cmd->seq = ++doc->lastSeq;
  AddToList(node->subcmds, cmd, "ListAddition FAIL in AddLocalCommand");
}

void RemLocalCommand(AGDocument*, AGCmd* node, AGCmd* cmd) {
  RemoveFromList(node->subcmds, cmd, "ListDeletion(.subcmds FAIL");
}

void AddNode(AGDocument* doc, AGCmd* node) {
  Assert(node->subcmds == NilList(), "AddNode on non-empty node NYI");
  node->seq = IsMainNode(node) ? 0 : ++doc->lastSeq;
  AddToList(doc->nodes, node, "ListAddition FAIL in InsertEmptyNode");
  ListCreate(node->subcmds, CompareBySeq, Duplicates::Refused);
  AGCmd* endNode = CreateSwitchCmd(AGCmdKind::EndNode);
  endNode->seq = kEndNodeSeq;
  AddToList(node->subcmds, endNode, "ListAddition FAIL in InsertEmptyNode");
}

void ReplaceNode(AGDocument* doc, AGCmd* node) {
  AddToList(doc->nodes, node, "ListAddition FAIL in ReplaceNode");
  if (node->seq > doc->lastSeq) doc->lastSeq = node->seq;
}

void RemNode(AGDocument* doc, AGCmd* node) {
  ListSetWriteMode(doc->nodes);
  ListDeletion(doc->nodes, node);
}

void ScanGlobalCmds(AGDocument* doc, const std::function<bool(AGCmd*)>& visitor) {
  Walk(doc->globalCmds, visitor);
}
void ScanLocalCmds(AGCmd* node, const std::function<bool(AGCmd*)>& visitor) { Walk(node->subcmds, visitor); }
void ScanNodes(AGDocument* doc, const std::function<bool(AGCmd*)>& visitor) { Walk(doc->nodes, visitor); }

std::string NodeName(const AGCmd* node) { return UnquotedValue(node->params.Strng.value_or("")); }

bool IsMainNode(const AGCmd* node) { return EqualsIgnoreCase(node->params.Strng.value_or(""), "\"MAIN\""); }

}  // namespace folioteer
