#include "guide/syntax.h"

#include "guide/syntax_tables.h"
#include "support/ascii.h"
#include "support/assert.h"

namespace folioteer {
namespace {

using K = AGCmdKind;
using A = AGAttrKind;

SyntaxSource MakeDefaultSource() {
  SyntaxSource s;
  using M = CmdModifier;
  s.cmdSets = {
      {M::Global,
       {K::Author, K::Copyright, K::Database, K::Font, K::Height, K::Help, K::Index, K::Keywords, K::Macro,
        K::Master, K::OnClose, K::OnOpen, K::Remark, K::SmartWrap, K::Tab, K::Version, K::Width,
        K::WordWrap}},
      {M::Local,
       {K::Font, K::Keywords, K::Next, K::OnClose, K::OnOpen, K::Prev, K::Remark, K::SmartWrap, K::Tab,
        K::Title, K::Toc, K::WordWrap}},
      {M::EndNode, {K::EndNode}},
      {M::Inline, {K::Link}},
      {M::CaseSensitive, {K::Version}},
      {M::Verbatim, {K::Remark, K::Version}},
      {M::NodeRef, {K::Help, K::Index, K::Link, K::Next, K::Prev, K::Toc}},
      {M::StrParam,
       {K::Author, K::Copyright, K::Database, K::Keywords, K::Link, K::Master, K::Node, K::OnClose, K::OnOpen,
        K::Remark, K::Title, K::Version}},
      {M::TwoStrParam, {K::Link, K::Macro, K::Node, K::Version}},
      {M::FontParam, {K::Font}},
      {M::Number, {K::Height, K::Link, K::Tab, K::Width}},
      {M::Switch, {K::EndNode, K::SmartWrap, K::WordWrap}},
      {M::Unique, {K::Database, K::Help, K::Index, K::Next, K::Prev, K::Toc}},
      {M::NoDefaults, {K::Database, K::Next, K::Prev, K::Remark, K::Title}},
  };
  s.cmdKeywords = {
      {K::Author, "@author", ""},       {K::Copyright, "@(c)", ""},
      {K::Database, "@database", ""},   {K::EndNode, "@endnode", ""},
      {K::Font, "@font", ""},           {K::Height, "@height", ""},
      {K::Help, "@help", ""},           {K::Index, "@index", ""},
      {K::Keywords, "@keywords", ""},   {K::Link, "@{", ""},
      {K::Macro, "@macro", ""},         {K::Master, "@master", ""},
      {K::Next, "@next", ""},           {K::Node, "@node", ""},
      {K::OnClose, "@onclose", ""},     {K::OnOpen, "@onopen", ""},
      {K::Prev, "@prev", ""},           {K::Remark, "@remark", "@rem"},
      {K::SmartWrap, "@smartwrap", ""}, {K::Tab, "@tab", ""},
      {K::Title, "@title", ""},         {K::Toc, "@toc", ""},
      {K::Version, "@$VER:", ""},       {K::Width, "@width", ""},
      {K::WordWrap, "@wordwrap", ""},   {K::None, "", ""},
  };
  s.cmdHints = {
      {K::Font, {"", "<File>.font name", "", "Font size"}},
      {K::Height, {"", "", "", "Open doc height - MAY BE IGNORED BY MULTIVIEW, USE TOOLTYPE IN DOC"}},
      {K::Help, {"", "Node name", "", ""}},
      {K::Index, {"", "Node name", "", ""}},
      {K::Macro, {"", "Macro name", "Macro definition", ""}},
      {K::Next, {"", "Node name", "", ""}},
      {K::Node, {"", "Node name", "optional Node display name", ""}},
      {K::OnClose, {"", "<File>.rexx name", "", ""}},
      {K::OnOpen, {"", "<File>.rexx name", "", ""}},
      {K::Prev, {"", "Node name", "", ""}},
      {K::Tab, {"", "", "", "fixed tab size in columns"}},
      {K::Title, {"", "Node display name", "", ""}},
      {K::Toc, {"", "Node name", "", ""}},
      {K::Version, {"", "Amiga style version", "optional Comment after version", ""}},
      {K::Width, {"", "", "", "Open doc width - MAY BE IGNORED BY MULTIVIEW, USE TOOLTYPE IN DOC "}},
  };
  for (K kind : {K::Author, K::Copyright, K::Database, K::EndNode, K::Keywords, K::Link, K::Master, K::Remark,
                 K::SmartWrap, K::WordWrap, K::None})
    s.cmdHints.push_back({kind, {}});
  using AM = AttrModifier;
  s.attrSets = {
      {AM::AttrText, {A::SetTabs}},
      {AM::AttrNumber, {A::Apen, A::Lindent, A::Bpen, A::Pari}},
      {AM::MultiNums, {A::SetTabs}},
      {AM::AttrColor, {A::Bg, A::Fg}},
      {AM::AttrStyle, {A::Bold, A::Italic, A::Underline}},
      {AM::AttrSwitch,
       {A::AmigaGuide, A::Body, A::JCenter, A::ClearTabs, A::Code, A::Par, A::JLeft, A::Line, A::Pard,
        A::Plain, A::JRight, A::Tab}},
  };
  s.attrKeywords = {
      {A::AmigaGuide, "@{amigaguide}"},
      {A::Apen, "@{apen"},
      {A::Bg, "@{bg"},
      {A::Body, "@{body}"},
      {A::Lindent, "@{lindent"},
      {A::Bold, "@{b}"},
      {A::Bpen, "@{bpen"},
      {A::JCenter, "@{jcenter}"},
      {A::ClearTabs, "@{cleartabs}"},
      {A::Code, "@{code}"},
      {A::Par, "@{par}"},
      {A::Fg, "@{fg"},
      {A::Italic, "@{i}"},
      {A::JLeft, "@{jleft}"},
      {A::Line, "@{line}"},
      {A::Pari, "@{pari"},
      {A::Pard, "@{pard}"},
      {A::Plain, "@{plain}"},
      {A::JRight, "@{jright}"},
      {A::SetTabs, "@{settabs"},
      {A::Tab, "@{tab}"},
      {A::Underline, "@{u}"},
      {A::None, ""},
  };
  s.attrHints = {
      {A::Apen, {"Palette pen number", "", "", ""}},
      {A::Bg, {"", "", "GUI background color named by usage", ""}},
      {A::Lindent, {"Set left margin at this column", "", "", ""}},
      {A::Bpen, {"Palette pen number", "", "", ""}},
      {A::Fg, {"", "", "GUI foreground color named by usage", ""}},
      {A::Pari,
       {"Paragraph first line indent(+) or hang(-) -NEEDS TO PRECEED AN EXPLICIT @{par}", "", "", ""}},
      {A::SetTabs, {"", "Space delimited list of line tab positions", "", ""}},
  };
  for (A kind : {A::AmigaGuide, A::Body, A::Bold, A::JCenter, A::ClearTabs, A::Code, A::Par, A::Italic,
                 A::JLeft, A::Line, A::Pard, A::Plain, A::JRight, A::Tab, A::Underline, A::None})
    s.attrHints.push_back({kind, {}});
  s.linkOpNames = {
      {LinkOp::Link, "LINK"}, {LinkOp::Rx, "RX"}, {LinkOp::Rxs, "RXS"}, {LinkOp::System, "SYSTEM"}};
  s.linkOpHints = {
      {LinkOp::Link, {"Link to node or file", "Label", "Node name or Datatypes file name followed by /MAIN"}},
      {LinkOp::Rx, {"Run ARexx program", "Label", "ARexx file name"}},
      {LinkOp::Rxs, {"Run ARexx string", "Label", "String of ARexx statements"}},
      {LinkOp::System, {"Issue CLI command", "Label", "CLI command"}},
  };
  s.colorNames = {{GuideColor::Text, "Text"},          {GuideColor::Shine, "Shine"},
                  {GuideColor::Shadow, "Shadow"},      {GuideColor::Fill, "Fill"},
                  {GuideColor::FillText, "FillText"},  {GuideColor::Background, "Background"},
                  {GuideColor::Highlight, "Highlight"}};
  return s;
}

// Steps of the build, in the order of building.

// The members of every modifier, from its one set; a modifier without a set,
// with two or with an empty one is a fault of the source.
template <typename Kind, int N, typename SetRow>
std::array<const std::vector<Kind>*, N> MembersByModifier(const std::vector<SetRow>& sets,
                                                          std::string_view message) {
  std::array<const std::vector<Kind>*, N> members{};
  for (const SetRow& row : sets) {
    auto& slot = members.at(static_cast<size_t>(row.modifier));
    Assert(slot == nullptr && !row.members.empty(), message);
    slot = &row.members;
  }
  for (const auto* set : members) Assert(set != nullptr, message);
  return members;
}

// Every kind but None takes its parameters in some form (NodeRef up to Switch).
void FillCmdSetsAndKeywords(const SyntaxSource& source, SyntaxTables& tables) {
  auto sets = MembersByModifier<AGCmdKind, kNumCmdModifiers>(source.cmdSets,
                                                             "Bug in AmigaGuideSyntax InitCmdsModifiers");
  std::array<bool, kNumCmdKinds> covered{};
  for (int m = static_cast<int>(CmdModifier::NodeRef); m <= static_cast<int>(CmdModifier::Switch); ++m)
    for (AGCmdKind kind : *sets[m]) covered[static_cast<int>(kind)] = true;
  for (int kind = 0; kind < kNumCmdKinds - 1; ++kind)
    Assert(covered[kind], "BUG:AGCmdModSets not set up correctly");
  for (const CmdKeywordRow& row : source.cmdKeywords) {
    CmdEntry& entry = tables.cmds[static_cast<int>(row.kind)];
    Assert(!entry.keyword, "Bug in AmigaGuideSyntax init");
    entry.keyword = std::string(row.keyword);
    entry.alternative = std::string(row.alternative);
    for (const CmdSetRow& set : source.cmdSets)
      for (AGCmdKind member : set.members)
        if (member == row.kind) entry.mods.Add(set.modifier);
  }
  for (const CmdEntry& entry : tables.cmds)
    Assert(entry.keyword.has_value(), "Bug in AmigaGuideFormat init cmds code");
}

template <size_t N>
std::array<std::string, N> ToStrings(const std::array<std::string_view, N>& views) {
  std::array<std::string, N> strings;
  for (size_t i = 0; i < N; ++i) strings[i] = std::string(views[i]);
  return strings;
}

void FillCmdHints(const SyntaxSource& source, SyntaxTables& tables) {
  for (const CmdHintRow& row : source.cmdHints) {
    std::optional<Hints>& hints = tables.cmds[static_cast<int>(row.kind)].hints;
    Assert(!hints, "Bug in AmigaGuideSyntax InitCmdsHints");
    hints = ToStrings(row.hints);
  }
}

void FillAttrs(const SyntaxSource& source, SyntaxTables& tables) {
  MembersByModifier<AGAttrKind, kNumAttrModifiers>(source.attrSets,
                                                   "Bug in AmigaGuideSyntax InitAttribsModifiers");
  for (const AttrKeywordRow& row : source.attrKeywords) {
    AttrEntry& entry = tables.attrs[static_cast<int>(row.kind)];
    Assert(!entry.keyword, "Bug in AmigaGuideSyntax init");
    entry.keyword = std::string(row.keyword);
    for (const AttrSetRow& set : source.attrSets)
      for (AGAttrKind member : set.members)
        if (member == row.kind) entry.mods.Add(set.modifier);
  }
  for (const AttrEntry& entry : tables.attrs)
    Assert(entry.keyword.has_value(), "Bug in AmigaGuideFormat init attribs code");
  for (const AttrHintRow& row : source.attrHints) {
    std::optional<Hints>& hints = tables.attrs[static_cast<int>(row.kind)].hints;
    Assert(!hints, "Bug in AmigaGuideSyntax InitAttrsHints");
    hints = ToStrings(row.hints);
  }
  for (const CmdEntry& entry : tables.cmds)
    Assert(entry.hints.has_value(), "Bug in AmigaGuideSyntax initCmdHints code");
  for (const AttrEntry& entry : tables.attrs)
    Assert(entry.hints.has_value(), "Bug in AmigaGuideSyntax initCmdHints code");
}

void FillLinkOpsAndColors(const SyntaxSource& source, SyntaxTables& tables) {
  for (const LinkOpNameRow& row : source.linkOpNames)
    tables.linkOpNames.at(static_cast<size_t>(row.op)) = row.name;
  for (const LinkOpHintRow& row : source.linkOpHints) {
    auto& hints = tables.linkOpHints[static_cast<int>(row.op)];
    Assert(!hints, "Bug in AmigaGuideSyntax InitLopHints");
    hints = ToStrings(row.hints);
  }
  for (const auto& hints : tables.linkOpHints)
    Assert(hints.has_value(), "Bug in AmigaGuideSyntax InitLinkOpHints code");
  for (const ColorNameRow& row : source.colorNames)
    tables.colorNames.at(static_cast<size_t>(row.color)) = row.name;
}

const SyntaxTables& Tables() {
  static const SyntaxTables tables = BuildSyntaxTables(DefaultSyntaxSource());
  return tables;
}

template <typename Kind, size_t N, typename Entry>
Kind MatchIn(const std::array<Entry, N>& entries, std::string_view token, Kind none) {
  for (size_t i = 0; i + 1 < N; ++i)
    if (EqualsIgnoreCase(*entries[i].keyword, token)) return static_cast<Kind>(i);
  return none;
}

}  // namespace

const SyntaxSource& DefaultSyntaxSource() {
  static const SyntaxSource source = MakeDefaultSource();
  return source;
}

SyntaxTables BuildSyntaxTables(const SyntaxSource& source) {
  SyntaxTables tables;
  FillCmdSetsAndKeywords(source, tables);
  FillCmdHints(source, tables);
  FillAttrs(source, tables);
  FillLinkOpsAndColors(source, tables);
  return tables;
}

void InitAmigaGuideSyntax() { Tables(); }

const std::string& GetCmdName(AGCmdKind kind) { return *Tables().cmds[static_cast<int>(kind)].keyword; }
CmdModSet GetCmdInfo(AGCmdKind kind) { return Tables().cmds[static_cast<int>(kind)].mods; }
const Hints& GetCmdHints(AGCmdKind kind) { return *Tables().cmds[static_cast<int>(kind)].hints; }
const std::string& GetAttrName(AGAttrKind kind) { return *Tables().attrs[static_cast<int>(kind)].keyword; }
AttrModSet GetAttrInfo(AGAttrKind kind) { return Tables().attrs[static_cast<int>(kind)].mods; }
const Hints& GetAttrHints(AGAttrKind kind) { return *Tables().attrs[static_cast<int>(kind)].hints; }
const std::string& GetLinkOpName(LinkOp op) { return Tables().linkOpNames[static_cast<int>(op)]; }
const std::array<std::string, 3>& GetLinkOpHints(LinkOp op) {
  return *Tables().linkOpHints[static_cast<int>(op)];
}
const std::string& GetColorName(GuideColor color) { return Tables().colorNames[static_cast<int>(color)]; }

AGCmdKind MatchCommand(std::string_view token) {
  if (token.empty() || token.front() != '@') return AGCmdKind::None;  // every keyword starts with "@"
  const SyntaxTables& tables = Tables();
  for (int i = 0; i < kNumCmdKinds - 1; ++i) {
    const CmdEntry& entry = tables.cmds[i];
    bool exact = entry.mods.Has(CmdModifier::CaseSensitive);
    auto same = [&](std::string_view keyword) {
      return exact ? keyword == token : EqualsIgnoreCase(keyword, token);
    };
    if (same(*entry.keyword) || (!entry.alternative.empty() && same(entry.alternative)))
      return static_cast<AGCmdKind>(i);
  }
  return AGCmdKind::None;
}

AGAttrKind MatchAttribute(std::string_view token) { return MatchIn(Tables().attrs, token, AGAttrKind::None); }

LinkOp MatchLinkOpName(std::string_view name) {
  for (int op = 0; op < kNumLinkOps; ++op)
    if (EqualsIgnoreCase(Tables().linkOpNames[op], name)) return static_cast<LinkOp>(op);
  return LinkOp::Link;
}

GuideColor MatchColorName(std::string_view name) {
  for (int color = 0; color < kNumColors; ++color)
    if (EqualsIgnoreCase(Tables().colorNames[color], name)) return static_cast<GuideColor>(color);
  return GuideColor::Text;
}

}  // namespace folioteer
