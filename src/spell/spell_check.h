// The spell check of a node: its readable text (plain text runs and the
// labels of LINK and SYSTEM links, with the document's macros expanded) is
// cut into words, each is asked of the dictionary, and the words it does not
// accept go into the node's misspelling list, in order of first occurrence,
// each spelling once. Attribute commands, link keywords and targets, the
// node's title and its local commands are not checked.
//
// Loading the word lists shows the busy state and a progress gauge through
// the SpellChkDisplay below, which the windows (above this module) implement
// and install at start-up.
#pragma once

#include <cstdint>
#include <string_view>

#include "guide/document.h"
#include "nodes/node_registry.h"

namespace folioteer {

class SpellChkDisplay {
 public:
  virtual ~SpellChkDisplay() = default;
  virtual void ShowGUIBusy(bool busy) = 0;
  virtual void ProgressStart(std::string_view title, int64_t total) = 0;
  virtual void ProgressAdvance(int64_t amount) = 0;
  virtual void ProgressEnd() = 0;
};

// Installs the implementation; nullptr removes it (a check is then an assertion).
void InstallSpellChkDisplay(SpellChkDisplay* display);

// FALSE when the dictionary cannot be had; the misspelling list then stays.
bool SpellChkNode(AGDocument* doc, NodeEntry* entry);
// Every node in the order of the node list, stopping at the first FALSE.
bool SpellChkDoc(AGDocument* doc);
// The word (lower-cased) is known for the rest of the run.
void IgnoreWrd(std::string_view word);
// ... and appended to the user word list for good.
void AddUserWrd(std::string_view word);

}  // namespace folioteer
