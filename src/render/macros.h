// Macros for display: `@macro name "body"` at database level defines a
// macro that every node may call as "@{name arguments}". Names are compared
// without regard to case and are looked up before the built-in attributes,
// so a macro may redefine one; the first definition of a name stays. "$1" to
// "$9" in the body are replaced by the call's arguments (split at blanks,
// double quotes group and are removed, a missing argument is empty), in one
// pass, so "$n" inside an argument stays as it is.
//
// Expansion is bounded by the editor scanner's own limits (nodes/scanner.h):
// at most kMaxMacroDepth expansions nested in one another, and a budget of
// expanded text (kExpansionCost per expansion plus its length) that starts
// at a base and grows with the node's text. A macro that calls itself,
// directly, through others or twice in its body, stops there.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace folioteer {

struct Macro {
  std::string body;
  size_t fixedBytes = 0;           // of the body without its "$n"
  std::array<uint32_t, 9> uses{};  // how often each "$n" occurs
};

struct MacroTable {
  std::unordered_map<std::string, Macro> macros;  // by name in ASCII small letters
};

// Adds the macro a @macro command's rest of line defines: the name (quotes
// allowed), then the body: when quoted, everything up to the last double
// quote of the line, so a body may hold the quoted label of a link. FALSE
// when the name is empty or already defined.
bool AddMacroDefinition(MacroTable& macros, std::string_view rest);
// The macro, or nullptr.
const Macro* FindMacro(const MacroTable& macros, std::string_view name);

using MacroArguments = std::array<std::string_view, 9>;
// The call's arguments (views into `text`), missing ones empty.
MacroArguments SplitMacroArguments(std::string_view text);
// The length of the expansion, found without making it or reading the body.
size_t ExpandedSize(const Macro& macro, const MacroArguments& arguments);
std::string ExpandMacroBody(std::string_view body, const MacroArguments& arguments);

// The bounds of one node's expansions.
class MacroBounds {
 public:
  explicit MacroBounds(size_t nodeTextBytes);
  enum class Refusal : uint8_t { None, TooDeep, BudgetUsed };
  // Whether an expansion of that length may start at the current depth; when
  // it may, its cost is taken from the budget.
  Refusal Enter(size_t expansionBytes);
  void Leave() { --depth_; }

 private:
  int depth_ = 0;
  int64_t budget_;
};

}  // namespace folioteer
