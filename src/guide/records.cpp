#include "guide/records.h"

namespace folioteer {
namespace {

AGCmd* freeCommands = nullptr;
size_t commandAllocations = 0;

void CopyString(const std::optional<std::string>& source, std::optional<std::string>& destination) {
  if (source)
    destination = *source;
  else
    destination.emplace();
}

void ClearKeepingBuffer(std::optional<std::string>& text) {
  if (text) text->clear();
}

}  // namespace

void InitEmptyParams(CmdParams& params) {
  params.NodeRef.reset();
  params.Strng.reset();
  params.Strng2.reset();
  params.Num = 0;
}

void InitEmptyAttrParams(AttrParams& params) { params = AttrParams{}; }

void CopyParams(const CmdParams& source, CmdParams& destination) {
  CopyString(source.NodeRef, destination.NodeRef);
  CopyString(source.Strng, destination.Strng);
  CopyString(source.Strng2, destination.Strng2);
  destination.Num = source.Num;
}

void CopyAttrParams(const AttrParams& source, AttrParams& destination) {
  CopyString(source.Strng, destination.Strng);
  destination.Num = source.Num;
  destination.Color = source.Color;
  destination.OnOff = source.OnOff;
}

AGCmd* ObtainCommand() {
  AGCmd* cmd = freeCommands;
  if (cmd != nullptr) {
    freeCommands = cmd->chainLink;
  } else {
    cmd = new AGCmd;
    ++commandAllocations;
  }
  cmd->kind = AGCmdKind::None;
  cmd->mods = CmdModSet{};
  cmd->linkOp = LinkOp::Link;
  cmd->subcmds = NilList();
  cmd->params.Num = 0;
  cmd->block = InvalidBlock();
  cmd->seq = 0;
  cmd->chainLink = nullptr;
  return cmd;
}

void RecycleCommand(AGCmd*& cmd) {
  if (cmd == nullptr) return;
  if (cmd->subcmds != NilList()) {
    ListDestroy(cmd->subcmds, [](void* item) {
      AGCmd* local = static_cast<AGCmd*>(item);
      RecycleCommand(local);
    });
  }
  ClearKeepingBuffer(cmd->params.NodeRef);
  ClearKeepingBuffer(cmd->params.Strng);
  ClearKeepingBuffer(cmd->params.Strng2);
  if (cmd->block != InvalidBlock()) DeallocBlock(cmd->block);
  cmd->kind = AGCmdKind::None;
  cmd->seq = 0;
  cmd->chainLink = freeCommands;
  freeCommands = cmd;
  cmd = nullptr;
}

size_t CommandAllocations() { return commandAllocations; }

int CompareBySeq(const void* stored, const void* key) {
  int32_t a = static_cast<const AGCmd*>(stored)->seq;
  int32_t b = static_cast<const AGCmd*>(key)->seq;
  return a < b ? -1 : (a > b ? 1 : 0);
}

}  // namespace folioteer
