#include "render/links.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "guide/syntax.h"
#include "render/guide_source.h"

namespace folioteer {
namespace {

struct LinkKindRow {
  LinkKind kind;
  std::string_view name;
};
// The commands beyond the editor's four link operations.
constexpr std::array<LinkKindRow, 4> kViewerLinkCommands = {{
    {LinkKind::ALink, "alink"},
    {LinkKind::Beep, "beep"},
    {LinkKind::Close, "close"},
    {LinkKind::Quit, "quit"},
}};

// Old guides separate with commas too: @{"x",link y}.
constexpr std::string_view kLinkSeparators = " \t,";

std::string_view NextLinkToken(std::string_view text, size_t& pos) {
  return NextArgument(text, pos, kLinkSeparators);
}

int LineNumber(std::string_view text) {
  int number = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size() && number > 0 ? number : 0;
}

void SplitTarget(Link& link) {
  if (link.arguments.empty()) return;
  LinkTarget target = SplitLinkTarget(link.arguments[0]);
  link.file = std::move(target.file);
  link.node = std::move(target.node);
  if (link.arguments.size() > 1) link.lineNumber = LineNumber(link.arguments[1]);
}

}  // namespace

LinkTarget SplitLinkTarget(std::string_view target) {
  size_t slash = target.rfind('/');
  if (slash == std::string_view::npos) return {{}, std::string(target)};
  return {std::string(target.substr(0, slash)), std::string(target.substr(slash + 1))};
}

bool IsLinkAttribute(std::string_view body) {
  size_t pos = body.find_first_not_of(" \t");
  return pos != std::string_view::npos && body[pos] == '"';
}

LinkKind LinkKindByName(std::string_view command) {
  constexpr std::array<LinkKind, kNumLinkOps> kEditorOps = {LinkKind::Link, LinkKind::Rx, LinkKind::Rxs,
                                                            LinkKind::System};
  for (int op = 0; op < kNumLinkOps; ++op)
    if (EqualsIgnoreCase(command, GetLinkOpName(static_cast<LinkOp>(op)))) return kEditorOps[op];
  for (const LinkKindRow& row : kViewerLinkCommands)
    if (EqualsIgnoreCase(command, row.name)) return row.kind;
  return LinkKind::Unknown;
}

Link ParseLink(std::string_view body, Charset charset, int line) {
  Link link;
  link.line = line;
  size_t open = body.find('"');
  size_t close = body.find('"', open + 1);
  size_t labelEnd = close == std::string_view::npos ? body.size() : close;
  AppendDisplayText(link.label, body.substr(open + 1, labelEnd - open - 1), charset);
  std::string_view rest = close == std::string_view::npos ? std::string_view() : body.substr(close + 1);
  size_t pos = 0;
  std::string_view command = NextLinkToken(rest, pos);
  link.command = DecodeToUtf8(command, charset);
  link.kind = LinkKindByName(command);
  pos = std::min(rest.find_first_not_of(kLinkSeparators, pos), rest.size());
  link.argumentText = DecodeToUtf8(rest.substr(pos), charset);
  for (std::string_view argument = NextLinkToken(rest, pos); !argument.empty() || pos < rest.size();
       argument = NextLinkToken(rest, pos))
    link.arguments.push_back(DecodeToUtf8(argument, charset));
  if (link.kind == LinkKind::Link || link.kind == LinkKind::ALink) SplitTarget(link);
  return link;
}

}  // namespace folioteer
