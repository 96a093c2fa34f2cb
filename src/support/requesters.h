// Requesters: the small modal dialogs through which the program asks the
// user something (information with buttons, a line of text, a file, a font).
//
// One implementation is installed at a time. The headless one, installed by
// default, takes its answers from a queue that tests and the batch mode fill
// and reports every requester with the answer it took on standard error; the
// Qt windows install their own.
//
// Button texts follow one convention everywhere: the labels in one text,
// separated by "|", an underscore marking a label's shortcut ("_Ok|_Cancel").
// The buttons answer 1, 2, ... from the left and 0 for the last one. Message
// texts may hold kBoldOn (ESC "b"), which sets the rest of the text in bold.
#pragma once

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace folioteer {

inline constexpr std::string_view kBoldOn =
    "\x1b"
    "b";

enum class FileRequestMode { Open, Save };

struct FontChoice {
  std::string name;
  int size = 0;
  int style = 0;  // underlined 1, bold 2, italic 4
};

class Requesters {
 public:
  virtual ~Requesters() = default;

  virtual int InfoRequest(std::string_view title, std::string_view text, std::string_view buttons) = 0;
  // Empty when cancelled.
  virtual std::optional<std::string> TextRequest(std::string_view title, std::string_view prompt,
                                                 std::string_view initial, int maxLength) = 0;
  virtual std::optional<std::string> FileRequest(std::string_view title, std::string_view pattern,
                                                 FileRequestMode mode) = 0;
  virtual std::optional<FontChoice> FontRequest(std::string_view title, const FontChoice& initial) = 0;

  // A warning: the message with the single button " _Ok ".
  virtual void Warning(std::string_view message) { InfoRequest("Folioteer", message, " _Ok "); }
};

Requesters& CurrentRequesters();
// Installs an implementation; nullptr reinstalls the headless default.
void InstallRequesters(Requesters* requesters);

// The labels of a button text, shortcut marks removed and blanks trimmed.
std::vector<std::string> ButtonLabels(std::string_view buttons);
// The answer of the button at 0-based index among count buttons.
int ButtonAnswer(int index, int count);
// The text with the bold escape removed.
std::string PlainText(std::string_view text);

// An answer waiting in the headless queue.
struct QueuedAnswer {
  enum class Kind { Button, Text, Cancel };
  Kind kind = Kind::Cancel;
  int button = 0;
  std::string text;

  static QueuedAnswer Button(int answer) { return {Kind::Button, answer, {}}; }
  static QueuedAnswer Text(std::string value) { return {Kind::Text, 0, std::move(value)}; }
  static QueuedAnswer Cancel() { return {}; }
};

// A text answer longer than the requester's maxLength bytes is cut to it,
// and, when it is valid UTF-8, before a character that would not fit whole
// (as the Qt requester counts a UTF-8 guide's bytes); other text is taken
// as one byte a character (ISO-8859-1).
//
// Without a queued answer an information requester answers its first button
// and the other requesters are cancelled; the same requester asked over and
// over without an answer (kUnansweredRepeats times) takes its last button
// instead, so that a loop of "try again" cannot run for ever. A warning, or
// any requester with a single button, takes no answer.
class HeadlessRequesters : public Requesters {
 public:
  int InfoRequest(std::string_view title, std::string_view text, std::string_view buttons) override;
  std::optional<std::string> TextRequest(std::string_view title, std::string_view prompt,
                                         std::string_view initial, int maxLength) override;
  std::optional<std::string> FileRequest(std::string_view title, std::string_view pattern,
                                         FileRequestMode mode) override;
  std::optional<FontChoice> FontRequest(std::string_view title, const FontChoice& initial) override;
  void Warning(std::string_view message) override;

  void Queue(QueuedAnswer answer);
  void ClearQueue();
  size_t Pending();

 private:
  std::optional<QueuedAnswer> Take();

  std::mutex lock_;
  std::deque<QueuedAnswer> answers_;
  std::string lastUnanswered_;
  int repeats_ = 0;
};

inline constexpr int kUnansweredRepeats = 10;

HeadlessRequesters& DefaultHeadlessRequesters();

}  // namespace folioteer
