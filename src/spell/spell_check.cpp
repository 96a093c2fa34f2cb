#include "spell/spell_check.h"

#include <unordered_set>

#include "containers/text_block_channel.h"
#include "guide/syntax.h"
#include "nodes/scanner.h"
#include "spell/dictionary.h"
#include "spell/word_delimiters.h"
#include "support/ascii.h"
#include "support/assert.h"
#include "support/interface_slot.h"

namespace folioteer {
namespace {

constexpr std::string_view kLinkDelimiters = " \t}";

InterfaceSlot<SpellChkDisplay> display("No spell check display installed");

SpellChkDisplay& Display() { return display.Get(); }

// Drives the progress gauge while the word lists load.
void LoadingProgress(SpellProgress op, uint32_t number) {
  switch (op) {
    case SpellProgress::Start: Display().ProgressStart("SpellChk Words Loading ...", number); break;
    case SpellProgress::Advance: Display().ProgressAdvance(number); break;
    case SpellProgress::Finished: Display().ProgressEnd(); break;
  }
}

bool OpenDictionary() {
  if (IsOpenSpellChk()) return true;
  Display().ShowGUIBusy(true);
  bool opened = false;
  try {
    opened = AttemptOpenSpellChk(LoadingProgress);
  } catch (...) {
    Display().ProgressEnd();  // the gauge goes before the exception travels on
    Display().ShowGUIBusy(false);
    throw;
  }
  if (!opened) Display().ShowGUIBusy(false);
  return opened;
}

// Every global command lets the walk go on; a @macro is collected.
bool CollectMacro(AGCmd* cmd, ScanState& state) {
  AddMacroCommand(cmd, state.documentContext.macros);
  return true;
}

// The label of a LINK or SYSTEM link is read; other attributes are not.
void WriteLinkLabels(const AttrRunTexts& attrs, int count, Channel out) {
  for (int i = 0; i < count; ++i) {
    std::string_view attr = attrs[i];
    std::string lower = AsciiLowered(attr);
    if (lower.find("link", 4) == std::string::npos && lower.find("system", 4) == std::string::npos) continue;
    size_t pos = 2;
    std::string_view label = NextToken(attr, pos, kLinkDelimiters, TokenQuotes::Strip);
    std::string_view keyword = NextToken(attr, pos, kLinkDelimiters, TokenQuotes::Keep);
    if (EqualsIgnoreCase(keyword, "LINK") || EqualsIgnoreCase(keyword, "SYSTEM")) {
      WriteText(out, label);
      WriteLn(out);
    }
  }
}

int CompareSequence(const void* stored, const void* key) {
  uint32_t a = static_cast<const MisspelledWord*>(stored)->sequence;
  uint32_t b = static_cast<const MisspelledWord*>(key)->sequence;
  return a < b ? -1 : (a > b ? 1 : 0);
}

void FreeMisspellings(List& list) {
  if (list != NilList()) ListDestroy(list, [](void* word) { delete static_cast<MisspelledWord*>(word); });
}

// Reads the node's readable text back and lists the words the dictionary
// does not accept; the list keeps the order of first occurrence.
void CollectMisspellings(Channel text, SpellChkHandle handle, NodeEntry* entry) {
  FreeMisspellings(entry->misspellings);
  ListCreate(entry->misspellings, CompareSequence, Duplicates::Refused);
  std::unordered_set<std::string> listed;
  Reread(text);
  std::string line;
  int skipped = 0;
  while (ReadNonEmptyLine(text, line, skipped) == ReadResult::AllRight) {
    for (std::string_view word : SpellWords(line)) {
      if (ChkSpell(handle, word) || !listed.emplace(word).second) continue;
      auto* record = new MisspelledWord{std::string(word), static_cast<uint32_t>(listed.size())};
      ListAddition(entry->misspellings, record);
    }
  }
}

// Ends the scan and closes its scratch channel however the check ends.
struct ScanCleanup {
  ScanState& state;
  ~ScanCleanup() {
    ScanHandlers& handlers = GetScanHandlers(state);
    if (handlers.output.Valid()) CloseTB(handlers.output);
    TermFolioteerScan(state);
  }
};

bool ScanNode(AGDocument* doc, NodeEntry* entry, SpellChkHandle handle) {
  ScanState state;
  InitFolioteerScan(state);
  ScanCleanup cleanup{state};
  ScanHandlers& handlers = GetScanHandlers(state);
  handlers.globalCommand = CollectMacro;
  int result = kOtherProblem;
  OpenTB(handlers.output, result);
  bool scanned = false;
  if (result == kOpened) {
    Channel out = handlers.output;
    handlers.attributeRun = [out](const AttrRunTexts& attrs, int count, ScanState&) {
      WriteLinkLabels(attrs, count, out);
    };
    handlers.textRun = [out](const std::string& text, ScanState&) {
      WriteText(out, text);
      WriteLn(out);
    };
    ScanGlobalCommands(doc, state);
    scanned = ScanOneNode(doc, entry->node, state);
    CollectMisspellings(out, handle, entry);
  }
  return scanned;
}

}  // namespace

void InstallSpellChkDisplay(SpellChkDisplay* implementation) { display.Install(implementation); }

bool SpellChkNode(AGDocument* doc, NodeEntry* entry) {
  if (!OpenDictionary()) return false;
  SpellChkHandle handle = AttachSpellChk(kSpellDigitWords);
  Display().ShowGUIBusy(false);
  if (handle == InvalidSpellChkHandle()) return false;
  bool scanned = false;
  try {
    Assert(entry->node->kind == AGCmdKind::Node, "SpellChkNode: not node cmd!");
    scanned = ScanNode(doc, entry, handle);
  } catch (...) {
    DetachSpellChk(handle);
    throw;
  }
  DetachSpellChk(handle);
  return scanned;
}

bool SpellChkDoc(AGDocument* doc) {
  std::vector<NodeEntry*> entries;
  ResetNodeReader(NodeReaderMode::Read);
  for (NodeEntry* entry = ReadNextNode(); entry != nullptr; entry = ReadNextNode()) entries.push_back(entry);
  bool checked = true;
  for (NodeEntry* entry : entries)
    if (!(checked = SpellChkNode(doc, entry))) break;
  return checked;
}

void IgnoreWrd(std::string_view word) { AddWrd(InvalidSpellChkHandle(), word, 0); }
void AddUserWrd(std::string_view word) { AddWrd(InvalidSpellChkHandle(), word, kSpellToUserList); }

}  // namespace folioteer
