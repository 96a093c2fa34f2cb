// The editor's parameter dialogs: the new-command dialog (the values of a
// global or node-local command), the new-link dialog and the new-attribute
// dialog. They share the window set's dialog window: opening one makes a new
// window record in place of the one before, fills it with the fields the
// command or attribute kind takes (the others are not shown at all) and opens
// it at the main window's position. Reading back takes the shown fields only
// and says which were shown.
//
// The dialog loops that wait for Ok or Cancel belong to command input.
#pragma once

#include <cstdint>

#include "guide/records.h"
#include "ui/controls.h"

namespace folioteer {

// The fields a new-command dialog shows.
enum CmdFieldMask : uint16_t { kNodeRefField = 1, kStrngField = 2, kStrng2Field = 4, kNumField = 8 };
// The fields a new-attribute dialog shows.
enum AttrFieldMask : uint16_t { kColorField = 1, kOnOffField = 2, kAttrNumField = 4, kAttrTextField = 8 };

// The content each dialog opens with, for the kind and its values.
DialogContent NewCmdContent(AGCmdKind kind, const CmdParams& params);
DialogContent NewLinkContent(const CmdParams& params);
DialogContent NewAttrContent(AGAttrKind kind, const AttrParams& params);

void OpenNewCmdWndo(AGCmdKind kind, const CmdParams& params);
void HideNewCmdWndo();
// The shown fields into params; the set of shown fields (CmdFieldMask). A
// link kind has a dialog of its own: a warning, and nothing read.
uint16_t GetEnabledNewCmdGadgs(AGCmdKind kind, CmdParams& params);

// The link text, the operation (the Num, 0 to 3) and the target. Params'
// Num is the operation to offer.
void OpenNewLinkWndo(const CmdParams& params);
void HideNewLinkWndo();
// A text field that holds nothing but blanks and tabs gives an absent value.
void GetEnabledNewLinkGadgs(CmdParams& params);
// The fields' hints for the operation: its description, label and target hints.
void CustomizeLinkOpHints(LinkOp op);

void OpenNewAttrWndo(AGAttrKind kind, const AttrParams& params);
void HideNewAttrWndo();
// The shown fields into params; the set of shown fields (AttrFieldMask).
uint16_t GetEnabledNewAttrGadgs(AGAttrKind kind, AttrParams& params);

}  // namespace folioteer
