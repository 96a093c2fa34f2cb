#include "editor/script.h"

#include <charconv>
#include <sstream>

#include "guide/syntax.h"
#include "support/arg_template.h"
#include "support/text_lines.h"
#include "ui/controls.h"

namespace folioteer {
namespace {

constexpr size_t kMaxScriptLine = 65536;
using Kind = ScriptStep::Kind;

template <typename Value>
struct Name {
  std::string_view name;
  Value value;
};

constexpr Name<ListId> kLists[] = {{"global", ListId::Global},
                                   {"nodes", ListId::Nodes},
                                   {"local", ListId::Local},
                                   {"misspells", ListId::Misspells}};
constexpr Name<WindowId> kWindows[] = {{"main", WindowId::Main},
                                       {"edit", WindowId::Edit},
                                       {"spell", WindowId::Spell},
                                       {"preview", WindowId::Preview}};
constexpr Name<Control> kPopups[] = {
    {"add-global", Control::AddGlobal}, {"add-local", Control::AddLocal}, {"attributes", Control::AttrPopup}};

template <typename Value, size_t N>
std::optional<Value> Find(const Name<Value> (&names)[N], std::string_view name) {
  for (const Name<Value>& each : names)
    if (each.name == name) return each.value;
  return std::nullopt;
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::istringstream in{std::string(text)};
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::optional<int> Number(std::string_view word) {
  int value = 0;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || error != std::errc{} || end != word.data() + word.size()) return std::nullopt;
  return value;
}

bool Numbers(const std::vector<std::string>& words, size_t count, std::vector<int>& numbers) {
  if (words.size() != count + 1) return false;
  for (size_t i = 1; i <= count; ++i) {
    std::optional<int> value = Number(words[i]);
    if (!value) return false;
    numbers.push_back(*value);
  }
  return true;
}

std::string RestAfterWord(std::string_view line) {
  size_t blank = line.find_first_of(" \t");
  if (blank == std::string_view::npos) return {};
  size_t start = line.find_first_not_of(" \t", blank);
  return start == std::string_view::npos ? std::string() : std::string(line.substr(start));
}

// A name as written, in double quotes when it holds blanks.
std::string Unquoted(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

struct Directive {
  const std::vector<std::string>& words;
  const std::string& rest;
  ScriptStep& step;
  std::string& why;

  bool Fail(std::string reason) {
    why = std::move(reason);
    return false;
  }
};

// LIST ROW (ROW -1: no row).
bool ParseListRow(Directive d) {
  std::optional<ListId> list = d.words.size() == 3 ? Find(kLists, d.words[1]) : std::nullopt;
  std::optional<int> row = d.words.size() == 3 ? Number(d.words[2]) : std::nullopt;
  if (!list || !row) return d.Fail(d.words[0] + " takes a list (global, nodes, local, misspells) and a row");
  d.step.numbers = {static_cast<int>(*list), *row};
  return true;
}

bool ParsePress(Directive d) {
  std::optional<Control> control = d.words.size() == 2 ? MatchControlName(d.words[1]) : std::nullopt;
  if (!control) return d.Fail(".press takes the name of a control (see README.md)");
  GadgClass gadgClass = GetControlInfo(*control).gadgClass;
  if (GetControlInfo(*control).window == WindowId::Dialog)
    return d.Fail(".press " + d.words[1] + ": a dialog is answered with .dialog");
  if (gadgClass != GadgClass::Button)
    return d.Fail(".press " + d.words[1] + " is no button: use .popup or .select");
  d.step.numbers = {static_cast<int>(*control)};
  return true;
}

// POPUP ROW, the row by number or by its text.
bool ParsePopup(Directive d) {
  std::optional<Control> popup = d.words.size() >= 3 ? Find(kPopups, d.words[1]) : std::nullopt;
  if (!popup) return d.Fail(".popup takes a pop-up (add-global, add-local, attributes) and a row");
  d.step.numbers = {static_cast<int>(*popup)};
  std::string row = Unquoted(RestAfterWord(d.rest));
  if (std::optional<int> number = Number(row))
    d.step.numbers.push_back(*number);
  else
    d.step.text = row;
  return true;
}

bool ParseMenu(Directive d) {
  std::optional<MenuItem> item = MatchMenuLabel(Unquoted(d.rest));
  if (!item) return d.Fail(".menu takes the label of a menu item (see README.md)");
  d.step.numbers = {static_cast<int>(*item)};
  return true;
}

bool ParseWindow(Directive d, bool optional) {
  if (optional && d.words.size() == 1) {
    d.step.numbers = {static_cast<int>(WindowId::Main)};
    return true;
  }
  std::optional<WindowId> window = d.words.size() == 2 ? Find(kWindows, d.words[1]) : std::nullopt;
  if (!window) return d.Fail(d.words[0] + " takes a window (main, edit, spell, preview)");
  d.step.numbers = {static_cast<int>(*window)};
  return true;
}

bool ChooserHas(Control chooser, std::string_view value) {
  for (const std::string& entry : ChooserEntries(chooser))
    if (EqualsIgnoreCase(entry, value)) return true;
  return false;
}

// FIELD=VALUE ... [font] ok|cancel, values quoted as argument lines quote.
bool ParseDialog(Directive d) {
  std::string argTemplate;
  for (std::string_view keyword : kDialogFieldKeywords) argTemplate += std::string(keyword) + "/K,";
  argTemplate += "Font/S,Ok/S,Cancel/S";
  std::optional<std::vector<ArgValue>> args = ReadArgs(d.rest, argTemplate);
  size_t count = std::size(kDialogFieldKeywords);
  if (!args || (*args)[count + 1].present == (*args)[count + 2].present)
    return d.Fail(".dialog takes FIELD=VALUE ... and ok or cancel");
  for (size_t i = 0; i < count; ++i) {
    if (!(*args)[i].present) continue;
    std::string_view keyword = kDialogFieldKeywords[i];
    const std::string& value = (*args)[i].text;
    if (keyword == "Num" && !Number(value)) return d.Fail(".dialog: Num takes a number");
    if (keyword == "Op" && !ChooserHas(Control::LinkOp, value))
      return d.Fail(".dialog: Op takes LINK, RX, RXS or SYSTEM");
    if (keyword == "Color" && !ChooserHas(Control::AttrColor, value))
      return d.Fail(".dialog: no colour " + value);
    if (keyword == "OnOff" && !ChooserHas(Control::AttrOnOff, value))
      return d.Fail(".dialog: OnOff takes On or Off");
    d.step.answer.fields.emplace_back(keyword, value);
  }
  d.step.answer.font = (*args)[count].present;
  d.step.answer.ok = (*args)[count + 1].present;
  return true;
}

bool ParseNumbers(Directive d, size_t count) {
  if (Numbers(d.words, count, d.step.numbers)) return true;
  return d.Fail(d.words[0] + " takes " + std::to_string(count) + " numbers");
}

struct DirectiveRow {
  std::string_view name;
  Kind kind;
  bool (*parse)(Directive d);
};

const DirectiveRow kDirectives[] = {
    {".cursor", Kind::Cursor, [](Directive d) { return ParseNumbers(d, 2); }},
    {".block", Kind::Block, [](Directive d) { return ParseNumbers(d, 4); }},
    {".button", Kind::Button, [](Directive d) { return ParseNumbers(d, 1); }},
    {".cancel", Kind::Cancel, [](Directive d) { return ParseNumbers(d, 0); }},
    {".iconify", Kind::Iconify, [](Directive d) { return ParseNumbers(d, 0); }},
    {".uniconify", Kind::Uniconify, [](Directive d) { return ParseNumbers(d, 0); }},
    {".break", Kind::Break, [](Directive d) { return ParseNumbers(d, 0); }},
    {".select", Kind::Select, ParseListRow},
    {".double", Kind::Double, ParseListRow},
    {".press", Kind::Press, ParsePress},
    {".popup", Kind::Popup, ParsePopup},
    {".menu", Kind::Menu, ParseMenu},
    {".close", Kind::Close, [](Directive d) { return ParseWindow(d, false); }},
    {".helpkey", Kind::HelpKey, [](Directive d) { return ParseWindow(d, true); }},
    {".dialog", Kind::Dialog, ParseDialog},
    {".text", Kind::Text, [](Directive d) { return (d.step.text = d.rest, true); }},
    {".reply", Kind::Reply, [](Directive d) { return (d.step.text = d.rest, true); }},
    {".print", Kind::Print, [](Directive d) { return (d.step.text = d.rest, true); }},
    {".echo", Kind::Echo, [](Directive d) { return (d.step.text = d.rest, true); }},
};

// One directive line (and, for a here-text, the lines that follow it).
bool ParseDirective(const std::vector<std::string>& lines, size_t& index, ScriptStep& step,
                    std::string& why) {
  const std::string& line = lines[index];
  std::vector<std::string> words = Words(line);
  std::string rest = RestAfterWord(line);
  if (words[0] == ".text" && rest.rfind("<<", 0) == 0) {
    std::string end = rest.substr(2);
    step.kind = Kind::Text;
    for (bool first = true; ++index < lines.size();) {
      if (lines[index] == end) return true;
      if (!first) step.text += '\n';
      step.text += lines[index];
      first = false;
    }
    why = "the text has no end line \"" + end + "\"";
    return false;
  }
  for (const DirectiveRow& row : kDirectives) {
    if (words[0] != row.name) continue;
    step.kind = row.kind;
    return row.parse(Directive{words, rest, step, why});
  }
  why = "unknown directive \"" + words[0] + "\"";
  return false;
}

// The script's lines; a CR before the LF goes with it.
std::vector<std::string> ScriptLines(const std::string& source) {
  std::vector<std::string> lines;
  for (std::string_view line : SplitFileLines(source)) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
  }
  return lines;
}

}  // namespace

std::vector<std::string_view> DirectiveNames() {
  std::vector<std::string_view> names;
  for (const DirectiveRow& row : kDirectives) names.push_back(row.name);
  return names;
}

std::optional<std::vector<ScriptStep>> ParseScript(const std::string& source, std::string& error) {
  std::vector<std::string> lines = ScriptLines(source);
  std::vector<ScriptStep> steps;
  for (size_t index = 0; index < lines.size(); ++index) {
    const std::string& line = lines[index];
    int number = static_cast<int>(index) + 1;
    auto fail = [&](const std::string& why) {
      error = std::to_string(number) + ": " + why;
      return std::nullopt;
    };
    if (line.size() > kMaxScriptLine)
      return fail("the line is longer than " + std::to_string(kMaxScriptLine) + " bytes");
    if (line.find('\0') != std::string::npos) return fail("the line holds a NUL byte");
    std::vector<std::string> words = Words(line);
    if (words.empty() || words[0][0] == '#' || words[0][0] == ';') continue;
    ScriptStep step;
    step.line = number;
    std::string why;
    if (words[0][0] == '.') {
      if (!ParseDirective(lines, index, step, why)) return fail(why);
    } else {
      step.cmd = MatchEditorCmd(words[0]);
      if (step.cmd == EditorCmd::None) return fail("unknown command \"" + words[0] + "\"");
      step.text = RestAfterWord(line);
    }
    steps.push_back(std::move(step));
  }
  return steps;
}

}  // namespace folioteer
