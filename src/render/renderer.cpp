#include "render/renderer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "render/links.h"
#include "render/macros.h"
#include "render/paragraph_builder.h"
#include "support/assert.h"

namespace folioteer {
namespace {

using BreakKind = ParagraphBuilder::BreakKind;

constexpr std::string_view kAmigaGuideWord = "AmigaGuide(R)";

// The pen each colour name stands for, in GuideColor order: text, shine,
// shadow, fill, filltext, background, highlight (a 4-colour Workbench).
constexpr std::array<uint8_t, kNumColors> kColorPens = {kTextPen, kShinePen,      kTextPen, kFillPen,
                                                        kTextPen, kBackgroundPen, kShinePen};
constexpr std::string_view kBackgroundAlias = "back";

// A signed decimal number at the start of the text, saturated far beyond
// any column; nothing when the text does not start with one.
std::optional<int64_t> ParseNumber(std::string_view text) {
  size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') return std::nullopt;
  int64_t value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
    value = std::min<int64_t>(value * 10 + (text[pos] - '0'), int64_t{1} << 40);
  return negative ? -value : value;
}

int Clamped(int64_t value, int low, int high) {
  return static_cast<int>(std::clamp<int64_t>(value, low, high));
}

std::optional<int64_t> FirstNumber(std::string_view arguments) {
  size_t pos = 0;
  return ParseNumber(NextArgument(arguments, pos));
}

// ---------------------------------------------------------------------------
// Node settings

struct NodeSettings {
  bool wordWrap = false;
  bool smartWrap = false;
  FontRequest font;
  int tabWidth = 8;

  WrapMode Wrap() const { return smartWrap ? WrapMode::Smart : wordWrap ? WrapMode::Word : WrapMode::None; }
};

void ApplySetting(const GuideCommand& command, NodeSettings& settings) {
  switch (command.kind) {
    case AGCmdKind::WordWrap: settings.wordWrap = true; break;
    case AGCmdKind::SmartWrap: settings.smartWrap = true; break;
    case AGCmdKind::Tab:
      if (auto width = FirstNumber(command.rest); width && *width > 0)
        settings.tabWidth = Clamped(*width, 1, kMaxColumn);
      break;
    case AGCmdKind::Font: {
      size_t pos = 0;
      std::string_view name = NextArgument(command.rest, pos);
      std::optional<int64_t> size = ParseNumber(NextArgument(command.rest, pos));
      if (!name.empty()) settings.font = MapAmigaFont(name, Clamped(size.value_or(0), 0, 255));
      break;
    }
    default: break;
  }
}

void ApplyNodeInfo(const GuideCommand& command, Charset charset, NodeInfo& info) {
  auto decoded = [&](std::string_view text) { return DecodeToUtf8(text, charset); };
  size_t pos = 0;
  std::string_view reference = NextArgument(command.rest, pos);
  switch (command.kind) {
    case AGCmdKind::Title:
      info.title.clear();
      AppendDisplayText(info.title, TextArgument(command.rest), charset);
      break;
    case AGCmdKind::Toc: info.toc = decoded(reference); break;
    case AGCmdKind::Next: info.next = decoded(reference); break;
    case AGCmdKind::Prev: info.prev = decoded(reference); break;
    case AGCmdKind::Index: info.index = decoded(reference); break;
    case AGCmdKind::Help: info.help = decoded(reference); break;
    case AGCmdKind::OnOpen: info.onOpen = decoded(TextArgument(command.rest)); break;
    case AGCmdKind::OnClose: info.onClose = decoded(TextArgument(command.rest)); break;
    default: break;
  }
}

// ---------------------------------------------------------------------------
// Attributes

struct AttributeCall {
  AGAttrKind kind = AGAttrKind::None;
  bool off = false;  // "@{ub}", "@{ui}", "@{uu}"
};

AttributeCall LookUpAttribute(std::string_view name) {
  std::string keyword = "@{";
  keyword.append(name);
  if (AGAttrKind kind = MatchAttribute(keyword + "}"); kind != AGAttrKind::None) return {kind};
  if (AGAttrKind kind = MatchAttribute(keyword); kind != AGAttrKind::None) return {kind};
  if (name.size() == 2 && (name[0] == 'u' || name[0] == 'U')) {
    AGAttrKind kind = MatchAttribute(std::string("@{") + name[1] + "}");
    if (kind != AGAttrKind::None && GetAttrInfo(kind).Has(AttrModifier::AttrStyle)) return {kind, true};
  }
  return {};
}

std::optional<uint8_t> PenOfColorName(std::string_view name) {
  if (EqualsIgnoreCase(name, kBackgroundAlias)) return kBackgroundPen;
  for (int color = 0; color < kNumColors; ++color)
    if (EqualsIgnoreCase(name, GetColorName(static_cast<GuideColor>(color)))) return kColorPens[color];
  return std::nullopt;
}

uint8_t StyleBit(AGAttrKind kind) {
  return kind == AGAttrKind::Bold ? kStyleBold : kind == AGAttrKind::Italic ? kStyleItalic : kStyleUnderline;
}

// Where each style bit was switched on last: the attribute and its line.
class StyleOrigins {
 public:
  void Note(AttributeCall call, const TextStyle& style, std::string_view body, int line) {
    for (size_t i = 0; i < kBits.size(); ++i) {
      if (!(style.bits & kBits[i]))
        origins_[i] = {};
      else if (IsStyle(call.kind) && !call.off && StyleBit(call.kind) == kBits[i])
        origins_[i] = {line, std::string(body)};
    }
  }
  // The styles of `style` still on, in the order b, i, u.
  template <typename Report>
  void ForEachOn(const TextStyle& style, Report&& report) const {
    for (size_t i = 0; i < kBits.size(); ++i)
      if (style.bits & kBits[i]) report(origins_[i].line, origins_[i].body);
  }

 private:
  static bool IsStyle(AGAttrKind kind) {
    return kind == AGAttrKind::Bold || kind == AGAttrKind::Italic || kind == AGAttrKind::Underline;
  }
  static constexpr std::array<uint8_t, 3> kBits = {kStyleBold, kStyleItalic, kStyleUnderline};
  struct Origin {
    int line = 0;
    std::string body;
  };
  std::array<Origin, 3> origins_;
};

TabStops ParseTabStops(std::string_view arguments, int every) {
  TabStops tabs;
  tabs.every = every;
  size_t pos = 0;
  for (std::string_view value = NextArgument(arguments, pos); !value.empty();
       value = NextArgument(arguments, pos))
    if (auto column = ParseNumber(value); column && *column > 0)
      tabs.stops.push_back(Clamped(*column, 1, kMaxColumn));
  std::sort(tabs.stops.begin(), tabs.stops.end());
  tabs.stops.erase(std::unique(tabs.stops.begin(), tabs.stops.end()), tabs.stops.end());
  return tabs;
}

// Style bits and pens. FALSE when the attribute is none of them.
bool ApplyStyle(AttributeCall call, std::string_view arguments, TextStyle& style) {
  size_t pos = 0;
  std::string_view first = NextArgument(arguments, pos);
  std::optional<int64_t> number = ParseNumber(first);
  switch (call.kind) {
    case AGAttrKind::Bold:
    case AGAttrKind::Italic:
    case AGAttrKind::Underline:
      style.bits = static_cast<uint8_t>(call.off ? style.bits & ~StyleBit(call.kind)
                                                 : style.bits | StyleBit(call.kind));
      return true;
    case AGAttrKind::Plain: style.bits = 0; return true;
    case AGAttrKind::Fg:
    case AGAttrKind::Bg:
      if (std::optional<uint8_t> pen = PenOfColorName(first))
        (call.kind == AGAttrKind::Fg ? style.fgPen : style.bgPen) = *pen;
      return true;
    case AGAttrKind::Apen:
    case AGAttrKind::Bpen:
      if (number && *number >= 0)
        (call.kind == AGAttrKind::Apen ? style.fgPen : style.bgPen) = static_cast<uint8_t>(*number & 0xFF);
      return true;
    default: return false;
  }
}

// Justification, margins and wrapping. FALSE when the attribute is none of them.
bool ApplyShape(AttributeCall call, std::string_view arguments, WrapMode nodeWrap, LineState& state) {
  size_t pos = 0;
  std::optional<int64_t> number = ParseNumber(NextArgument(arguments, pos));
  switch (call.kind) {
    case AGAttrKind::JLeft: state.justification = Justification::Left; return true;
    case AGAttrKind::JCenter: state.justification = Justification::Center; return true;
    case AGAttrKind::JRight: state.justification = Justification::Right; return true;
    case AGAttrKind::Lindent:
      if (number) state.lindent = Clamped(*number, 0, kMaxColumn);
      return true;
    case AGAttrKind::Pari:
      if (number) state.pari = Clamped(*number, -kMaxColumn, kMaxColumn);
      return true;
    case AGAttrKind::Code: state.wrap = WrapMode::None; return true;
    case AGAttrKind::Body: state.wrap = nodeWrap; return true;
    case AGAttrKind::Pard:  // justification and tab stops stay
      state.style = TextStyle();
      state.lindent = 0;
      state.pari = 0;
      state.wrap = nodeWrap;
      return true;
    default: return false;
  }
}

// ---------------------------------------------------------------------------
// The renderer of one node

class Renderer {
 public:
  Renderer(const GuideSource& source, const SourceNode& node, DisplayNode& out);
  void Run();

 private:
  void RenderLine(std::string_view text, int line);
  void RenderVerbatimLine(std::string_view text, int line);
  void RenderInline(std::string_view text, int line);
  void RenderEscape(std::string_view text, size_t& pos, int line);
  void LineEnd(int line);
  void Attribute(std::string_view body, bool closed, int line);
  bool ExpandMacro(std::string_view name, std::string_view arguments, std::string_view body, int line);
  void BuiltIn(AttributeCall call, std::string_view arguments, std::string_view body, int line);
  void SetTabs(TabStops tabs);
  void Note(RenderIssueKind kind, int line, std::string_view text);

  const GuideSource& source_;
  const SourceNode& node_;
  DisplayNode& out_;
  NodeSettings settings_;
  MacroTable macros_;
  MacroBounds bounds_;
  ParagraphBuilder builder_;
  LineState state_;
  StyleOrigins styleOrigins_;
  bool afterLineEnd_ = false;  // the last thing read was a line end
  bool deepNoted_ = false;     // each bound is reported once per node
  bool budgetNoted_ = false;
};

size_t TextBytes(const SourceNode& node) {
  size_t bytes = 0;
  for (const SourceLine& line : node.lines) bytes += line.text.size() + 1;
  return bytes;
}

Renderer::Renderer(const GuideSource& source, const SourceNode& node, DisplayNode& out)
    : source_(source), node_(node), out_(out), bounds_(TextBytes(node)), builder_(out) {}

void Renderer::Run() {
  NodeInfo& info = out_.info;
  info.name = DecodeToUtf8(node_.name, out_.charset);
  AppendDisplayText(info.title, node_.title.empty() ? node_.name : node_.title, out_.charset);
  for (const GuideCommand& command : source_.databaseCommands) {
    if (command.kind == AGCmdKind::Macro) AddMacroDefinition(macros_, command.rest);
    if (command.line > node_.line) continue;
    ApplySetting(command, settings_);
    if (command.kind == AGCmdKind::Index || command.kind == AGCmdKind::Help)
      ApplyNodeInfo(command, out_.charset, info);
  }
  for (const SourceLine& line : node_.lines) {
    if (node_.verbatim || !IsCommandLine(line.text)) continue;
    GuideCommand command = ParseCommandLine(line.text, line.number);
    ApplySetting(command, settings_);
    ApplyNodeInfo(command, out_.charset, info);
  }
  out_.font = settings_.font;
  out_.tabStopSets.push_back({{}, settings_.tabWidth});
  state_.wrap = node_.verbatim ? WrapMode::None : settings_.Wrap();
  for (const SourceLine& line : node_.lines) {
    if (node_.verbatim)
      RenderVerbatimLine(line.text, line.number);
    else if (!IsCommandLine(line.text))
      RenderLine(line.text, line.number);
  }
  builder_.Finish(state_);
  styleOrigins_.ForEachOn(state_.style, [&](int line, std::string_view body) {
    Note(RenderIssueKind::StyleOnAtEnd, line, body);
  });
}

void Renderer::RenderVerbatimLine(std::string_view text, int line) {
  for (size_t start = 0; start <= text.size();) {
    size_t tab = std::min(text.find('\t', start), text.size());
    builder_.Text(text.substr(start, tab - start), state_, line);
    if (tab < text.size()) builder_.Tab(state_, line);
    start = tab + 1;
  }
  builder_.HardBreak(state_, line, BreakKind::Line);
}

// Command lines never get here: they are skipped whole, so a command line
// inside smart-wrapped text is no more than the soft line end around it.
void Renderer::RenderLine(std::string_view text, int line) {
  if (!text.empty()) afterLineEnd_ = false;
  RenderInline(text, line);
  LineEnd(line);
}

void Renderer::LineEnd(int line) {
  if (state_.wrap == WrapMode::Smart && !afterLineEnd_)
    builder_.SoftBreak(state_);
  else
    builder_.HardBreak(state_, line, BreakKind::Line);
  afterLineEnd_ = true;
}

void Renderer::RenderInline(std::string_view text, int line) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t start = pos;
    while (pos < text.size() && text[pos] != '\\' && text[pos] != '@' && text[pos] != '\t') ++pos;
    builder_.Text(text.substr(start, pos - start), state_, line);
    if (pos >= text.size()) break;
    if (text[pos] == '\t') {
      builder_.Tab(state_, line);
      ++pos;
    } else if (text[pos] == '\\') {
      RenderEscape(text, pos, line);
    } else if (pos + 1 < text.size() && text[pos + 1] == '{') {
      size_t close = text.find('}', pos + 2);
      size_t end = close == std::string_view::npos ? text.size() : close;
      Attribute(text.substr(pos + 2, end - pos - 2), close != std::string_view::npos, line);
      pos = close == std::string_view::npos ? text.size() : close + 1;
    } else {
      builder_.Text("@", state_, line);
      ++pos;
    }
  }
}

// A backslash shows the character after it, whatever it is ("\\" a
// backslash, "\@" an at-sign that starts nothing); one at the end of a line
// shows nothing.
void Renderer::RenderEscape(std::string_view text, size_t& pos, int line) {
  ++pos;
  if (pos >= text.size()) return;
  if (text[pos] == '\t')
    builder_.Tab(state_, line);
  else
    builder_.Text(text.substr(pos, 1), state_, line);
  ++pos;
}

void Renderer::Note(RenderIssueKind kind, int line, std::string_view text) {
  if (out_.issues.size() < kMaxRenderIssues)
    out_.issues.push_back({kind, line, std::string(text.substr(0, kMaxIssueText))});
}

void Renderer::Attribute(std::string_view body, bool closed, int line) {
  if (!closed) Note(RenderIssueKind::UnclosedAttribute, line, body);
  if (IsLinkAttribute(body)) {
    builder_.AddLink(ParseLink(body, out_.charset, line), state_);
    return;
  }
  size_t pos = 0;
  std::string_view name = NextArgument(body, pos);
  std::string_view arguments = body.substr(pos);
  if (name.empty()) {
    Note(RenderIssueKind::UnknownAttribute, line, body);
    return;
  }
  if (ExpandMacro(name, arguments, body, line)) return;
  BuiltIn(LookUpAttribute(name), arguments, body, line);
}

// The expansion is read as if it stood in place of the call, on the call's line.
bool Renderer::ExpandMacro(std::string_view name, std::string_view arguments, std::string_view body,
                           int line) {
  const Macro* macro = FindMacro(macros_, name);
  if (macro == nullptr) return false;
  MacroArguments split = SplitMacroArguments(arguments);
  switch (bounds_.Enter(ExpandedSize(*macro, split))) {
    case MacroBounds::Refusal::TooDeep:
      if (!std::exchange(deepNoted_, true)) Note(RenderIssueKind::MacroTooDeep, line, body);
      return true;
    case MacroBounds::Refusal::BudgetUsed:
      if (!std::exchange(budgetNoted_, true)) Note(RenderIssueKind::MacroBudgetUsed, line, body);
      return true;
    case MacroBounds::Refusal::None: break;
  }
  std::string expansion = ExpandMacroBody(macro->body, split);
  RenderInline(expansion, line);
  bounds_.Leave();
  return true;
}

void Renderer::SetTabs(TabStops tabs) {
  if (tabs == out_.tabStopSets[state_.tabStops]) return;
  if (tabs == out_.tabStopSets.front()) {
    state_.tabStops = 0;
    return;
  }
  state_.tabStops = static_cast<int>(out_.tabStopSets.size());
  out_.tabStopSets.push_back(std::move(tabs));
}

void Renderer::BuiltIn(AttributeCall call, std::string_view arguments, std::string_view body, int line) {
  if (ApplyStyle(call, arguments, state_.style) || ApplyShape(call, arguments, settings_.Wrap(), state_)) {
    styleOrigins_.Note(call, state_.style, body, line);
    return;
  }
  switch (call.kind) {
    case AGAttrKind::Line: builder_.HardBreak(state_, line, BreakKind::Line); break;
    // Sources disagree on "@{par}": readers of the V40 format end the line
    // and indent the next one by pari, one other shows an empty line instead.
    // We end the line and indent: pari exists only for this, and "@{par}"
    // stands for the two line ends that end a smart-wrapped paragraph, which
    // leave no empty line either.
    case AGAttrKind::Par: builder_.HardBreak(state_, line, BreakKind::Par); break;
    case AGAttrKind::SetTabs: SetTabs(ParseTabStops(arguments, settings_.tabWidth)); break;
    case AGAttrKind::ClearTabs: state_.tabStops = 0; break;
    case AGAttrKind::Tab: builder_.Tab(state_, line); break;
    case AGAttrKind::AmigaGuide: {
      LineState bold = state_;
      bold.style.bits |= kStyleBold;
      builder_.Text(kAmigaGuideWord, bold, line);
      break;
    }
    default: Note(RenderIssueKind::UnknownAttribute, line, body); break;
  }
}

}  // namespace

DisplayNode RenderNode(const GuideSource& source, int nodeIndex, const RenderOptions& options) {
  Assert(nodeIndex >= 0 && nodeIndex < static_cast<int>(source.nodes.size()), "RenderNode: no such node");
  DisplayNode out;
  out.charset = options.charset.value_or(source.charset);
  Renderer(source, source.nodes[nodeIndex], out).Run();
  return out;
}

}  // namespace folioteer
