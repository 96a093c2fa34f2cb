// ASCII letter case: folding, and comparing without regard to case, as the
// AmigaGuide format compares keywords and node names and as Amiga paths and
// tool types compare. Only A-Z and a-z count as letters; every other byte,
// the ISO-8859-1 letters too, stands for itself.
#pragma once

#include <string>
#include <string_view>

namespace folioteer {

constexpr char AsciiLower(char ch) {
  return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
}

// The text with A-Z turned into a-z.
std::string AsciiLowered(std::string_view text);
void LowerAsciiInPlace(std::string& text);

bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
// Below zero, zero or above zero as a comes before, with or after b, the
// letters folded and the bytes compared unsigned.
int CompareIgnoreCase(std::string_view a, std::string_view b);

}  // namespace folioteer
