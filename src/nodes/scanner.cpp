#include "nodes/scanner.h"

#include <cstdint>
#include <memory>
#include <utility>

#include "containers/text_block_channel.h"
#include "guide/format.h"
#include "guide/syntax.h"
#include "support/ascii.h"
#include "support/assert.h"
#include "support/debug_output.h"

namespace folioteer {
namespace {

constexpr std::string_view kMacroDelimiters = " \t@{}";
constexpr std::string_view kLineAttr = "@{line}";

// The handler set with the scanner's working state; the document context's
// userData refers to it.
struct ScanWork {
  ScanHandlers handlers;
  AttrRunTexts attrs;  // reused by every run, also inside macro expansions
  std::string nodeText;
  MacroRec key;  // lookup key for the macro list
  bool afterLineEnd = false;
  bool explicitLine = false;
  bool linesJoined = false;  // the run ended on the space that joins two lines
  int depth = 0;             // of the macro expansion being scanned; 0 for node text
  int64_t expansionBudget = kExpansionBudgetBase;
  bool depthNoted = false;  // the bounds were reported in this node
  bool budgetNoted = false;
};

ScanWork& Work(ScanState& state) {
  auto* work = static_cast<ScanWork*>(state.documentContext.userData);
  Assert(work != nullptr, "Scanner not initialised");
  return *work;
}

void DisposeMacro(void* item) { delete static_cast<MacroRec*>(item); }

bool IsSpecial(char ch) { return ch == '\\' || ch == '@' || ch == '\n' || ch == '\r'; }

// The text being scanned: node text or a macro expansion.
struct Cursor {
  std::string_view text;
  size_t pos = 0;

  bool AtEnd() const { return pos >= text.size(); }
  bool At(size_t i, char ch) const { return i < text.size() && text[i] == ch; }
};

void ScanText(std::string_view text, ScanState& state, ScanWork& work);

void DeliverRun(int count, ScanState& state, ScanWork& work) {
  if (work.handlers.attributeRun) work.handlers.attributeRun(work.attrs, count, state);
}

void DeliverText(const std::string& text, ScanState& state, ScanWork& work) {
  work.afterLineEnd = false;
  work.explicitLine = false;
  if (work.handlers.textRun) work.handlers.textRun(text, state);
}

// ---------------------------------------------------------------------------
// Macros

// The first token names the macro. A quoted token keeps its quotes, so the
// quoted label of a link never names a macro.
const MacroRec* FindMacroCall(std::string_view attr, ScanState& state, ScanWork& work,
                              std::string_view& argument) {
  size_t pos = 0;
  std::string_view name = NextToken(attr, pos, kMacroDelimiters, TokenQuotes::Keep);
  if (name.empty()) return nullptr;
  work.key.name.assign(name);
  void* item = nullptr;
  if (!OnList(state.documentContext.macros, &work.key, item)) return nullptr;
  argument = NextToken(attr, pos, kMacroDelimiters, TokenQuotes::Strip);
  return static_cast<const MacroRec*>(item);
}

// Every "$1" of the body replaced by the argument; the search goes on after
// the inserted argument, so "$1" inside the argument stays as it is.
void ExpandMacro(const MacroRec& macro, std::string_view argument, std::string& expansion) {
  expansion.clear();
  size_t from = 0;
  for (size_t at = macro.body.find("$1"); at != std::string::npos; at = macro.body.find("$1", from)) {
    expansion.append(macro.body, from, at - from);
    expansion.append(argument);
    from = at + 2;
  }
  expansion.append(macro.body, from);
}

int64_t ExpansionSize(const MacroRec& macro, std::string_view argument) {
  int64_t calls = 0;
  for (size_t at = macro.body.find("$1"); at != std::string::npos; at = macro.body.find("$1", at + 2))
    ++calls;
  return static_cast<int64_t>(macro.body.size()) + calls * (static_cast<int64_t>(argument.size()) - 2);
}

// FALSE when a bound forbids the expansion; the first refusal of each kind
// in a node is noted on the debug output.
bool MayExpand(std::string_view attr, int64_t cost, ScanWork& work) {
  if (work.depth >= kMaxMacroDepth) {
    if (!std::exchange(work.depthNoted, true))
      DebugPrint("Macro expansion deeper than " + std::to_string(kMaxMacroDepth) + ": " + std::string(attr) +
                 " left unexpanded");
    return false;
  }
  if (cost > work.expansionBudget) {
    if (!std::exchange(work.budgetNoted, true))
      DebugPrint("Macro expansion budget used up: " + std::string(attr) + " left unexpanded");
    return false;
  }
  work.expansionBudget -= cost;
  return true;
}

// The attribute stands in attrs[count]. A macro call delivers the run so far
// and scans its expansion; a call refused by a bound is delivered as a text
// run, as it stands. FALSE when the attribute is no macro call.
bool ExpandMacroCall(std::string_view attr, int& count, ScanState& state, ScanWork& work) {
  std::string_view argument;
  const MacroRec* macro = FindMacroCall(attr, state, work, argument);
  if (macro == nullptr) return false;
  DeliverRun(count, state, work);
  count = 0;
  if (!MayExpand(attr, kExpansionCost + ExpansionSize(*macro, argument), work)) {
    DeliverText(std::string(attr), state, work);
    return true;
  }
  std::string expansion;
  ExpandMacro(*macro, argument, expansion);
  // An exception leaves depth raised; ScanOneNode starts every node at 0.
  ++work.depth;
  ScanText(expansion, state, work);
  --work.depth;
  return true;
}

// ---------------------------------------------------------------------------
// Runs

// At an "@": an attribute up to its "}", a macro call, or extra text.
void CollectAttribute(Cursor& cur, int& count, std::string& extra, ScanState& state, ScanWork& work) {
  ++cur.pos;
  work.afterLineEnd = false;
  if (!cur.At(cur.pos, '{')) {
    extra = "@";
    return;
  }
  ++cur.pos;
  while (cur.At(cur.pos, '}') || cur.At(cur.pos, '\n')) ++cur.pos;
  size_t start = cur.pos;
  while (!cur.AtEnd() && cur.text[cur.pos] != '}' && cur.text[cur.pos] != '\n') ++cur.pos;
  std::string_view body = cur.text.substr(start, cur.pos - start);
  if (cur.AtEnd() || cur.text[cur.pos] != '}') {
    extra.assign("@{").append(body);
    return;
  }
  ++cur.pos;
  std::string& attr = work.attrs[count];
  attr.assign("@{").append(body).append("}");
  if (ExpandMacroCall(attr, count, state, work)) return;
  if (EqualsIgnoreCase(attr, kLineAttr)) work.explicitLine = true;
  ++count;
}

// At a line feed: a line break, a space joining the lines of a paragraph,
// or nothing, by the node's wrap mode. The space is given before any line
// that is not empty, also one that starts with an attribute or an escape.
void CollectLineEnd(Cursor& cur, int& count, std::string& extra, ScanState& state, ScanWork& work) {
  uint8_t wrapMode = state.nodeContext.wrapMode;
  if (wrapMode == 0 || wrapMode == 1) {
    work.attrs[count++] = kLineAttr;
  } else if (work.afterLineEnd) {
    work.attrs[count++] = kLineAttr;
    work.explicitLine = false;
  } else {
    if (cur.At(cur.pos + 1, '\r')) ++cur.pos;
    size_t next = cur.pos + 1;
    if (!work.explicitLine && next < cur.text.size() && cur.text[next] != '\r' && cur.text[next] != '\n') {
      extra = " ";
      work.linesJoined = true;
    }
    work.explicitLine = false;
    work.afterLineEnd = true;
  }
  ++cur.pos;
}

// The attributes at the cursor, up to plain text, extra text, the end, a
// dropped escape, or kMaxAttrRun attributes. Returns the count.
int CollectRun(Cursor& cur, std::string& extra, ScanState& state, ScanWork& work) {
  int count = 0;
  extra.clear();
  work.linesJoined = false;
  bool escape = false;
  while (!cur.AtEnd() && extra.empty() && IsSpecial(cur.text[cur.pos])) {
    if (count == kMaxAttrRun) {
      DebugPrint("MaxBlockOfAg exceeded: " + std::to_string(count) + " attributes at position " +
                 std::to_string(cur.pos));
      break;
    }
    char ch = cur.text[cur.pos];
    if (escape) {
      // "\@" stays in the text for the handlers; any other escape is dropped
      // with the character after it.
      if (ch != '@') break;
      extra = "\\@";
      ++cur.pos;
    } else if (ch == '\\') {
      escape = true;
      ++cur.pos;
    } else if (ch == '@') {
      CollectAttribute(cur, count, extra, state, work);
    } else if (ch == '\n') {
      CollectLineEnd(cur, count, extra, state, work);
    } else {
      ++cur.pos;  // carriage returns are ignored
    }
  }
  return count;
}

// A run and its extra text. After the space that joins two lines, a line
// that starts with an attribute or an escape gives a run of its own, so its
// special characters are read, not skipped as after a run that ended early.
void CollectAndDeliverRun(Cursor& cur, std::string& extra, ScanState& state, ScanWork& work) {
  bool joined = false;
  do {
    int count = CollectRun(cur, extra, state, work);
    joined = work.linesJoined;
    DeliverRun(count, state, work);
    if (!extra.empty()) DeliverText(extra, state, work);
  } while (joined && !cur.AtEnd() && IsSpecial(cur.text[cur.pos]));
}

// Special characters at the cursor are skipped, the plain text after them taken.
void NextPlainToken(Cursor& cur, std::string& token) {
  while (!cur.AtEnd() && IsSpecial(cur.text[cur.pos])) ++cur.pos;
  size_t start = cur.pos;
  while (!cur.AtEnd() && !IsSpecial(cur.text[cur.pos])) ++cur.pos;
  token.assign(cur.text.substr(start, cur.pos - start));
}

void ScanText(std::string_view text, ScanState& state, ScanWork& work) {
  Cursor cur{text};
  std::string extra, token;
  CollectAndDeliverRun(cur, extra, state, work);
  for (NextPlainToken(cur, token); !token.empty(); NextPlainToken(cur, token)) {
    DeliverText(token, state, work);
    CollectAndDeliverRun(cur, extra, state, work);
  }
}

void InstallDefaults(ScanHandlers& handlers) {
  handlers.output = InvalidChannel();
  handlers.globalCommand = [](AGCmd*, ScanState&) { return false; };
  handlers.nodeBegin = [](AGCmd*, ScanState&) {};
  handlers.localCommand = [](AGCmd*, ScanState&) { return false; };
  handlers.nodeHeading = [](AGCmd*, ScanState&) {};
  handlers.attributeRun = [](const AttrRunTexts&, int, ScanState&) {};
  handlers.textRun = [](const std::string&, ScanState&) {};
  handlers.nodeEnd = [](AGCmd*, ScanState&) {};
}

}  // namespace

// ---------------------------------------------------------------------------
// Interface

void InitFolioteerScan(ScanState& state) {
  InitAGContext(state.documentContext);
  auto work = std::make_unique<ScanWork>();
  for (std::string& attr : work->attrs) attr.reserve(20);
  InstallDefaults(work->handlers);
  int result = kOtherProblem;
  OpenTB(work->handlers.auxiliary, result);
  if (result != kOpened) {
    ListDestroy(state.documentContext.macros);
    AssertFail("OpenTB FAIL");
  }
  state.documentContext.userData = work.release();
  state.nodeContext = state.documentContext;
  state.nodeContext.macros = NilList();
}

ScanHandlers& GetScanHandlers(ScanState& state) { return Work(state).handlers; }

bool AddMacro(const MacroRec& macro, List macros) {
  ListSetWriteMode(macros);
  auto record = std::make_unique<MacroRec>(macro);
  ListAddition(macros, record.get());
  if (!ListOpDone(macros)) return false;
  record.release();
  return true;
}

bool AddMacroCommand(const AGCmd* cmd, List macros) {
  if (cmd->kind != AGCmdKind::Macro) return false;
  return AddMacro(
      {UnquotedValue(cmd->params.Strng.value_or("")), UnquotedValue(cmd->params.Strng2.value_or(""))},
      macros);
}

void ScanGlobalCommands(AGDocument* doc, ScanState& state) {
  ScanWork& work = Work(state);
  ScanGlobalCmds(doc, [&](AGCmd* cmd) {
    return work.handlers.globalCommand && work.handlers.globalCommand(cmd, state);
  });
  ListSetReadMode(state.documentContext.macros);
}

bool ScanOneNode(AGDocument*, AGCmd* node, ScanState& state) {
  Assert(node != nullptr && node->kind == AGCmdKind::Node, "Not NodeCmd in NodeScanner?");
  Assert(node->params.Strng.has_value(), "NIL node name in NodeScanner?");
  ScanWork& work = Work(state);
  ScanHandlers& handlers = work.handlers;
  state.nodeContext = state.documentContext;
  state.nodeContext.macros = NilList();
  // Handlers may have added macros since the global commands were passed.
  ListSetReadMode(state.documentContext.macros);

  if (handlers.nodeBegin) handlers.nodeBegin(node, state);
  ScanLocalCmds(node, [&](AGCmd* cmd) { return handlers.localCommand && handlers.localCommand(cmd, state); });
  if (handlers.nodeHeading) handlers.nodeHeading(node, state);

  GetBlockTxt(node->block, work.nodeText, LineEnds::Keep);
  work.afterLineEnd = false;
  work.explicitLine = false;
  work.depth = 0;
  work.depthNoted = false;
  work.budgetNoted = false;
  work.expansionBudget += kExpansionBudgetPerByte * static_cast<int64_t>(work.nodeText.size());
  ScanText(work.nodeText, state, work);

  if (handlers.nodeEnd) handlers.nodeEnd(node, state);
  return true;
}

void TermFolioteerScan(ScanState& state) {
  auto* work = static_cast<ScanWork*>(state.documentContext.userData);
  if (work != nullptr) {
    if (IsTBFile(work->handlers.auxiliary)) CloseTB(work->handlers.auxiliary);
    delete work;
  }
  if (state.documentContext.macros != NilList()) ListDestroy(state.documentContext.macros, DisposeMacro);
  state.documentContext.userData = nullptr;
  state.nodeContext.userData = nullptr;
  state.nodeContext.macros = NilList();
}

std::string_view NextToken(std::string_view text, size_t& pos, std::string_view delimiters,
                           TokenQuotes quotes) {
  while (pos < text.size() && delimiters.find(text[pos]) != std::string_view::npos) ++pos;
  if (pos >= text.size()) return {};
  size_t start = pos;
  if (text[pos] == '"') {
    size_t close = text.find('"', pos + 1);
    size_t end = close == std::string_view::npos ? text.size() : close;
    pos = close == std::string_view::npos ? text.size() : close + 1;
    if (quotes == TokenQuotes::Strip) return text.substr(start + 1, end - start - 1);
    return text.substr(start, pos - start);
  }
  while (pos < text.size() && delimiters.find(text[pos]) == std::string_view::npos) ++pos;
  return text.substr(start, pos - start);
}

}  // namespace folioteer
