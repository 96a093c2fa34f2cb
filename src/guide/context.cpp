#include "guide/context.h"

#include "guide/syntax.h"
#include "support/ascii.h"

namespace folioteer {

void InitAGContext(AGContext& context) {
  context = AGContext{};
  for (int i = 0; i < 40; ++i) context.tabStops[i] = 8 * (i + 1);
  ListCreate(context.macros, CompareMacroNames, Duplicates::Refused);
}

int CompareMacroNames(const void* stored, const void* key) {
  int order =
      CompareIgnoreCase(static_cast<const MacroRec*>(stored)->name, static_cast<const MacroRec*>(key)->name);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace folioteer
