// The attribute rules of the RTF export: how each text attribute of a node
// ("@{b}", "@{lindent 3}", a link...) becomes RTF, tried in a fixed order
// where the first rule that matches decides, and the helpers the export's
// command handlers share with them.
//
// The conversion state refers to the scan's node context, where styles,
// justification, wrap mode and tab stops are tracked per node, and to the
// store of pending paragraph formats, which the next paragraph break writes
// out and empties. Node names, labels and targets are escaped before they go
// into a bookmark or a reference, so every group the export writes is
// balanced whatever the guide holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "guide/context.h"
#include "support/channels.h"

namespace folioteer {

struct RTFConversion {
  Channel out;
  Channel pending;  // a text block channel: one paragraph format a line
  bool formatsPending = false;
  bool nodeGroupOpen = false;  // between node begin and node end
  AGContext* node = nullptr;   // the scan's node context
};

// Writes one attribute of a run.
void ExportAttribute(const std::string& attr, RTFConversion& conversion);

// The 40 tab stops at width, 2 × width, ... 40 × width, each also written as
// a "\tx" control word.
void SetTabStops(AGContext& context, int32_t width, Channel out);

// "\", "{" and "}" each preceded by a backslash, as RTFWriteString writes
// text, for the pieces the RTF writer passes on unescaped.
std::string EscapedRTF(std::string_view text);

}  // namespace folioteer
