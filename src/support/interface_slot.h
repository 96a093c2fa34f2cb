// InterfaceSlot: where a lower module keeps the implementation of an
// interface it owns and a higher layer installs at start-up (the windows
// implement the node operations' NodeView, for instance). Using the slot
// before anything is installed is an assertion with the slot's message.
#pragma once

#include <string_view>

#include "support/assert.h"

namespace folioteer {

template <typename Interface>
class InterfaceSlot {
 public:
  explicit constexpr InterfaceSlot(std::string_view whenEmpty) : whenEmpty_(whenEmpty) {}

  Interface& Get() const {
    Assert(installed_ != nullptr, whenEmpty_);
    return *installed_;
  }
  // nullptr empties the slot.
  void Install(Interface* implementation) { installed_ = implementation; }

 private:
  Interface* installed_ = nullptr;
  std::string_view whenEmpty_;
};

}  // namespace folioteer
