#include "editor/batch.h"

#include <charconv>
#include <cstdio>
#include <sstream>

#include "editor/settings/settings.h"
#include "guide/syntax.h"
#include "nodes/node_registry.h"
#include "state/editor_state.h"
#include "support/arg_template.h"
#include "support/assert.h"
#include "support/requesters.h"
#include "support/text_lines.h"
#include "ui/headless_windows.h"
#include "ui/monitor.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

constexpr size_t kMaxScriptLine = 65536;
using Kind = ScriptStep::Kind;

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::istringstream in{std::string(text)};
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

bool Numbers(const std::vector<std::string>& words, size_t count, std::vector<int>& numbers) {
  if (words.size() != count + 1) return false;
  for (size_t i = 1; i <= count; ++i) {
    int value = 0;
    auto [end, error] = std::from_chars(words[i].data(), words[i].data() + words[i].size(), value);
    if (error != std::errc{} || end != words[i].data() + words[i].size()) return false;
    numbers.push_back(value);
  }
  return true;
}

std::string RestAfterWord(const std::string& line) {
  size_t blank = line.find_first_of(" \t");
  if (blank == std::string::npos) return {};
  size_t start = line.find_first_not_of(" \t", blank);
  return start == std::string::npos ? std::string() : line.substr(start);
}

// One directive line (and, for a here-text, the lines that follow it).
bool ParseDirective(const std::vector<std::string>& lines, size_t& index, ScriptStep& step,
                    std::string& why) {
  const std::string& line = lines[index];
  std::vector<std::string> words = Words(line);
  const std::string& name = words[0];
  std::string rest = RestAfterWord(line);
  if (name == ".text" && rest.rfind("<<", 0) == 0) {
    std::string end = rest.substr(2);
    step.kind = Kind::Text;
    for (bool first = true; ++index < lines.size();) {
      if (lines[index] == end) return true;
      if (!first) step.text += '\n';
      step.text += lines[index];
      first = false;
    }
    why = "the text has no end line \"" + end + "\"";
    return false;
  }
  struct Simple {
    std::string_view name;
    Kind kind;
    size_t numbers;
  };
  static const Simple kSimple[] = {{".cursor", Kind::Cursor, 2},
                                   {".block", Kind::Block, 4},
                                   {".button", Kind::Button, 1},
                                   {".cancel", Kind::Cancel, 0}};
  for (const Simple& simple : kSimple) {
    if (name != simple.name) continue;
    step.kind = simple.kind;
    if (Numbers(words, simple.numbers, step.numbers)) return true;
    why = std::string(simple.name) + " takes " + std::to_string(simple.numbers) + " numbers";
    return false;
  }
  if (name == ".select") {
    static constexpr std::pair<std::string_view, ListId> kLists[] = {{"global", ListId::Global},
                                                                     {"nodes", ListId::Nodes},
                                                                     {"local", ListId::Local},
                                                                     {"misspells", ListId::Misspells}};
    step.kind = Kind::Select;
    std::vector<std::string> numberWords{words[0], words.size() > 2 ? words[2] : ""};
    for (auto [listName, list] : kLists)
      if (words.size() == 3 && words[1] == listName && Numbers(numberWords, 1, step.numbers)) {
        step.numbers.insert(step.numbers.begin(), static_cast<int>(list));
        return true;
      }
    why = ".select takes a list (global, nodes, local, misspells) and a row";
    return false;
  }
  const std::pair<std::string_view, Kind> kTexts[] = {
      {".text", Kind::Text}, {".reply", Kind::Reply}, {".print", Kind::Print}, {".echo", Kind::Echo}};
  for (auto [textName, kind] : kTexts)
    if (name == textName) {
      step.kind = kind;
      step.text = rest;
      return true;
    }
  why = "unknown directive \"" + name + "\"";
  return false;
}

// The script's lines; a CR before the LF goes with it.
std::vector<std::string> ScriptLines(const std::string& source) {
  std::vector<std::string> lines;
  for (std::string_view line : SplitFileLines(source)) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
  }
  return lines;
}

void Report(int line, const std::string& message) {
  std::string text = "Folioteer: script line " + std::to_string(line) + ": " + message + "\n";
  std::fputs(text.c_str(), stderr);
}

// What command input would refuse: a command of the wrong scope, a second
// command of a kind that may stand once.
bool AcceptedNewCommand(const ScriptStep& step) {
  std::optional<std::vector<ArgValue>> args = ReadArgs(step.text, *CmdInfo(step.cmd).cmdTempl);
  if (!args || !(*args)[0].present) return true;  // the handler deals with it
  AGCmdKind kind = MatchCommand((*args)[0].text);
  if (kind == AGCmdKind::None) return true;
  bool global = step.cmd == EditorCmd::NewGbl;
  CmdModSet mods = GetCmdInfo(kind);
  if (!mods.Has(global ? CmdModifier::Global : CmdModifier::Local)) {
    Report(step.line,
           GetCmdName(kind) + (global ? " is not a global command" : " is not a node-local command"));
    return false;
  }
  if (!mods.Has(CmdModifier::Unique)) return true;
  NodeEntry* editing = Editor().editingNode;
  List scope = global ? GetGlobalCmdsList(GetDocument(Editor().guideFile))
                      : (editing != nullptr ? editing->node->subcmds : NilList());
  if (CheckForExisting(kind, scope) == nullptr) return true;
  ShowWarningS("Command already exists");
  return false;
}

}  // namespace

std::optional<std::vector<ScriptStep>> ParseScript(const std::string& source, std::string& error) {
  std::vector<std::string> lines = ScriptLines(source);
  std::vector<ScriptStep> steps;
  for (size_t index = 0; index < lines.size(); ++index) {
    const std::string& line = lines[index];
    int number = static_cast<int>(index) + 1;
    auto fail = [&](const std::string& why) {
      error = std::to_string(number) + ": " + why;
      return std::nullopt;
    };
    if (line.size() > kMaxScriptLine)
      return fail("the line is longer than " + std::to_string(kMaxScriptLine) + " bytes");
    if (line.find('\0') != std::string::npos) return fail("the line holds a NUL byte");
    std::vector<std::string> words = Words(line);
    if (words.empty() || words[0][0] == '#' || words[0][0] == ';') continue;
    ScriptStep step;
    step.line = number;
    std::string why;
    if (words[0][0] == '.') {
      if (!ParseDirective(lines, index, step, why)) return fail(why);
    } else {
      step.cmd = MatchEditorCmd(words[0]);
      if (step.cmd == EditorCmd::None) return fail("unknown command \"" + words[0] + "\"");
      step.text = RestAfterWord(line);
    }
    steps.push_back(std::move(step));
  }
  return steps;
}

void BatchCommandSource::QueueStartupAnswers() {
  while (next_ < steps_.size()) {
    Kind kind = steps_[next_].kind;
    if (kind != Kind::Button && kind != Kind::Reply && kind != Kind::Cancel) return;
    Perform(steps_[next_++]);
  }
}

EditorCmd BatchCommandSource::NxtCmd(std::string& argLine) {
  argLine.clear();
  if (TakeBreak()) return EditorCmd::Quit;  // Ctrl-C: the rest of the script is not run
  while (next_ < steps_.size()) {
    const ScriptStep& step = steps_[next_++];
    if (!Perform(step)) continue;
    argLine = step.text;
    return step.cmd;
  }
  argLine.clear();
  return EditorCmd::Quit;
}

bool BatchCommandSource::Perform(const ScriptStep& step) {
  HeadlessWindows& windows = DefaultHeadlessWindows();
  HeadlessRequesters& requesters = DefaultHeadlessRequesters();
  const std::vector<int>& n = step.numbers;
  switch (step.kind) {
    case Kind::Command:
      if (step.cmd == EditorCmd::NewGbl || step.cmd == EditorCmd::NewLcl) return AcceptedNewCommand(step);
      return true;
    case Kind::Text: windows.SetEditText(step.text); break;
    case Kind::Cursor: windows.SetCursor({n[0], n[1]}); break;
    case Kind::Block: windows.Select({n[0], n[1]}, {n[2], n[3]}); break;
    case Kind::Select: SelectRowAsClicked(static_cast<ListId>(n[0]), n[1]); break;
    case Kind::Button: requesters.Queue(QueuedAnswer::Button(n[0])); break;
    case Kind::Reply: requesters.Queue(QueuedAnswer::Text(step.text)); break;
    case Kind::Cancel: requesters.Queue(QueuedAnswer::Cancel()); break;
    case Kind::Print: std::fputs(DescribeState(step.text).c_str(), stdout); break;
    case Kind::Echo: std::fputs((step.text + "\n").c_str(), stdout); break;
  }
  std::fflush(stdout);
  return false;
}

}  // namespace folioteer
