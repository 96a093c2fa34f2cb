#include "nodes/node_view.h"

#include "support/interface_slot.h"

namespace folioteer {
namespace {

InterfaceSlot<NodeView> slot("No node view installed");

}  // namespace

NodeView& CurrentNodeView() { return slot.Get(); }
void InstallNodeView(NodeView* view) { slot.Install(view); }

}  // namespace folioteer
