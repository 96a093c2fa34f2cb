// Command and attribute records: how every AmigaGuide command of a document
// is held (AGCmd), and how text attributes are held while they are rendered
// into node text (AGAttr). This is the storage layer: parameter records and
// the obtaining and recycling of command records.
//
// A command record of an @node owns its node-local commands (subcmds, ordered
// by seq, ending with its @endnode) and its text block. Records are recycled
// through a process-wide free chain; their string buffers are kept for reuse,
// so a recycled record holds present, empty strings where a fresh one holds
// absent ones (no reader can tell: every reader goes by the kind's modifiers).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "containers/ordered_list.h"
#include "containers/text_block.h"
#include "guide/syntax.h"

namespace folioteer {

// The values of a command, in the names of the editor's argument template.
struct CmdParams {
  std::optional<std::string> NodeRef;  // help, index, next, prev, toc, link target
  std::optional<std::string> Strng;    // name, author, title, font, macro name, label, version, remark
  std::optional<std::string> Strng2;   // node title, macro body, version comment, link operation
  int32_t Num = 0;                     // height, width, tab size, font size, link line
};

enum class AttrForm : uint8_t { On = 0, Off = 1, NotStyle = 2 };

struct AttrParams {
  std::optional<std::string> Strng;  // the tab list of @{settabs
  int32_t Num = 0;
  GuideColor Color = GuideColor::Text;
  AttrForm OnOff = AttrForm::On;
};

struct AGCmd {
  AGCmdKind kind = AGCmdKind::None;
  CmdModSet mods;
  LinkOp linkOp = LinkOp::Link;
  List subcmds = nullptr;  // of AGCmd, for an @node
  CmdParams params;        // in written form
  TextBlock block = nullptr;
  int32_t seq = 0;
  AGCmd* chainLink = nullptr;
};

struct AGAttr {
  AGAttrKind kind = AGAttrKind::None;
  AttrParams params;
};

void InitEmptyParams(CmdParams& params);
void InitEmptyAttrParams(AttrParams& params);
// A present source string is copied, an absent one gives a present empty one.
void CopyParams(const CmdParams& source, CmdParams& destination);
void CopyAttrParams(const AttrParams& source, AttrParams& destination);

AGCmd* ObtainCommand();
// Recycles the record with its local commands and text; cmd becomes null.
void RecycleCommand(AGCmd*& cmd);

// Fresh record allocations so far (recycled ones not counted).
size_t CommandAllocations();

// Orders records by seq, the key of every document list.
int CompareBySeq(const void* stored, const void* key);

}  // namespace folioteer
