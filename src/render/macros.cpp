#include "render/macros.h"

#include "nodes/scanner.h"
#include "render/guide_source.h"

namespace folioteer {
namespace {

std::string_view MacroBody(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.starts_with('"')) return text;
  text.remove_prefix(1);
  if (text.ends_with('"')) text.remove_suffix(1);
  return text;
}

// "$1" to "$9" at i.
bool IsParameter(std::string_view body, size_t i) {
  return body[i] == '$' && i + 1 < body.size() && body[i + 1] >= '1' && body[i + 1] <= '9';
}

}  // namespace

bool AddMacroDefinition(MacroTable& macros, std::string_view rest) {
  size_t pos = 0;
  std::string_view name = NextArgument(rest, pos);
  if (name.empty()) return false;
  auto [entry, added] = macros.macros.try_emplace(AsciiLowered(name));
  if (!added) return false;
  Macro& macro = entry->second;
  macro.body = MacroBody(rest.substr(pos));
  for (size_t i = 0; i < macro.body.size(); ++i) {
    if (IsParameter(macro.body, i))
      ++macro.uses[macro.body[++i] - '1'];
    else
      ++macro.fixedBytes;
  }
  return true;
}

const Macro* FindMacro(const MacroTable& macros, std::string_view name) {
  if (macros.macros.empty()) return nullptr;
  auto found = macros.macros.find(AsciiLowered(name));
  return found == macros.macros.end() ? nullptr : &found->second;
}

MacroArguments SplitMacroArguments(std::string_view text) {
  MacroArguments arguments{};
  size_t pos = 0;
  for (std::string_view& argument : arguments) {
    argument = NextArgument(text, pos);
    if (pos >= text.size()) break;
  }
  return arguments;
}

size_t ExpandedSize(const Macro& macro, const MacroArguments& arguments) {
  size_t size = macro.fixedBytes;
  for (size_t i = 0; i < arguments.size(); ++i) size += macro.uses[i] * arguments[i].size();
  return size;
}

std::string ExpandMacroBody(std::string_view body, const MacroArguments& arguments) {
  std::string expansion;
  expansion.reserve(body.size());
  for (size_t i = 0; i < body.size(); ++i) {
    if (IsParameter(body, i)) {
      expansion.append(arguments[body[++i] - '1']);
    } else {
      expansion.push_back(body[i]);
    }
  }
  return expansion;
}

MacroBounds::MacroBounds(size_t nodeTextBytes)
    : budget_(kExpansionBudgetBase + kExpansionBudgetPerByte * static_cast<int64_t>(nodeTextBytes)) {}

MacroBounds::Refusal MacroBounds::Enter(size_t expansionBytes) {
  if (depth_ >= kMaxMacroDepth) return Refusal::TooDeep;
  int64_t cost = kExpansionCost + static_cast<int64_t>(expansionBytes);
  if (cost > budget_) return Refusal::BudgetUsed;
  budget_ -= cost;
  ++depth_;
  return Refusal::None;
}

}  // namespace folioteer
