// Argument templates in the AmigaDOS syntax, and the parser of argument lines.
//
// A template is a comma-separated list of items, each a name (with optional
// aliases, "NAME=ALIAS") and modifiers: /A required, /K only after its
// keyword, /N a decimal integer, /S a switch without value, /F the rest of
// the line. Items without /K (and without /S) may be given by position, in
// template order. Keywords are matched without regard to case, in the forms
// "KEY value" and "KEY=value". A value with blanks is written in double
// quotes, inside which "*"" stands for a double quote, "**" for an asterisk
// and "*N" for a line feed; QuoteArg writes any value so that it parses back
// unchanged.
//
// A line that does not fit its template is no match (an empty result), never
// an exception.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace folioteer {

struct TemplateItem {
  std::vector<std::string> names;  // the name first, then its aliases
  bool required = false;           // /A
  bool keywordOnly = false;        // /K
  bool number = false;             // /N
  bool isSwitch = false;           // /S
  bool restOfLine = false;         // /F
};

struct ArgValue {
  bool present = false;
  std::string text;  // string items; /F keeps the rest of the line as written
  int32_t number = 0;
};

std::vector<TemplateItem> ParseTemplate(std::string_view argTemplate);

// One value per template item, in template order; empty when the line does
// not match. The line may end with a line feed.
std::optional<std::vector<ArgValue>> ReadArgs(std::string_view line, std::string_view argTemplate);

// The value in double quotes with the escapes above.
std::string QuoteArg(std::string_view value);
// The value as it stands when it parses back unchanged without quotes, else QuoteArg.
std::string QuoteArgIfNeeded(std::string_view value);

// A program's command line (the words after the program name) as one
// argument line for the template, words joined with blanks. The shell hands
// KEY="a value" over as one word: a word KEY=value whose KEY is a keyword of
// the template stays a keyword with its value (quoted when it must be); any
// other word that holds a blank, a quote, a line end or "=" is quoted whole
// and stays a value. The words the platform's start-up adds (CLI, REXX,
// DONOTPROMPT, DONOTWAIT; STARTPRI and WAIT with the word after them) are
// left out.
std::string JoinProgramArguments(std::string_view argTemplate, const std::vector<std::string>& words);

}  // namespace folioteer
