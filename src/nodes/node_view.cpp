#include "nodes/node_view.h"

#include "support/assert.h"

namespace folioteer {
namespace {

NodeView* installed = nullptr;

}  // namespace

NodeView& CurrentNodeView() {
  Assert(installed != nullptr, "No node view installed");
  return *installed;
}

void InstallNodeView(NodeView* view) { installed = view; }

}  // namespace folioteer
