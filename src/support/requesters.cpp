#include "support/requesters.h"

#include <charconv>
#include <cstdio>

#include "support/utf8.h"

namespace folioteer {
namespace {

Requesters* installed = nullptr;

std::string Trim(std::string_view text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

// One line on standard error per requester, so a batch run shows what it decided.
void Report(std::string_view kind, std::string_view title, std::string_view text, std::string_view answer) {
  std::string line = "Requester (" + std::string(kind) + ") \"" + std::string(title) + "\": ";
  for (char ch : PlainText(text)) line += (ch == '\n') ? '|' : ch;
  line += " -> ";
  line += answer;
  line += '\n';
  std::fputs(line.c_str(), stderr);
}

}  // namespace

Requesters& CurrentRequesters() { return installed != nullptr ? *installed : DefaultHeadlessRequesters(); }

void InstallRequesters(Requesters* requesters) { installed = requesters; }

HeadlessRequesters& DefaultHeadlessRequesters() {
  static HeadlessRequesters headless;
  return headless;
}

std::vector<std::string> ButtonLabels(std::string_view buttons) {
  std::vector<std::string> labels;
  size_t start = 0;
  while (true) {
    size_t bar = buttons.find('|', start);
    std::string label;
    for (char ch : buttons.substr(start, bar == std::string_view::npos ? bar : bar - start))
      if (ch != '_') label += ch;
    labels.push_back(Trim(label));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return labels;
}

int ButtonAnswer(int index, int count) { return index == count - 1 ? 0 : index + 1; }

std::string PlainText(std::string_view text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, kBoldOn.size()) == kBoldOn) {
      i += kBoldOn.size() - 1;
      continue;
    }
    plain += text[i];
  }
  return plain;
}

void HeadlessRequesters::Queue(QueuedAnswer answer) {
  std::lock_guard guard(lock_);
  answers_.push_back(std::move(answer));
}

void HeadlessRequesters::ClearQueue() {
  std::lock_guard guard(lock_);
  answers_.clear();
}

size_t HeadlessRequesters::Pending() {
  std::lock_guard guard(lock_);
  return answers_.size();
}

std::optional<QueuedAnswer> HeadlessRequesters::Take() {
  std::lock_guard guard(lock_);
  if (answers_.empty()) return std::nullopt;
  QueuedAnswer answer = std::move(answers_.front());
  answers_.pop_front();
  return answer;
}

int HeadlessRequesters::InfoRequest(std::string_view title, std::string_view text, std::string_view buttons) {
  std::vector<std::string> labels = ButtonLabels(buttons);
  int count = static_cast<int>(labels.size());
  int answer = ButtonAnswer(0, count);
  std::string note;
  if (count == 1) {
    // Nothing to choose: a lone button takes no answer from the queue.
  } else if (std::optional<QueuedAnswer> queued = Take()) {
    if (queued->kind == QueuedAnswer::Kind::Button) answer = queued->button;
    if (queued->kind == QueuedAnswer::Kind::Cancel) answer = 0;
    repeats_ = 0;
  } else {
    std::string asked = std::string(title) + '\0' + std::string(text) + '\0' + std::string(buttons);
    repeats_ = asked == lastUnanswered_ ? repeats_ + 1 : 1;
    lastUnanswered_ = asked;
    if (repeats_ >= kUnansweredRepeats) {
      answer = 0;
      note = " (asked " + std::to_string(repeats_) + " times without an answer)";
    }
  }
  if (answer < 0 || answer >= count) {
    note += " (there is no button " + std::to_string(answer) + ")";
    answer = ButtonAnswer(0, count);
  }
  int index = answer == 0 ? count - 1 : answer - 1;
  Report("info", title, text, std::to_string(answer) + " " + labels[index] + note);
  return answer;
}

std::optional<std::string> HeadlessRequesters::TextRequest(std::string_view title, std::string_view prompt,
                                                           std::string_view /*initial*/, int maxLength) {
  std::optional<std::string> result;
  std::optional<QueuedAnswer> queued = Take();
  if (queued && queued->kind == QueuedAnswer::Kind::Text) {
    result = queued->text;
    if (maxLength > 0 && result->size() > static_cast<size_t>(maxLength)) {
      // As the Qt requester cuts a guide's text: never inside a character.
      auto limit = static_cast<size_t>(maxLength);
      result->resize(IsValidUtf8(*result) ? Utf8CutLength(*result, limit) : limit);
    }
  }
  Report("text", title, prompt, result ? "\"" + *result + "\"" : "cancelled");
  return result;
}

std::optional<std::string> HeadlessRequesters::FileRequest(std::string_view title,
                                                           std::string_view /*pattern*/,
                                                           FileRequestMode /*mode*/) {
  std::optional<std::string> result;
  std::optional<QueuedAnswer> queued = Take();
  if (queued && queued->kind == QueuedAnswer::Kind::Text) result = queued->text;
  Report("file", title, "", result ? "\"" + *result + "\"" : "cancelled");
  return result;
}

std::optional<FontChoice> HeadlessRequesters::FontRequest(std::string_view title, const FontChoice& initial) {
  std::optional<FontChoice> result;
  std::optional<QueuedAnswer> queued = Take();
  if (queued && queued->kind == QueuedAnswer::Kind::Text) {
    // "name size": the size is the last word; the name may hold blanks.
    const std::string& text = queued->text;
    size_t blank = text.find_last_of(' ');
    FontChoice choice{text, initial.size, initial.style};
    if (blank != std::string::npos) {
      int size = 0;
      auto [end, error] = std::from_chars(text.data() + blank + 1, text.data() + text.size(), size);
      if (error == std::errc{} && end == text.data() + text.size()) {
        choice.name = text.substr(0, blank);
        choice.size = size;
      }
    }
    result = choice;
  }
  Report("font", title, initial.name,
         result ? "\"" + result->name + "\" " + std::to_string(result->size) : "cancelled");
  return result;
}

void HeadlessRequesters::Warning(std::string_view message) {
  std::string text = PlainText(message);
  std::string line = (text.rfind("Folioteer: ", 0) == 0 ? text : "Folioteer: " + text) + "\n";
  std::fputs(line.c_str(), stderr);
}

}  // namespace folioteer
