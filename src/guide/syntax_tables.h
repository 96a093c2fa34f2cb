// The rows from which the AmigaGuide tables are built, and the builder with
// its consistency checks. Only syntax.cpp and the tests need this header.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "guide/syntax.h"

namespace folioteer {

// The members of one modifier's set.
struct CmdSetRow {
  CmdModifier modifier;
  std::vector<AGCmdKind> members;
};
struct AttrSetRow {
  AttrModifier modifier;
  std::vector<AGAttrKind> members;
};
struct CmdKeywordRow {
  AGCmdKind kind;
  std::string_view keyword;
  std::string_view alternative;
};
struct CmdHintRow {
  AGCmdKind kind;
  std::array<std::string_view, 4> hints;
};
struct AttrKeywordRow {
  AGAttrKind kind;
  std::string_view keyword;
};
struct AttrHintRow {
  AGAttrKind kind;
  std::array<std::string_view, 4> hints;
};
struct LinkOpNameRow {
  LinkOp op;
  std::string_view name;
};
struct LinkOpHintRow {
  LinkOp op;
  std::array<std::string_view, 3> hints;
};
struct ColorNameRow {
  GuideColor color;
  std::string_view name;
};

// Everything the tables are built from, in the order of building.
struct SyntaxSource {
  std::vector<CmdSetRow> cmdSets;  // one row per CmdModifier
  std::vector<CmdKeywordRow> cmdKeywords;
  std::vector<CmdHintRow> cmdHints;
  std::vector<AttrSetRow> attrSets;  // one row per AttrModifier
  std::vector<AttrKeywordRow> attrKeywords;
  std::vector<AttrHintRow> attrHints;
  std::vector<LinkOpNameRow> linkOpNames;
  std::vector<LinkOpHintRow> linkOpHints;
  std::vector<ColorNameRow> colorNames;
};

struct CmdEntry {
  std::optional<std::string> keyword;
  std::string alternative;
  CmdModSet mods;
  std::optional<Hints> hints;
};
struct AttrEntry {
  std::optional<std::string> keyword;
  AttrModSet mods;
  std::optional<Hints> hints;
};

struct SyntaxTables {
  std::array<CmdEntry, kNumCmdKinds> cmds;
  std::array<AttrEntry, kNumAttrKinds> attrs;
  std::array<std::string, kNumLinkOps> linkOpNames;
  std::array<std::optional<std::array<std::string, 3>>, kNumLinkOps> linkOpHints;
  std::array<std::string, kNumColors> colorNames;
};

const SyntaxSource& DefaultSyntaxSource();
// Builds the tables; a failed check is an assertion failure with its message.
SyntaxTables BuildSyntaxTables(const SyntaxSource& source);

}  // namespace folioteer
