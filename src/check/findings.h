// The findings of a guide check: what was found, on which line, how grave
// it is, and the one line a compiler would print for it,
// "FILE:LINE: error: MESSAGE" or "FILE:LINE: warning: MESSAGE", so that
// editors and CI can jump to it.
//
// Every kind has one severity and one short name (for tables that count
// findings), both in one table. A message is one line of UTF-8 without
// control characters; texts taken from a guide stand in double quotes, cut
// to kMaxQuoted bytes, so no guide can make a message unbounded or steer a
// terminal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/charset.h"

namespace folioteer {

enum class Severity : uint8_t { Error, Warning };

// clang-format off
enum class FindingKind : uint8_t {
  // errors
  Unreadable, NotAGuide, NoNode, DuplicateNode, MissingNode, MissingFile, MissingNodeElsewhere,
  // warnings
  NoEndNode, LeftOutBySave, EditorRefuses, UnknownCommand, UnknownAttribute, UnclosedAttribute,
  UndefinedMacro, MacroBound, LinkUnknownCommand, LinkWithoutTarget, RunsProgram, InvalidUtf8,
  StyleOnAtEnd
};
// clang-format on
inline constexpr int kNumFindingKinds = static_cast<int>(FindingKind::StyleOnAtEnd) + 1;

Severity SeverityOf(FindingKind kind);
// "missing-node", "no-endnode", ...
std::string_view FindingKindName(FindingKind kind);

struct Finding {
  int line = 0;  // in the file, from 1
  FindingKind kind = FindingKind::Unreadable;
  std::string message;
  friend bool operator==(const Finding&, const Finding&) = default;
};

// The findings in line order; findings of one line keep their order.
void SortByLine(std::vector<Finding>& findings);

// "FILE:LINE: error: MESSAGE". Control characters of the file name become
// "?" (its other bytes stay, so that the name still opens); the message is
// made safe as Quoted makes a text safe, without quotes and without a cut.
std::string FormatFinding(std::string_view file, const Finding& finding);

inline constexpr size_t kMaxQuoted = 80;

// A UTF-8 text in double quotes, control characters and broken sequences
// shown as U+FFFD, cut in its middle to kMaxQuoted bytes.
std::string Quoted(std::string_view utf8);
// Bytes of a guide in its character set, quoted.
std::string QuotedBytes(std::string_view bytes, Charset charset);

// A sentence of the viewer's ("There is no file "x".") as a part of a
// message: a capital first letter lowered ("there is ..."), the final full
// stop dropped.
std::string AsClause(std::string_view sentence);

}  // namespace folioteer
