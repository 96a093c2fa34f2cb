#include "guide/writer.h"

#include "guide/format.h"

namespace folioteer {
namespace {

void AppendCmd(std::string& chunk, const AGCmd* cmd, std::string& scratch) {
  BuildCmd(cmd, scratch);
  chunk += scratch;
  if (cmd->kind != AGCmdKind::Link) chunk += '\n';
}

// A node goes out as one piece: far fewer channel calls than one per line,
// which matters for guides of many thousand nodes.
void AppendNode(std::string& chunk, AGCmd* node) {
  std::string scratch;
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
}

// The document's global commands, then its nodes, each piece to `write`.
template <typename Write>
void WriteDocument(AGDocument* doc, Write&& write) {
  std::string chunk, scratch;
  ScanGlobalCmds(doc, [&](AGCmd* cmd) {
    AppendCmd(chunk, cmd, scratch);
    return true;
  });
  write(chunk);
  ScanNodes(doc, [&](AGCmd* node) {
    chunk.clear();
    AppendNode(chunk, node);
    write(chunk);
    return true;
  });
}

}  // namespace

bool OutputAmigaGuideFile(AmigaGuideFile handle) {
  if (OpenReplacement(handle->file, handle->fileName) != kOpened) return false;
  Channel out = handle->file;
  WriteDocument(handle->doc, [&](const std::string& chunk) { WriteText(out, chunk); });
  return CloseChannel(handle->file);
}

std::string AmigaGuideText(AmigaGuideFile handle) {
  std::string text;
  WriteDocument(handle->doc, [&](const std::string& chunk) { text += chunk; });
  return text;
}

}  // namespace folioteer
