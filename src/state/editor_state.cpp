#include "state/editor_state.h"

namespace folioteer {

EditorState& Editor() {
  static EditorState state;
  return state;
}

}  // namespace folioteer
