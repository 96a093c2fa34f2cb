#include "nodes/edit_box.h"

#include "support/assert.h"

namespace folioteer {
namespace {

EditBox* installed = nullptr;

}  // namespace

EditBox& CurrentEditBox() {
  Assert(installed != nullptr, "No edit box installed");
  return *installed;
}

void InstallEditBox(EditBox* box) { installed = box; }

}  // namespace folioteer
