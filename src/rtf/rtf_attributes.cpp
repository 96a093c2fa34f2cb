#include "rtf/rtf_attributes.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <optional>

#include "containers/text_block_channel.h"
#include "guide/syntax.h"
#include "nodes/scanner.h"
#include "rtf/rtf_writer.h"
#include "support/ascii.h"
#include "support/assert.h"

namespace folioteer {
namespace {

constexpr std::string_view kSeparators = " \t}";
constexpr int kTabStops = 40;
constexpr int kTwipsPerColumn = 100;

// ---------------------------------------------------------------------------
// Tables

struct StyleSwitch {
  std::string_view attr;
  uint8_t bit;
  RTFCharStyleKind kind;
  RTFStyleSwitch state;
};
constexpr StyleSwitch kStyleSwitches[] = {
    {"@{b}", 1, RTFCharStyleKind::Bold, RTFStyleSwitch::On},
    {"@{i}", 2, RTFCharStyleKind::Italic, RTFStyleSwitch::On},
    {"@{u}", 4, RTFCharStyleKind::Underline, RTFStyleSwitch::On},
    {"@{ub}", 1, RTFCharStyleKind::Bold, RTFStyleSwitch::Off},
    {"@{ui}", 2, RTFCharStyleKind::Italic, RTFStyleSwitch::Off},
    {"@{uu}", 4, RTFCharStyleKind::Underline, RTFStyleSwitch::Off},
};
constexpr StyleSwitch SwitchOff(RTFCharStyleKind kind) {
  for (const StyleSwitch& style : kStyleSwitches)
    if (style.kind == kind && style.state == RTFStyleSwitch::Off) return style;
  throw "no switch";  // not a constant expression: a compile error
}
// The order in which a reset switches styles off.
constexpr StyleSwitch kStylesOff[] = {SwitchOff(RTFCharStyleKind::Bold), SwitchOff(RTFCharStyleKind::Italic),
                                      SwitchOff(RTFCharStyleKind::Underline)};

struct Justification {
  std::string_view attr;
  uint8_t justification;
  RTFFormatKind format;
};
constexpr Justification kJustifications[] = {
    {"@{jleft}", 0, RTFFormatKind::AlignLeft},
    {"@{jright}", 1, RTFFormatKind::AlignRight},
    {"@{jcenter}", 2, RTFFormatKind::AlignCentre},
};

// Colour names by usage and the RTF colour of their pen (pen + 1).
struct NamedColor {
  std::string_view name;
  uint32_t rtfColor;
};
constexpr NamedColor kNamedColors[] = {
    {"text", 2},     {"shine", 1},      {"shadow", 8},    {"fill", 4},
    {"filltext", 2}, {"background", 3}, {"highlight", 5},
};
constexpr uint32_t kPens = 8;
constexpr uint32_t kLinkColor = 4;

// ---------------------------------------------------------------------------
// Reading parameters

bool ContainsIgnoreCase(std::string_view text, std::string_view needle, size_t from) {
  for (size_t at = from; at + needle.size() <= text.size(); ++at)
    if (EqualsIgnoreCase(text.substr(at, needle.size()), needle)) return true;
  return false;
}

std::string_view NextParam(std::string_view attr, size_t& pos) {
  return NextToken(attr, pos, kSeparators, TokenQuotes::Strip);
}

// A signed decimal integer that fits 32 bits, and nothing else.
std::optional<int32_t> SignedNumber(std::string_view token) {
  if (token.starts_with('+')) token.remove_prefix(1);
  int32_t value = 0;
  auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  if (token.empty() || error != std::errc{} || end != token.data() + token.size()) return std::nullopt;
  return value;
}

// Digits only; a number too large to hold is kept as the largest one.
std::optional<uint32_t> UnsignedNumber(std::string_view token) {
  if (token.empty() ||
      !std::all_of(token.begin(), token.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
    return std::nullopt;
  uint32_t value = 0;
  if (std::from_chars(token.data(), token.data() + token.size(), value).ec != std::errc{}) value = UINT32_MAX;
  return value;
}

// Columns to twips, kept within what a control word's number can hold.
int Twips(int64_t columns) {
  return static_cast<int>(std::clamp<int64_t>(columns * kTwipsPerColumn, INT_MIN, INT_MAX));
}

// ---------------------------------------------------------------------------
// Shared steps

void WritePendingFormats(RTFConversion& conv) {
  if (!conv.formatsPending) return;
  Reread(conv.pending);
  std::string line;
  int skipped = 0;
  while (ReadNonEmptyLine(conv.pending, line, skipped) == ReadResult::AllRight) WriteText(conv.out, line);
  Rewrite(conv.pending);
  conv.formatsPending = false;
}

void ResetStyles(RTFConversion& conv) {
  for (const StyleSwitch& off : kStylesOff) {
    if ((conv.node->styles & off.bit) == 0) continue;
    conv.node->styles &= static_cast<uint8_t>(~off.bit);
    RTFcharstyle(conv.out, off.kind, RTFStyleSwitch::Off);
  }
}

// ---------------------------------------------------------------------------
// The rules, in the order they are tried. Each returns FALSE when the
// attribute is not its own, so that the next rule is tried.

bool ParagraphBreak(const std::string& attr, RTFConversion& conv) {
  bool pard = EqualsIgnoreCase(attr, "@{pard}");
  if (!pard && !EqualsIgnoreCase(attr, "@{line}") && !EqualsIgnoreCase(attr, "@{par}")) return false;
  RTFcarriage(conv.out, RTFCarriageKind::Paragraph);
  WritePendingFormats(conv);
  if (pard) {
    ResetStyles(conv);
    RTFcolor(conv.out, 0, RTFColorLayer::Foreground);
    RTFcolor(conv.out, 0, RTFColorLayer::Background);
    RTFformat(conv.out, RTFFormatKind::LeftIndent, 0);
  }
  return true;
}

bool Plain(const std::string& attr, RTFConversion& conv) {
  if (!EqualsIgnoreCase(attr, "@{plain}")) return false;
  ResetStyles(conv);
  return true;
}

bool Tab(const std::string& attr, RTFConversion& conv) {
  if (!EqualsIgnoreCase(attr, "@{tab}")) return false;
  RTFcarriage(conv.out, RTFCarriageKind::Tab);
  return true;
}

// The indent waits in the pending formats for the next paragraph break. An
// indent without any number (as real guides have it) is shown as it stands.
bool LeftIndent(const std::string& attr, RTFConversion& conv) {
  if (!StartsWithIgnoreCase(attr, "@{lindent")) return false;
  size_t pos = 9;
  std::string_view param = NextParam(attr, pos);
  if (param.empty()) return false;
  std::optional<int32_t> indent = SignedNumber(param);
  Assert(indent.has_value(), "Bad param in lindent");
  RTFformat(conv.pending, RTFFormatKind::LeftIndent, Twips(*indent));
  WriteLn(conv.pending);
  conv.formatsPending = true;
  return true;
}

bool Style(const std::string& attr, RTFConversion& conv) {
  for (const StyleSwitch& style : kStyleSwitches) {
    if (!EqualsIgnoreCase(attr, style.attr)) continue;
    bool active = (conv.node->styles & style.bit) != 0;
    if (style.state == RTFStyleSwitch::On && !active) {
      conv.node->styles |= style.bit;
      RTFcharstyle(conv.out, style.kind, RTFStyleSwitch::On);
    } else if (style.state == RTFStyleSwitch::Off && active) {
      conv.node->styles &= static_cast<uint8_t>(~style.bit);
      RTFcharstyle(conv.out, style.kind, RTFStyleSwitch::Off);
    }
    return true;
  }
  return false;
}

bool Justify(const std::string& attr, RTFConversion& conv) {
  for (const Justification& entry : kJustifications) {
    if (!EqualsIgnoreCase(attr, entry.attr)) continue;
    conv.node->justification = entry.justification;
    RTFformat(conv.out, entry.format, 0);
    return true;
  }
  return false;
}

// A colour name not in the table, or a pen that is no number, is not ours;
// a pen beyond the colour table is ours and writes nothing.
bool Colour(const std::string& attr, RTFConversion& conv) {
  bool fg = StartsWithIgnoreCase(attr, "@{fg");
  if (fg || StartsWithIgnoreCase(attr, "@{bg")) {
    size_t pos = 4;
    std::string_view name = NextParam(attr, pos);
    for (const NamedColor& color : kNamedColors) {
      if (!EqualsIgnoreCase(name, color.name)) continue;
      RTFcolor(conv.out, color.rtfColor, fg ? RTFColorLayer::Foreground : RTFColorLayer::Background);
      return true;
    }
    return false;
  }
  bool apen = StartsWithIgnoreCase(attr, "@{apen");
  if (!apen && !StartsWithIgnoreCase(attr, "@{bpen")) return false;
  size_t pos = 6;
  std::optional<uint32_t> pen = UnsignedNumber(NextParam(attr, pos));
  if (!pen) return false;
  if (*pen < kPens)
    RTFcolor(conv.out, *pen + 1, apen ? RTFColorLayer::Foreground : RTFColorLayer::Background);
  return true;
}

// Values beyond the 40 tab stops a context holds are ignored.
bool SetTabs(const std::string& attr, RTFConversion& conv) {
  if (!StartsWithIgnoreCase(attr, "@{settabs")) return false;
  size_t pos = 9;
  for (int k = 0; k < kTabStops; ++k) {
    std::string_view token = NextParam(attr, pos);
    if (token.empty()) break;
    std::optional<int32_t> stop = SignedNumber(token);
    Assert(stop.has_value(), "Bad param in settabs");
    conv.node->tabStops[k] = *stop;
    RTFformat(conv.out, RTFFormatKind::TabStop, Twips(*stop));
  }
  return true;
}

bool ClearTabs(const std::string& attr, RTFConversion& conv) {
  if (!StartsWithIgnoreCase(attr, "@{cleartabs}")) return false;
  SetTabStops(*conv.node, conv.node->tabWidth, conv.out);
  return true;
}

// From here on every line end of the node arrives as "@{line}".
bool Code(const std::string& attr, RTFConversion& conv) {
  if (!EqualsIgnoreCase(attr, "@{code}")) return false;
  conv.node->wrapMode = 0;
  return true;
}

bool AmigaGuide(const std::string& attr, RTFConversion& conv) {
  if (!EqualsIgnoreCase(attr, "@{amigaguide}")) return false;
  RTFbracket(conv.out, RTFGroup::Open);
  RTFcharstyle(conv.out, RTFCharStyleKind::Bold, RTFStyleSwitch::On);
  RTFWriteString(conv.out, "AmigaGuide(R)");
  RTFbracket(conv.out, RTFGroup::Close);
  return true;
}

// A quoted label that holds quotes itself ("@{" "GNU E" " LINK x}", as real
// guides have it) runs to the last quote before the LINK keyword.
std::string LabelBeforeKeyword(const std::string& attr, size_t& pos) {
  size_t keyword = attr.size();
  for (size_t at = 4; at + 6 <= attr.size(); ++at)
    if (EqualsIgnoreCase(std::string_view(attr).substr(at, 6), " link ")) keyword = at;
  size_t close = attr.find_last_not_of(" \t", keyword - 1);
  if (attr[2] != '"' || close == std::string::npos || close <= 2 || attr[close] != '"') return {};
  pos = keyword;
  return attr.substr(3, close - 3);
}

// A cross reference to the bookmark of the target node, in the link colour.
bool Link(const std::string& attr, RTFConversion& conv) {
  if (!ContainsIgnoreCase(attr, " link ", 4)) return false;
  size_t pos = 2;
  std::string label(NextParam(attr, pos));
  size_t afterLabel = pos;
  if (!EqualsIgnoreCase(NextParam(attr, afterLabel), "link")) label = LabelBeforeKeyword(attr, pos);
  Assert(EqualsIgnoreCase(NextParam(attr, pos), "link"), "AGAttribsProcessRTF: missing LINK keyword?");
  std::string target(NextParam(attr, pos));
  Assert(!target.empty(), "AGAttribsProcessRTF: missing Link target?");
  RTFcolor(conv.out, kLinkColor, RTFColorLayer::Foreground);
  RTFreference(conv.out, EscapedRTF(target), EscapedRTF(label));
  RTFcolor(conv.out, 0, RTFColorLayer::Foreground);
  return true;
}

// Everything else is shown as it stands, on a line of its own.
bool Literal(const std::string& attr, RTFConversion& conv) {
  RTFWriteStringLong(conv.out, attr);
  RTFWriteLn(conv.out);
  return true;
}

using AttributeRule = bool (*)(const std::string& attr, RTFConversion& conv);
constexpr AttributeRule kAttributeRules[] = {ParagraphBreak, Plain,  Tab,     LeftIndent, Style,
                                             Justify,        Colour, SetTabs, ClearTabs,  Code,
                                             AmigaGuide,     Link,   Literal};

}  // namespace

void ExportAttribute(const std::string& attr, RTFConversion& conversion) {
  for (AttributeRule rule : kAttributeRules)
    if (rule(attr, conversion)) return;
}

void SetTabStops(AGContext& context, int32_t width, Channel out) {
  context.tabWidth = width;
  for (int i = 0; i < kTabStops; ++i) {
    int64_t stop = int64_t{width} * (i + 1);
    context.tabStops[i] = static_cast<int32_t>(std::clamp<int64_t>(stop, INT32_MIN, INT32_MAX));
    RTFformat(out, RTFFormatKind::TabStop, Twips(stop));
  }
}

std::string EscapedRTF(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::string escaped;
  escaped.reserve(text.size());
  for (char ch : text) {
    if (ch == '\\' || ch == '{' || ch == '}') escaped += '\\';
    escaped += ch;
  }
  return escaped;
}

}  // namespace folioteer
