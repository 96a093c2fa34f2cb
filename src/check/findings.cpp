#include "check/findings.h"

#include <algorithm>
#include <array>

#include "links/amiga_path.h"

namespace folioteer {
namespace {

struct KindRow {
  FindingKind kind;
  Severity severity;
  std::string_view name;
};

using enum FindingKind;
constexpr Severity kError = Severity::Error;
constexpr Severity kWarning = Severity::Warning;

// clang-format off
constexpr std::array<KindRow, kNumFindingKinds> kKinds = {{
    {Unreadable,           kError,   "unreadable"},
    {NotAGuide,            kError,   "not-a-guide"},
    {NoNode,               kError,   "no-node"},
    {DuplicateNode,        kError,   "duplicate-node"},
    {MissingNode,          kError,   "missing-node"},
    {MissingFile,          kError,   "missing-file"},
    {MissingNodeElsewhere, kError,   "missing-node-elsewhere"},
    {NoEndNode,            kWarning, "no-endnode"},
    {LeftOutBySave,        kWarning, "left-out-by-save"},
    {EditorRefuses,        kWarning, "editor-refuses"},
    {UnknownCommand,       kWarning, "unknown-command"},
    {UnknownAttribute,     kWarning, "unknown-attribute"},
    {UnclosedAttribute,    kWarning, "unclosed-attribute"},
    {UndefinedMacro,       kWarning, "undefined-macro"},
    {MacroBound,           kWarning, "macro-bound"},
    {LinkUnknownCommand,   kWarning, "link-unknown-command"},
    {LinkWithoutTarget,    kWarning, "link-without-target"},
    {RunsProgram,          kWarning, "runs-program"},
    {InvalidUtf8,          kWarning, "invalid-utf8"},
    {StyleOnAtEnd,         kWarning, "style-on-at-end"},
}};
// clang-format on

constexpr bool RowsFollowKinds() {
  for (size_t i = 0; i < kKinds.size(); ++i)
    if (static_cast<size_t>(kKinds[i].kind) != i) return false;
  return true;
}
static_assert(RowsFollowKinds(), "kKinds must list the kinds in their order");

const KindRow& RowOf(FindingKind kind) { return kKinds[static_cast<size_t>(kind)]; }

// The text as UTF-8 without control characters.
std::string SafeText(std::string_view utf8) {
  std::string safe;
  safe.reserve(utf8.size());
  AppendDisplayText(safe, utf8, Charset::Utf8);
  return safe;
}

}  // namespace

Severity SeverityOf(FindingKind kind) { return RowOf(kind).severity; }
std::string_view FindingKindName(FindingKind kind) { return RowOf(kind).name; }

void SortByLine(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

std::string FormatFinding(std::string_view file, const Finding& finding) {
  std::string line;
  for (char ch : file) {
    auto byte = static_cast<unsigned char>(ch);
    line.push_back(byte < 0x20 || byte == 0x7F ? '?' : ch);
  }
  line += ":" + std::to_string(finding.line) + ": ";
  line += SeverityOf(finding.kind) == Severity::Error ? "error: " : "warning: ";
  return line + SafeText(finding.message);
}

std::string Quoted(std::string_view utf8) {
  return "\"" + ShortenedForMessage(SafeText(utf8), kMaxQuoted) + "\"";
}

std::string QuotedBytes(std::string_view bytes, Charset charset) {
  std::string text;
  AppendDisplayText(text, bytes, charset);
  return Quoted(text);
}

std::string AsClause(std::string_view sentence) {
  std::string clause(sentence);
  if (clause.ends_with('.')) clause.pop_back();
  bool word =
      clause.size() > 1 && clause[0] >= 'A' && clause[0] <= 'Z' && clause[1] >= 'a' && clause[1] <= 'z';
  if (word) clause[0] = static_cast<char>(clause[0] - 'A' + 'a');
  return clause;
}

}  // namespace folioteer
