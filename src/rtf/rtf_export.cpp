#include "rtf/rtf_export.h"

#include "nodes/scanner.h"
#include "rtf/rtf_attributes.h"
#include "rtf/rtf_writer.h"
#include "support/ascii.h"
#include "support/assert.h"
#include "support/debug_output.h"
#include "support/file_names.h"

namespace folioteer {
namespace {

// The node name stands in a paragraph of 2-point white on white text.
constexpr uint32_t kHiddenColor = 3;
constexpr int kHiddenFontSize = 4;

// ---------------------------------------------------------------------------
// Commands

using CommandAction = void (*)(AGCmd* cmd, ScanState& state, RTFConversion& conv);

struct CommandEntry {
  AGCmdKind kind;
  CommandAction action;
};

void NoOutput(AGCmd*, ScanState&, RTFConversion&) {}

void RegisterMacro(AGCmd* cmd, ScanState& state, RTFConversion&) {
  AddMacroCommand(cmd, state.documentContext.macros);
}

void DocumentTabs(AGCmd* cmd, ScanState& state, RTFConversion& conv) {
  SetTabStops(state.documentContext, cmd->params.Num, conv.out);
}

void NodeTabs(AGCmd* cmd, ScanState& state, RTFConversion& conv) {
  SetTabStops(state.nodeContext, cmd->params.Num, conv.out);
}

// The version text in a right-aligned page header.
void VersionHeader(AGCmd* cmd, ScanState&, RTFConversion& conv) {
  RTFsection(conv.out, RTFSectionKind::Header, RTFGroup::Open);
  RTFformat(conv.out, RTFFormatKind::AlignRight, 0);
  RTFWriteStringLong(conv.out, cmd->params.Strng.value_or(""));
  RTFsection(conv.out, RTFSectionKind::Header, RTFGroup::Close);
}

constexpr CommandEntry kGlobalCommands[] = {
    {AGCmdKind::Font, NoOutput},
    {AGCmdKind::Macro, RegisterMacro},
    {AGCmdKind::Tab, DocumentTabs},
    {AGCmdKind::Version, VersionHeader},
};

// A @macro read inside a node is ignored: macros belong to the whole
// document, and the scan knows only the document's.
constexpr CommandEntry kLocalCommands[] = {
    {AGCmdKind::Font, NoOutput},
    {AGCmdKind::Macro, NoOutput},
    {AGCmdKind::Tab, NodeTabs},
};

template <size_t N>
const CommandEntry* FindCommand(const CommandEntry (&table)[N], AGCmdKind kind) {
  for (const CommandEntry& entry : table)
    if (entry.kind == kind) return &entry;
  return nullptr;
}

bool GlobalCommand(AGCmd* cmd, ScanState& state, RTFConversion& conv) {
  if (const CommandEntry* entry = FindCommand(kGlobalCommands, cmd->kind))
    entry->action(cmd, state, conv);
  else if (DebugEnabled())
    DebugPrint("ELSE empty " + std::to_string(static_cast<int>(cmd->kind)));
  return true;
}

bool LocalCommand(AGCmd* cmd, ScanState& state, RTFConversion& conv) {
  if (const CommandEntry* entry = FindCommand(kLocalCommands, cmd->kind)) entry->action(cmd, state, conv);
  return true;
}

// ---------------------------------------------------------------------------
// Nodes

// A page break before every node but MAIN, then the name as an invisible
// paragraph holding the bookmark that links refer to.
void NodeHeading(AGCmd* node, RTFConversion& conv) {
  std::string name = NodeName(node);
  if (!EqualsIgnoreCase(name, "MAIN")) RTFcarriage(conv.out, RTFCarriageKind::Page);
  RTFformat(conv.out, RTFFormatKind::LeftIndent, 0);
  RTFbracket(conv.out, RTFGroup::Open);
  RTFcolor(conv.out, kHiddenColor, RTFColorLayer::Foreground);
  RTFcolor(conv.out, kHiddenColor, RTFColorLayer::Background);
  RTFfontsize(conv.out, kHiddenFontSize);
  std::string escaped = EscapedRTF(name);
  RTFbookmark(conv.out, escaped, escaped);
  RTFcarriage(conv.out, RTFCarriageKind::Paragraph);
  RTFbracket(conv.out, RTFGroup::Close);
}

void InstallHandlers(ScanState& state, RTFConversion& conv) {
  ScanHandlers& handlers = GetScanHandlers(state);
  conv.pending = handlers.auxiliary;
  conv.node = &state.nodeContext;
  handlers.globalCommand = [&conv](AGCmd* cmd, ScanState& scan) { return GlobalCommand(cmd, scan, conv); };
  handlers.localCommand = [&conv](AGCmd* cmd, ScanState& scan) { return LocalCommand(cmd, scan, conv); };
  handlers.nodeBegin = [&conv](AGCmd*, ScanState&) {
    RTFbracket(conv.out, RTFGroup::Open);
    conv.nodeGroupOpen = true;
  };
  handlers.nodeHeading = [&conv](AGCmd* node, ScanState&) { NodeHeading(node, conv); };
  handlers.attributeRun = [&conv](const AttrRunTexts& attrs, int count, ScanState&) {
    for (int i = 0; i < count; ++i) ExportAttribute(attrs[i], conv);
  };
  handlers.textRun = [&conv](const std::string& text, ScanState&) { RTFWriteStringLong(conv.out, text); };
  handlers.nodeEnd = [&conv](AGCmd*, ScanState&) {
    RTFbracket(conv.out, RTFGroup::Close);
    conv.nodeGroupOpen = false;
  };
}

// The preamble, the global commands, every node in document order.
void WriteDocument(AmigaGuideFile guideFile, const std::string& rtfName, ScanState& state,
                   RTFConversion& conv) {
  RTFpreamble(conv.out, rtfName);
  AGDocument* doc = GetDocument(guideFile);
  ScanGlobalCommands(doc, state);
  ScanNodes(doc, [&](AGCmd* node) { return ScanOneNode(doc, node, state); });
  RTFpostlog(conv.out);
}

// What an export that stopped on an exception leaves: a closed file that
// ends like a finished one, its groups balanced (no rule leaves a group open
// between two handler calls, so only the node's own group can be).
void CloseAfterFailure(RTFConversion& conv) {
  if (DeviceOf(conv.out) == nullptr) return;
  if (conv.nodeGroupOpen) RTFbracket(conv.out, RTFGroup::Close);
  RTFpostlog(conv.out);
  CloseChannel(conv.out);
}

}  // namespace

std::string RTFFileName(const std::string& guideName) {
  std::string name = WithExtension(guideName, "rtf");
  Assert(!name.empty(), "Bad File Name");
  return name;
}

RTFExportResult ConvertRTF(AmigaGuideFile guideFile) {
  ScanState state;
  RTFConversion conv;
  InitFolioteerScan(state);
  try {
    InstallHandlers(state, conv);
    std::string guideName;
    InquireAGFileName(guideFile, guideName);
    std::string rtfName = RTFFileName(guideName);
    if (NameTheSameFile(rtfName, guideName)) {
      TermFolioteerScan(state);
      return RTFExportResult::GuideItself;
    }
    if (OpenReplacement(conv.out, rtfName) != kOpened) {
      TermFolioteerScan(state);
      return RTFExportResult::NotCreated;
    }
    GetScanHandlers(state).output = conv.out;
    WriteDocument(guideFile, rtfName, state, conv);
  } catch (...) {
    DebugPrint("EXCEPT in ConvertRTF");
    CloseAfterFailure(conv);
    TermFolioteerScan(state);
    throw;
  }
  // A write that failed on the way (a full disk) leaves the old file as it
  // was and must not be reported as written.
  bool written = CloseChannel(conv.out);
  TermFolioteerScan(state);
  return written ? RTFExportResult::Written : RTFExportResult::NotCreated;
}

}  // namespace folioteer
