// The settings that the settings line carries (the screen, the font name
// and size, the five on/off settings), taken from the editor state and put
// back, to compare what was written with what was read. Shared by the
// settings tests and the settings line's fuzz target.
#pragma once

#include <algorithm>
#include <iterator>
#include <string>

#include "state/editor_state.h"

namespace folioteer::testing {

struct CarriedSettings {
  std::string screen, font;
  int size = 14;
  bool flags[5] = {};

  static CarriedSettings Now() {
    EditorState& editor = Editor();
    return {editor.pubScreenName,
            editor.editorFont.name,
            editor.editorFont.size,
            {editor.makeIcons, editor.autoPreview, editor.useTabAttr, editor.helpHints, editor.spellCheck}};
  }
  void Set() const {
    EditorState& editor = Editor();
    editor.pubScreenName = screen;
    editor.editorFont.name = font;
    editor.editorFont.size = size;
    bool* targets[] = {&editor.makeIcons, &editor.autoPreview, &editor.useTabAttr, &editor.helpHints,
                       &editor.spellCheck};
    for (int i = 0; i < 5; ++i) *targets[i] = flags[i];
  }
  friend bool operator==(const CarriedSettings& a, const CarriedSettings& b) {
    return a.screen == b.screen && a.font == b.font && a.size == b.size &&
           std::equal(std::begin(a.flags), std::end(a.flags), std::begin(b.flags));
  }
};

}  // namespace folioteer::testing
