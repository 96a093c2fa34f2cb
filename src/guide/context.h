// The AmigaGuide context: the rendering state that the node text scanner and
// the RTF export keep per document and per node (styles, wrap mode,
// justification, tabs) with the macros known to the document.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "containers/ordered_list.h"

namespace folioteer {

struct MacroRec {
  std::string name;
  std::string body;
};

struct AGContext {
  uint8_t styles = 0;  // bit 0 bold, bit 1 italic, bit 2 underline
  uint8_t wrapMode = 2;
  uint8_t justification = 0;  // 0 left, 1 right, 2 centre
  int32_t spare = 0;
  int32_t tabWidth = 8;
  std::array<int32_t, 40> tabStops{};
  List macros = nullptr;  // of MacroRec, by name without regard to case
  void* userData = nullptr;
};

// The initial values, and a new, empty macro list.
void InitAGContext(AGContext& context);
int CompareMacroNames(const void* stored, const void* key);

}  // namespace folioteer
