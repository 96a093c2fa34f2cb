#include "nodes/edit_box.h"

#include "support/interface_slot.h"

namespace folioteer {
namespace {

InterfaceSlot<EditBox> slot("No edit box installed");

}  // namespace

EditBox& CurrentEditBox() { return slot.Get(); }
void InstallEditBox(EditBox* box) { slot.Install(box); }

}  // namespace folioteer
