// The node text scanner: walks one node of a Guide document the way a reader
// of the guide meets it and reports what it finds to handlers its user
// installs — the node itself, its local commands, then its text as an
// alternation of attribute runs (sequences of attribute texts such as "@{b}")
// and plain text runs, with escapes, line ends and macros already dealt with.
// The scanner decides only how text is cut into runs; what a run means is up
// to the handlers (the spell check and the RTF export install their own).
//
// A ScanState lives from InitFolioteerScan to TermFolioteerScan. The scanner
// owns the handler set and its working state (attached to the document
// context's userData), the auxiliary channel and the macros of the document
// context; the user owns the output channel. The node context is a copy of
// the document context, refreshed at each node, without macros of its own.
//
// Calling order: InitFolioteerScan; install handlers (GetScanHandlers) and
// open the output channel; ScanGlobalCommands, whose handler registers the
// document's macros (AddMacroCommand); ScanOneNode for each node to scan;
// TermFolioteerScan.
//
// Macro expansion is bounded: at most kMaxMacroDepth nested expansions, and a
// budget of expanded text that grows with the text scanned, so a macro that
// calls itself (directly, through others, or twice in its own body) neither
// hangs nor overflows the stack; a call refused by a bound reaches the text
// run handler unexpanded, with a note on the debug output.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "guide/context.h"
#include "guide/document.h"
#include "support/channels.h"

namespace folioteer {

// The most attributes one run holds; a longer sequence is cut there.
inline constexpr int kMaxAttrRun = 200;
// The most macro expansions nested in one another.
inline constexpr int kMaxMacroDepth = 32;
// Expanded text costs its length plus kExpansionCost for every expansion, so
// that even tiny bodies use the budget up. The budget starts at a base and
// grows with each node's text (its lines with their CR LF): ordinary guides
// never come near it, while a body that calls itself twice (2^32 expansions
// within the depth bound) stops early.
inline constexpr int64_t kExpansionCost = 64;
inline constexpr int64_t kExpansionBudgetBase = int64_t{16} << 20;
inline constexpr int64_t kExpansionBudgetPerByte = 32;

// Attribute texts, each from "@{" to "}" inclusive ("@{line}" stands for a
// line break); a run uses the first `count` entries.
using AttrRunTexts = std::array<std::string, kMaxAttrRun>;

struct ScanState {
  AGContext documentContext;  // macros known to the scan; userData: the handler set
  AGContext nodeContext;      // per node; handlers may change it (wrapMode, styles...)
};

// Installed by the user after InitFolioteerScan; each gets the scan state.
// The command visitors return TRUE to go on with the next command.
struct ScanHandlers {
  Channel output;     // the user's, invalid until the user opens one
  Channel auxiliary;  // a text block channel the scanner opens and closes
  std::function<bool(AGCmd* cmd, ScanState& state)> globalCommand;
  std::function<void(AGCmd* node, ScanState& state)> nodeBegin;
  std::function<bool(AGCmd* cmd, ScanState& state)> localCommand;
  std::function<void(AGCmd* node, ScanState& state)> nodeHeading;
  std::function<void(const AttrRunTexts& attrs, int count, ScanState& state)> attributeRun;
  std::function<void(const std::string& text, ScanState& state)> textRun;
  std::function<void(AGCmd* node, ScanState& state)> nodeEnd;
};

// Fills the document context, makes the handler set with its defaults (the
// command visitors return FALSE, the others do nothing) and opens the
// auxiliary channel ("OpenTB FAIL" when it cannot be opened).
void InitFolioteerScan(ScanState& state);
ScanHandlers& GetScanHandlers(ScanState& state);

// Adds a copy of the macro to the list; FALSE (nothing added) when a macro of
// that name, compared without regard to case, is there already.
bool AddMacro(const MacroRec& macro, List macros);

// Adds the macro a @macro command defines, its name and body without their
// quotes; what a global command handler does with a @macro. FALSE for any
// other command and for a name already there.
bool AddMacroCommand(const AGCmd* cmd, List macros);

// Passes every global command of the document to the global command handler
// while it returns TRUE, then puts the macro list into reading mode.
void ScanGlobalCommands(AGDocument* doc, ScanState& state);

// Node begin, the local commands, node heading, the runs of the text in
// order, node end. The node must be an @node with a name. Returns TRUE.
bool ScanOneNode(AGDocument* doc, AGCmd* node, ScanState& state);

// Closes the auxiliary channel, frees the macros and the handler set. Safe
// to call again, and after a failed InitFolioteerScan.
void TermFolioteerScan(ScanState& state);

// The next token of text from pos: delimiters are skipped; a token that
// starts with a double quote runs to the next one (or the end), and keeps
// its quotes or loses them as asked; any other token runs to the next
// delimiter. pos ends after the token. Empty at the end of the text.
enum class TokenQuotes : uint8_t { Keep, Strip };
std::string_view NextToken(std::string_view text, size_t& pos, std::string_view delimiters,
                           TokenQuotes quotes);

}  // namespace folioteer
