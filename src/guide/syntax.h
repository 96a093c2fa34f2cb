// The AmigaGuide vocabulary: every @ command the editor knows, every inline
// text attribute (written between "@{" and "}"), the four link operations and
// the seven colour names, each with its identifier, its exact spelling, its
// modifier set (the properties that drive parsing, rendering and the dialogs)
// and its hint texts. No other module spells a keyword itself.
//
// The tables are built once, on first use, from the rows in syntax.cpp, and
// checked for consistency; afterwards they are read-only.
//
// Keywords compare as ASCII without regard to case: the comparisons of
// support/ascii.h (EqualsIgnoreCase, ...) come with this header.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/ascii.h"

namespace folioteer {

// clang-format off
enum class AGCmdKind : uint8_t {
  Author, Copyright, Database, EndNode, Font, Height, Help, Index, Keywords, Link, Macro,
  Master, Next, Node, OnClose, OnOpen, Prev, Remark, SmartWrap, Tab, Title, Toc, Version,
  Width, WordWrap, None
};
// clang-format on
inline constexpr int kNumCmdKinds = 26;  // None included
static_assert(kNumCmdKinds == static_cast<int>(AGCmdKind::None) + 1);

// clang-format off
enum class CmdModifier : uint8_t {
  Global, Local, EndNode, Inline, CaseSensitive, Verbatim, NodeRef, StrParam, TwoStrParam,
  FontParam, Number, Switch, Unique, NoDefaults
};
// clang-format on
inline constexpr int kNumCmdModifiers = 14;
static_assert(kNumCmdModifiers == static_cast<int>(CmdModifier::NoDefaults) + 1);

// clang-format off
enum class AGAttrKind : uint8_t {
  AmigaGuide, Apen, Bg, Body, Lindent, Bold, Bpen, JCenter, ClearTabs, Code, Par, Fg, Italic,
  JLeft, Line, Pari, Pard, Plain, JRight, SetTabs, Tab, Underline, None
};
// clang-format on
inline constexpr int kNumAttrKinds = 23;  // None included
static_assert(kNumAttrKinds == static_cast<int>(AGAttrKind::None) + 1);

enum class AttrModifier : uint8_t { AttrText, AttrNumber, MultiNums, AttrColor, AttrStyle, AttrSwitch };
inline constexpr int kNumAttrModifiers = 6;
static_assert(kNumAttrModifiers == static_cast<int>(AttrModifier::AttrSwitch) + 1);

enum class LinkOp : uint8_t { Link, Rx, Rxs, System };
inline constexpr int kNumLinkOps = 4;
static_assert(kNumLinkOps == static_cast<int>(LinkOp::System) + 1);

enum class GuideColor : uint8_t { Text, Shine, Shadow, Fill, FillText, Background, Highlight };
inline constexpr int kNumColors = 7;
static_assert(kNumColors == static_cast<int>(GuideColor::Highlight) + 1);

// A set of modifiers, one bit per value.
template <typename Modifier, typename Bits>
class ModSet {
 public:
  constexpr ModSet() = default;
  constexpr bool Has(Modifier m) const { return (bits_ >> static_cast<int>(m)) & 1; }
  constexpr void Add(Modifier m) { bits_ |= static_cast<Bits>(Bits{1} << static_cast<int>(m)); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr Bits Raw() const { return bits_; }
  friend constexpr bool operator==(ModSet, ModSet) = default;

 private:
  Bits bits_ = 0;
};
using CmdModSet = ModSet<CmdModifier, uint16_t>;
using AttrModSet = ModSet<AttrModifier, uint8_t>;

using Hints = std::array<std::string, 4>;

// Builds and checks the tables unless that has happened; every lookup below
// calls it, so explicit calls are only needed to run the checks early.
void InitAmigaGuideSyntax();

const std::string& GetCmdName(AGCmdKind kind);
CmdModSet GetCmdInfo(AGCmdKind kind);
const Hints& GetCmdHints(AGCmdKind kind);
const std::string& GetAttrName(AGAttrKind kind);
AttrModSet GetAttrInfo(AGAttrKind kind);
const Hints& GetAttrHints(AGAttrKind kind);
const std::string& GetLinkOpName(LinkOp op);
// Description, label hint, target hint.
const std::array<std::string, 3>& GetLinkOpHints(LinkOp op);
const std::string& GetColorName(GuideColor color);

// AGCmdKind::None when the token is no keyword; "@remark" and "@rem" in any
// case, "@$VER:" only with exactly these capitals.
AGCmdKind MatchCommand(std::string_view token);
AGAttrKind MatchAttribute(std::string_view token);
// Unknown names give LINK and Text.
LinkOp MatchLinkOpName(std::string_view name);
GuideColor MatchColorName(std::string_view name);

}  // namespace folioteer
