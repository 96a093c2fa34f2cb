#include "support/arg_template.h"

#include <charconv>

#include "support/ascii.h"

namespace folioteer {
namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }
bool AtLineEnd(std::string_view line, size_t pos) { return pos >= line.size() || line[pos] == '\n'; }

std::optional<int32_t> ParseNumber(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// One word of an argument line.
struct Word {
  std::string text;
  bool quoted = false;
  bool beforeEquals = false;  // the word ended at "=": a keyword with its value glued on
  size_t start = 0;           // where the word begins in the line
};

class LineReader {
 public:
  explicit LineReader(std::string_view line) : line_(line) {}

  std::optional<Word> Next() {
    while (!AtLineEnd(line_, pos_) && IsBlank(line_[pos_])) ++pos_;
    if (AtLineEnd(line_, pos_)) return std::nullopt;
    Word word;
    word.start = pos_;
    if (line_[pos_] == '"') {
      ReadQuoted(word);
      return word;
    }
    while (!AtLineEnd(line_, pos_) && !IsBlank(line_[pos_]) && line_[pos_] != '=') word.text += line_[pos_++];
    if (!AtLineEnd(line_, pos_) && line_[pos_] == '=') {
      word.beforeEquals = true;
      ++pos_;
    }
    return word;
  }

  // The rest of the line from `from`, without the line end and trailing blanks.
  std::string RestFrom(size_t from) {
    size_t end = line_.find('\n', from);
    if (end == std::string_view::npos) end = line_.size();
    while (end > from && IsBlank(line_[end - 1])) --end;
    pos_ = line_.size();
    return std::string(line_.substr(from, end - from));
  }

  size_t Position() {
    while (!AtLineEnd(line_, pos_) && IsBlank(line_[pos_])) ++pos_;
    return pos_;
  }

 private:
  void ReadQuoted(Word& word) {
    word.quoted = true;
    ++pos_;
    while (!AtLineEnd(line_, pos_) && line_[pos_] != '"') {
      char ch = line_[pos_++];
      if (ch == '*' && !AtLineEnd(line_, pos_)) {
        char escaped = line_[pos_++];
        if (escaped == 'N' || escaped == 'n') escaped = '\n';
        if (escaped == 'E' || escaped == 'e') escaped = '\x1b';
        ch = escaped;
      }
      word.text += ch;
    }
    if (!AtLineEnd(line_, pos_)) ++pos_;  // the closing quote
  }

  std::string_view line_;
  size_t pos_ = 0;
};

// The item one of whose names the word is, letter case ignored; -1 for none.
int FindKeyword(const std::vector<TemplateItem>& items, std::string_view word) {
  for (size_t i = 0; i < items.size(); ++i)
    for (const std::string& name : items[i].names)
      if (EqualsIgnoreCase(word, name)) return static_cast<int>(i);
  return -1;
}

int FindKeyword(const std::vector<TemplateItem>& items, const Word& word) {
  return word.quoted ? -1 : FindKeyword(items, std::string_view(word.text));
}

bool Store(const TemplateItem& item, std::string text, ArgValue& value) {
  if (item.number) {
    std::optional<int32_t> number = ParseNumber(text);
    if (!number) return false;
    value.number = *number;
  }
  value.text = std::move(text);
  value.present = true;
  return true;
}

// Takes the value that follows a keyword.
bool ReadKeywordValue(LineReader& reader, const TemplateItem& item, const Word& keyword, ArgValue& value) {
  if (item.isSwitch) {
    value.present = true;
    return !keyword.beforeEquals;
  }
  if (item.restOfLine) return Store(item, reader.RestFrom(reader.Position()), value);
  std::optional<Word> word = reader.Next();
  if (!word || (word->beforeEquals && !word->quoted)) return false;
  return Store(item, std::move(word->text), value);
}

int NextPositional(const std::vector<TemplateItem>& items, const std::vector<ArgValue>& values) {
  for (size_t i = 0; i < items.size(); ++i)
    if (!values[i].present && !items[i].keywordOnly && !items[i].isSwitch) return static_cast<int>(i);
  return -1;
}

}  // namespace

std::vector<TemplateItem> ParseTemplate(std::string_view argTemplate) {
  std::vector<TemplateItem> items;
  size_t start = 0;
  while (start <= argTemplate.size() && !argTemplate.empty()) {
    size_t comma = argTemplate.find(',', start);
    std::string_view itemText =
        argTemplate.substr(start, comma == std::string_view::npos ? comma : comma - start);
    TemplateItem item;
    size_t slash = itemText.find('/');
    std::string_view names = itemText.substr(0, slash);
    for (size_t from = 0;;) {
      size_t equals = names.find('=', from);
      item.names.emplace_back(names.substr(from, equals == std::string_view::npos ? equals : equals - from));
      if (equals == std::string_view::npos) break;
      from = equals + 1;
    }
    for (size_t i = slash; i != std::string_view::npos && i + 1 < itemText.size();
         i = itemText.find('/', i + 1)) {
      switch (std::toupper(static_cast<unsigned char>(itemText[i + 1]))) {
        case 'A': item.required = true; break;
        case 'K': item.keywordOnly = true; break;
        case 'N': item.number = true; break;
        case 'S': item.isSwitch = true; break;
        case 'F': item.restOfLine = true; break;
        default: break;
      }
    }
    items.push_back(std::move(item));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return items;
}

std::optional<std::vector<ArgValue>> ReadArgs(std::string_view line, std::string_view argTemplate) {
  std::vector<TemplateItem> items = ParseTemplate(argTemplate);
  std::vector<ArgValue> values(items.size());
  LineReader reader(line);
  while (std::optional<Word> word = reader.Next()) {
    int keyword = FindKeyword(items, *word);
    if (keyword >= 0) {
      if (!ReadKeywordValue(reader, items[keyword], *word, values[keyword])) return std::nullopt;
      continue;
    }
    if (word->beforeEquals && !word->quoted) return std::nullopt;  // an unknown keyword
    int position = NextPositional(items, values);
    if (position < 0) return std::nullopt;
    std::string text = items[position].restOfLine ? reader.RestFrom(word->start) : std::move(word->text);
    if (!Store(items[position], std::move(text), values[position])) return std::nullopt;
  }
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].required && !values[i].present) return std::nullopt;
  return values;
}

std::string QuoteArg(std::string_view value) {
  std::string quoted = "\"";
  for (char ch : value) {
    if (ch == '"' || ch == '*') quoted += '*';
    if (ch == '\n') {
      quoted += "*N";
      continue;
    }
    if (ch == '\x1b') {
      quoted += "*E";
      continue;
    }
    quoted += ch;
  }
  return quoted + "\"";
}

std::string QuoteArgIfNeeded(std::string_view value) {
  bool plain = !value.empty() && value.front() != '"';
  for (char ch : value)
    if (IsBlank(ch) || ch == '=' || ch == '\n' || ch == '"') plain = false;
  return plain ? std::string(value) : QuoteArg(value);
}

std::string JoinProgramArguments(std::string_view argTemplate, const std::vector<std::string>& words) {
  const std::vector<TemplateItem> items = ParseTemplate(argTemplate);
  auto is = [](const std::string& word, std::string_view name) { return EqualsIgnoreCase(word, name); };
  std::string line;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (is(word, "CLI") || is(word, "REXX") || is(word, "DONOTPROMPT") || is(word, "DONOTWAIT")) continue;
    if (is(word, "STARTPRI") || is(word, "WAIT")) {
      ++i;  // and the word after it
      continue;
    }
    if (!line.empty()) line += ' ';
    std::string_view view(word);
    size_t equals = view.find('=');
    if (equals != std::string_view::npos && FindKeyword(items, view.substr(0, equals)) >= 0)
      line += std::string(view.substr(0, equals + 1)) + QuoteArgIfNeeded(view.substr(equals + 1));
    else
      line += QuoteArgIfNeeded(view);
  }
  return line;
}

}  // namespace folioteer
