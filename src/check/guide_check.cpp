#include "check/guide_check.h"

#include <unordered_map>

#include "guide/parser.h"
#include "links/guide_file.h"
#include "links/link_action.h"
#include "nodes/scanner.h"
#include "render/links.h"
#include "render/macros.h"
#include "render/renderer.h"
#include "support/assert.h"

namespace folioteer {
namespace {

using enum FindingKind;

std::string Count(size_t n, std::string_view what) {
  return std::to_string(n) + " " + std::string(what) + (n == 1 ? "" : "s");
}

std::string HexByte(char ch) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  auto byte = static_cast<unsigned char>(ch);
  return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 0xF];
}

class GuideCheck {
 public:
  GuideCheck(const GuideSource& source, TargetChecker& targets, std::vector<Finding>& findings)
      : source_(source), charset_(source.charset), targets_(targets), findings_(findings) {}

  void Structure();
  void SaveLosses(std::string bytes, const std::string& path);
  void Commands();
  void Nodes();
  void Characters(std::string_view bytes);

 private:
  void Add(int line, FindingKind kind, std::string message) {
    findings_.push_back({line, kind, std::move(message)});
  }
  std::string Name(std::string_view bytes) const { return QuotedBytes(bytes, charset_); }
  const SourceLine* OutsideLine(int number, size_t& cursor) const;
  void LeftOutText(const ParseLosses& losses, size_t& i, size_t& cursor);
  void Command(const GuideCommand& command, const SourceNode* node);
  void Target(int line, const std::string& what, std::string_view reference);
  void Issue(const RenderIssue& issue, const SourceNode& node);
  void LinkFound(const Link& link);

  const GuideSource& source_;
  Charset charset_;
  TargetChecker& targets_;
  std::vector<Finding>& findings_;
  std::unordered_map<std::string, int> nodeMacros_;  // @macro inside nodes: name (folded), line
};

// ---------------------------------------------------------------------------
// Nodes: names and ends

void GuideCheck::Structure() {
  if (source_.nodes.empty()) Add(1, NoNode, "the guide has no node");
  for (size_t i = 0; i < source_.nodes.size(); ++i) {
    const SourceNode& node = source_.nodes[i];
    int first = FindNode(source_, node.name);
    if (first != static_cast<int>(i)) {
      const SourceNode& earlier = source_.nodes[first];
      Add(node.line, DuplicateNode,
          "node " + Name(node.name) + " has the same name as node " + Name(earlier.name) + " at line " +
              std::to_string(earlier.line));
    }
    if (node.endLine == 0)
      Add(node.line, NoEndNode,
          "node " + Name(node.name) + " has no @endnode before " +
              (i + 1 < source_.nodes.size() ? "the next @node" : "the end of the file"));
  }
}

// ---------------------------------------------------------------------------
// What the editor's next save leaves out

// The outside line of that number, or null; `cursor` is an index into the
// outside lines at or before it, moved on (lines are asked for in order).
const SourceLine* GuideCheck::OutsideLine(int number, size_t& cursor) const {
  const std::vector<SourceLine>& lines = source_.outsideLines;
  while (cursor < lines.size() && lines[cursor].number < number) ++cursor;
  return cursor < lines.size() && lines[cursor].number == number ? &lines[cursor] : nullptr;
}

// One finding for the text lines from losses.lines[i] on with nothing but
// empty lines outside the nodes between them; i ends at the last of them.
void GuideCheck::LeftOutText(const ParseLosses& losses, size_t& i, size_t& cursor) {
  auto onlyEmptyBetween = [&](int first, int last) {
    for (int number = first + 1; number < last; ++number) {
      const SourceLine* line = OutsideLine(number, cursor);
      if (line == nullptr || !line->text.empty()) return false;
    }
    return true;
  };
  int first = losses.lines[i].line;
  size_t count = 1;
  while (i + 1 < losses.lines.size() && losses.lines[i + 1].kind == LostLine::Text &&
         onlyEmptyBetween(losses.lines[i].line, losses.lines[i + 1].line)) {
    ++i;
    ++count;
  }
  std::string what = count == 1 ? "this text line" : Count(count, "text line");
  std::string upTo = count == 1 ? "" : " (up to line " + std::to_string(losses.lines[i].line) + ")";
  Add(first, LeftOutBySave, "the editor's next save will leave out " + what + " outside the nodes" + upTo);
}

void GuideCheck::SaveLosses(std::string bytes, const std::string& path) {
  AmigaGuideFile handle = InvalidAmigaGuideFile();
  int result = kOtherProblem;
  try {
    ReadAmigaGuideText(handle, path, std::move(bytes), result);
  } catch (const AssertionFailure& failure) {
    Add(1, EditorRefuses, "the editor cannot open this guide (" + Quoted(failure.Message()) + ")");
    return;
  }
  if (handle == nullptr) return;
  ParseLosses losses = GetParseLosses(handle);
  CloseAmigaGuideFile(handle);
  size_t cursor = 0;
  for (size_t i = 0; i < losses.lines.size(); ++i) {
    if (losses.lines[i].kind == LostLine::Text) {
      LeftOutText(losses, i, cursor);
      continue;
    }
    const SourceLine* line = OutsideLine(losses.lines[i].line, cursor);
    std::string keyword = line == nullptr ? "" : ParseCommandLine(line->text, 0).keyword;
    Add(losses.lines[i].line, LeftOutBySave,
        "the editor's next save will leave out the command " + Name(keyword) + " outside the nodes");
  }
}

// ---------------------------------------------------------------------------
// Command lines

void GuideCheck::Target(int line, const std::string& what, std::string_view reference) {
  if (reference.empty()) {
    Add(line, LinkWithoutTarget, what + " names no node");
    return;
  }
  // As the viewer's buttons follow it: a node of this guide by its whole
  // name first, since a name may hold a "/".
  if (FindNode(source_, reference) >= 0) return;
  LinkTarget target = SplitLinkTarget(DecodeToUtf8(reference, charset_));
  if (std::optional<TargetProblem> problem = targets_.Check(target.file, target.node, charset_))
    Add(line, problem->kind, what + ": " + problem->text);
}

void GuideCheck::Command(const GuideCommand& command, const SourceNode* node) {
  size_t pos = 0;
  std::string_view argument = NextArgument(command.rest, pos);
  std::string keyword = GetCmdName(command.kind);
  std::string when = node == nullptr ? "the guide" : "node " + Name(node->name);
  switch (command.kind) {
    case AGCmdKind::None:
      Add(command.line, UnknownCommand,
          "unknown command " + Name(command.keyword) + "; readers skip the line");
      break;
    case AGCmdKind::OnOpen:
    case AGCmdKind::OnClose:
      Add(command.line, RunsProgram,
          keyword + " asks readers to run the ARexx script " + Name(TextArgument(command.rest)) + " when " +
              when + (command.kind == AGCmdKind::OnOpen ? " opens" : " closes"));
      break;
    case AGCmdKind::Index:
    case AGCmdKind::Help: Target(command.line, keyword, argument); break;
    case AGCmdKind::Next:
    case AGCmdKind::Prev:
    case AGCmdKind::Toc:
      // Outside the nodes the viewer does not use them, and the save leaves them out.
      if (node != nullptr) Target(command.line, keyword, argument);
      break;
    case AGCmdKind::Macro:
      if (node != nullptr) nodeMacros_.try_emplace(AsciiLowered(argument), command.line);
      break;
    default: break;
  }
}

void GuideCheck::Commands() {
  for (const GuideCommand& command : source_.databaseCommands) Command(command, nullptr);
  for (const SourceNode& node : source_.nodes)
    for (const SourceLine& line : node.lines)
      if (IsCommandLine(line.text)) Command(ParseCommandLine(line.text, line.number), &node);
}

// ---------------------------------------------------------------------------
// Node text, as the renderer reads it

void GuideCheck::Issue(const RenderIssue& issue, const SourceNode& node) {
  std::string attribute = "@{" + issue.text + (issue.kind == RenderIssueKind::UnclosedAttribute ? "" : "}");
  switch (issue.kind) {
    case RenderIssueKind::UnclosedAttribute:
      Add(issue.line, UnclosedAttribute, Name(attribute) + " is not closed before the end of its line");
      break;
    case RenderIssueKind::UnknownAttribute: {
      size_t pos = 0;
      std::string name = AsciiLowered(NextArgument(issue.text, pos));
      if (auto macro = nodeMacros_.find(name); macro != nodeMacros_.end() && !name.empty()) {
        Add(issue.line, UndefinedMacro,
            "macro " + Name(name) + " is used but not defined: its @macro at line " +
                std::to_string(macro->second) + " stands inside a node, where it defines nothing");
      } else {
        Add(issue.line, UnknownAttribute,
            Name(attribute) + " is neither a text attribute nor a macro defined by @macro");
      }
      break;
    }
    case RenderIssueKind::MacroTooDeep:
      Add(issue.line, MacroBound,
          "the macros of " + Name(attribute) + " call each other more than " +
              std::to_string(kMaxMacroDepth) + " deep; readers stop there");
      break;
    case RenderIssueKind::MacroBudgetUsed:
      Add(issue.line, MacroBound,
          "the macros of " + Name(attribute) +
              " grow beyond what a node of this size may hold; readers stop there");
      break;
    case RenderIssueKind::StyleOnAtEnd: {
      size_t pos = 0;
      std::string style = "@{" + std::string(NextArgument(issue.text, pos)) + "}";
      Add(issue.line, StyleOnAtEnd, Name(style) + " is still on at the end of node " + Name(node.name));
      break;
    }
  }
}

void GuideCheck::LinkFound(const Link& link) {
  std::string what = "link " + Quoted(link.label);
  if (link.kind == LinkKind::Unknown) {
    Add(link.line, LinkUnknownCommand,
        link.command.empty() ? what + " has no command"
                             : what + " has an unknown command " + Quoted(link.command));
    return;
  }
  LinkAction action = DecideLinkAction(link);
  switch (action.kind) {
    case LinkActionKind::ShowNode:
      if (std::optional<TargetProblem> problem = targets_.Check(action.file, action.node, charset_))
        Add(link.line, problem->kind, what + ": " + problem->text);
      break;
    case LinkActionKind::RunProgram:
      Add(link.line, RunsProgram, what + " runs " + Quoted(action.command) + " on the reader's machine");
      break;
    case LinkActionKind::OpenUrl:
      Add(link.line, RunsProgram,
          what + " runs " + Quoted(action.command) + " to open " + Quoted(action.url));
      break;
    case LinkActionKind::Arexx:
      Add(link.line, RunsProgram,
          what + " asks readers to run the ARexx command " + Quoted(action.command) + " (" + link.command +
              ")");
      break;
    case LinkActionKind::Nothing:
      Add(link.line, LinkWithoutTarget,
          what + (link.kind == LinkKind::System ? " names no command to run" : " names no node"));
      break;
    default: break;
  }
}

void GuideCheck::Nodes() {
  for (size_t i = 0; i < source_.nodes.size(); ++i) {
    DisplayNode display = RenderNode(source_, static_cast<int>(i));
    for (const RenderIssue& issue : display.issues) Issue(issue, source_.nodes[i]);
    for (const Link& link : display.links) LinkFound(link);
  }
}

// ---------------------------------------------------------------------------
// Characters

void GuideCheck::Characters(std::string_view bytes) {
  Utf8Census whole = CountUtf8(bytes);
  if (whole.stray == 0 || !WrittenInUtf8(whole)) return;
  ForEachSourceLine(bytes, [&](int number, std::string_view line) {
    Utf8Census census = CountUtf8(line);
    if (census.stray == 0) return;
    std::string more =
        census.stray == 1 ? "" : " (" + Count(census.stray - 1, "more byte") + " on this line)";
    Add(number, InvalidUtf8,
        "byte " + HexByte(line[census.firstStray]) + " at column " + std::to_string(census.firstStray + 1) +
            " is not UTF-8, in which the rest of the guide is written" + more);
  });
}

}  // namespace

bool WrittenInUtf8(const Utf8Census& census) {
  return census.multiByte > 0 && census.multiByte > census.stray;
}

std::vector<Finding> CheckGuideFile(const std::string& path, TargetChecker& targets) {
  std::vector<Finding> findings;
  std::string bytes;
  GuideFile file = ReadGuideFile(path, bytes);
  if (file.outcome != FileReadOutcome::Read) {
    findings.push_back({1, Unreadable, AsClause(ReadNote(file))});
    return findings;
  }
  if (!file.source->isGuide) {
    findings.push_back({1, NotAGuide,
                        bytes.empty() ? "this is no guide: the file is empty"
                                      : "this is no guide: its first line is no @database command"});
    return findings;
  }
  targets.EnterGuide(path, file.source);
  GuideCheck check(*file.source, targets, findings);
  check.Structure();
  check.Characters(bytes);
  check.SaveLosses(std::move(bytes), path);
  check.Commands();
  check.Nodes();
  SortByLine(findings);
  return findings;
}

}  // namespace folioteer
