#include "render/guide_source.h"

#include <algorithm>

namespace folioteer {
namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool StartsWithKeyword(std::string_view line, AGCmdKind kind) {
  return IsCommandLine(line) && ParseCommandLine(line, 0).kind == kind;
}

SourceNode StartNode(const GuideCommand& command) {
  SourceNode node;
  node.line = command.line;
  size_t pos = 0;
  node.name = NextArgument(command.rest, pos);
  node.title = TextArgument(command.rest.substr(pos));
  return node;
}

void IndexNodes(GuideSource& source) {
  for (size_t i = 0; i < source.nodes.size(); ++i)
    source.nodeByName.try_emplace(AsciiLowered(source.nodes[i].name), static_cast<int>(i));
}

void ReadVerbatim(std::string_view bytes, GuideSource& source) {
  SourceNode node;
  node.name = "Main";
  node.verbatim = true;
  ForEachSourceLine(bytes, [&](int number, std::string_view text) {
    node.lines.push_back({number, std::string(text)});
  });
  source.nodes.push_back(std::move(node));
}

}  // namespace

bool IsCommandLine(std::string_view line) { return line.starts_with('@') && !line.starts_with("@{"); }

GuideCommand ParseCommandLine(std::string_view line, int number) {
  GuideCommand command;
  command.line = number;
  size_t end = 0;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  command.keyword = line.substr(0, end);
  command.kind = MatchCommand(command.keyword);
  while (end < line.size() && IsBlank(line[end])) ++end;
  command.rest = line.substr(end);
  return command;
}

std::string_view NextArgument(std::string_view text, size_t& pos, std::string_view separators) {
  auto isSeparator = [&](char ch) { return separators.find(ch) != std::string_view::npos; };
  while (pos < text.size() && isSeparator(text[pos])) ++pos;
  if (pos >= text.size()) return {};
  if (text[pos] == '"') {
    size_t close = text.find('"', pos + 1);
    size_t end = close == std::string_view::npos ? text.size() : close;
    std::string_view argument = text.substr(pos + 1, end - pos - 1);
    pos = close == std::string_view::npos ? text.size() : close + 1;
    return argument;
  }
  size_t start = pos;
  while (pos < text.size() && !isSeparator(text[pos])) ++pos;
  return text.substr(start, pos - start);
}

std::string_view TextArgument(std::string_view rest) {
  rest = TrimBlanks(rest);
  if (!rest.starts_with('"')) return rest;
  size_t pos = 0;
  return NextArgument(rest, pos);
}

GuideSource ReadGuideSource(std::string_view bytes) {
  GuideSource source;
  source.charset = DetectCharset(bytes);
  std::string_view first = bytes.substr(0, bytes.find('\n'));
  if (first.ends_with('\r')) first.remove_suffix(1);
  source.isGuide = StartsWithKeyword(TrimBlanks(first), AGCmdKind::Database);
  if (!source.isGuide) {
    ReadVerbatim(bytes, source);
    IndexNodes(source);
    return source;
  }
  SourceNode* open = nullptr;  // the node being read
  ForEachSourceLine(bytes, [&](int number, std::string_view text) {
    if (IsCommandLine(text)) {
      GuideCommand command = ParseCommandLine(text, number);
      if (command.kind == AGCmdKind::Node) {
        source.nodes.push_back(StartNode(command));
        open = &source.nodes.back();
        return;
      }
      if (open != nullptr && command.kind == AGCmdKind::EndNode) {
        open->endLine = number;
        open = nullptr;
        return;
      }
      if (open == nullptr) source.databaseCommands.push_back(std::move(command));
    }
    (open != nullptr ? open->lines : source.outsideLines).push_back({number, std::string(text)});
  });
  IndexNodes(source);
  return source;
}

int FindNode(const GuideSource& source, std::string_view name) {
  auto found = source.nodeByName.find(AsciiLowered(name));
  return found == source.nodeByName.end() ? -1 : found->second;
}

int FindNode(const GuideSource& source, std::string_view utf8Name, Charset charset) {
  if (charset == Charset::Latin1 || charset == Charset::Utf8) {
    // Bytes below 0x80 decode to themselves; an all-ASCII name is found by its bytes.
    bool ascii = std::all_of(utf8Name.begin(), utf8Name.end(), [](char ch) { return ch >= 0; });
    if (ascii || charset == Charset::Utf8) return FindNode(source, utf8Name);
  }
  std::string wanted = AsciiLowered(utf8Name);
  for (size_t i = 0; i < source.nodes.size(); ++i)
    if (AsciiLowered(DecodeToUtf8(source.nodes[i].name, charset)) == wanted) return static_cast<int>(i);
  return -1;
}

}  // namespace folioteer
