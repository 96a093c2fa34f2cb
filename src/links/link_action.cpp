#include "links/link_action.h"

#include "links/amiga_path.h"
#include "support/ascii.h"

namespace folioteer {
namespace {

bool IsWebAddress(std::string_view word) {
  return StartsWithIgnoreCase(word, "http://") || StartsWithIgnoreCase(word, "https://");
}

// "OpenURL", "C:OpenURL", "SYS:Utilities/OpenURL" in any letter case.
bool IsOpenUrl(std::string_view program) {
  size_t cut = program.find_last_of(":/");
  std::string_view name = cut == std::string_view::npos ? program : program.substr(cut + 1);
  return EqualsIgnoreCase(name, "openurl");
}

std::string OpenUrlArgument(const std::vector<std::string>& words) {
  for (size_t i = 1; i < words.size(); ++i) {
    std::string_view word = words[i];
    if (StartsWithIgnoreCase(word, "URL=")) word.remove_prefix(4);
    if (IsWebAddress(word)) return std::string(word);
    if (StartsWithIgnoreCase(word, "www.")) return "http://" + std::string(word);
  }
  return {};
}

LinkAction Nothing(std::string reason) {
  LinkAction action;
  action.reason = std::move(reason);
  return action;
}

LinkAction ShowNode(const Link& link) {
  if (link.arguments.empty() || link.arguments[0].empty()) return Nothing("The link names no node.");
  LinkAction action;
  action.kind = LinkActionKind::ShowNode;
  action.file = link.file;
  action.node = link.node;
  action.line = link.lineNumber;
  return action;
}

// The command line of system, rx and rxs: a guide usually writes it in
// quotes as one argument ("run >NIL: Multiview x"), which are not part of it.
std::string CommandLine(const Link& link) {
  return link.arguments.size() == 1 ? link.arguments[0] : link.argumentText;
}

LinkAction System(const Link& link) {
  LinkAction action;
  action.command = CommandLine(link);
  action.words = SplitCommandWords(action.command);
  if (action.words.empty() || action.words[0].empty()) return Nothing("The link names no command to run.");
  action.url = CommandUrl(action.words);
  action.kind = action.url.empty() ? LinkActionKind::RunProgram : LinkActionKind::OpenUrl;
  return action;
}

LinkAction Kind(LinkActionKind kind, std::string command = {}) {
  LinkAction action;
  action.kind = kind;
  action.command = std::move(command);
  return action;
}

}  // namespace

std::vector<std::string> SplitCommandWords(std::string_view command) {
  std::vector<std::string> words;
  size_t pos = 0;
  auto blank = [&](size_t at) { return command[at] == ' ' || command[at] == '\t'; };
  while (pos < command.size()) {
    while (pos < command.size() && blank(pos)) ++pos;
    if (pos >= command.size()) break;
    std::string word;
    bool quoted = false;
    for (; pos < command.size() && (quoted || !blank(pos)); ++pos) {
      if (command[pos] == '"')
        quoted = !quoted;
      else
        word += command[pos];
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::string CommandUrl(const std::vector<std::string>& words) {
  if (words.empty()) return {};
  if (IsOpenUrl(words[0])) return OpenUrlArgument(words);
  for (const std::string& word : words)
    if (IsWebAddress(word)) return word;
  return {};
}

LinkAction DecideLinkAction(const Link& link) {
  switch (link.kind) {
    case LinkKind::Link:
    case LinkKind::ALink: return ShowNode(link);
    case LinkKind::System: return System(link);
    case LinkKind::Rx:
    case LinkKind::Rxs: return Kind(LinkActionKind::Arexx, CommandLine(link));
    case LinkKind::Beep: return Kind(LinkActionKind::Beep);
    case LinkKind::Close: return Kind(LinkActionKind::Close);
    case LinkKind::Quit: return Kind(LinkActionKind::Quit);
    case LinkKind::Unknown: break;
  }
  if (link.command.empty()) return Nothing("The link has no command.");
  return Nothing("The link's command \"" + ShortenedForMessage(link.command) +
                 "\" is not one this viewer knows.");
}

}  // namespace folioteer
