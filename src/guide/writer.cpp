#include "guide/writer.h"

#include "guide/format.h"

namespace folioteer {
namespace {

void AppendCmd(std::string& chunk, const AGCmd* cmd, std::string& scratch) {
  BuildCmd(cmd, scratch);
  chunk += scratch;
  if (cmd->kind != AGCmdKind::Link) chunk += '\n';
}

// A node goes to the channel as one piece: far fewer channel calls than one
// per line, which matters for guides of many thousand nodes.
void WriteNode(Channel out, AGCmd* node, std::string& chunk) {
  std::string scratch;
  chunk.clear();
  AppendCmd(chunk, node, scratch);
  AGCmd* endNode = nullptr;
  ScanLocalCmds(node, [&](AGCmd* cmd) {
    if (cmd->kind == AGCmdKind::EndNode)
      endNode = cmd;
    else
      AppendCmd(chunk, cmd, scratch);
    return true;
  });
  if (node->block != InvalidBlock()) {
    ResetBlockRead(node->block);
    const std::string* line = nullptr;
    while (NextBlockLineRef(node->block, line)) {
      chunk += *line;
      chunk += '\n';
    }
  }
  if (endNode != nullptr) AppendCmd(chunk, endNode, scratch);
  WriteText(out, chunk);
}

}  // namespace

bool OutputAmigaGuideFile(AmigaGuideFile handle) {
  if (OpenReplacement(handle->file, handle->fileName) != kOpened) return false;
  Channel out = handle->file;
  ScanGlobalCmds(handle->doc, [&](AGCmd* cmd) {
    OutputCmd(out, cmd);
    return true;
  });
  std::string chunk;
  ScanNodes(handle->doc, [&](AGCmd* node) {
    WriteNode(out, node, chunk);
    return true;
  });
  return CloseChannel(handle->file);
}

}  // namespace folioteer
