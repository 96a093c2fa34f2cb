// The text requester: a prompt and a one-line field for an answer that goes
// into the guide (a node's name or title).
//
// The field holds the guide's text (qt/guide_text.h) and takes at most
// maxLength bytes of it (characters, in ISO-8859-1). What is typed or pasted
// is checked as it comes: a character the guide's encoding cannot hold is
// refused, text past the limit is cut, line breaks become blanks; each time a
// note under the field says what happened.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <optional>
#include <string>
#include <string_view>

#include "qt/guide_text.h"

namespace folioteer {

// Watches each change of a line field: finds what was inserted, refuses it or
// cuts it to fit, and reports through Noted (an empty note for a change
// taken as it was).
class GuideTextValidator : public QValidator {
  Q_OBJECT

 public:
  GuideTextValidator(const GuideTextCodec& codec, int maxLength, const QString& initial, QObject* parent);
  State validate(QString& input, int& pos) const override;

 signals:
  void Noted(const QString& note) const;

 private:
  GuideTextCodec codec_;
  int maxLength_;
  mutable QString previous_;  // the text as last taken
};

// The longest start of text that encodes to at most maxBytes.
QString CutToLength(QStringView text, int64_t maxBytes, const GuideTextCodec& codec);
QString LengthNote(int maxLength, const GuideTextCodec& codec);

class TextRequester : public QDialog {
  Q_OBJECT

 public:
  // maxLength 0 or less: no limit.
  TextRequester(QWidget* parent, std::string_view title, std::string_view prompt, std::string_view initial,
                int maxLength, Charset charset);

  // The answer's bytes once accepted.
  const std::optional<std::string>& Answer() const { return answer_; }
  QLineEdit* Field() const { return field_; }
  // The note on show, empty when none is.
  QString Note() const { return note_->isVisible() ? note_->text() : QString(); }

 public slots:
  void accept() override;

 private:
  void ShowNote(const QString& note);

  GuideTextCodec codec_;
  QLineEdit* field_;
  QLabel* note_;
  std::optional<std::string> answer_;
};

}  // namespace folioteer
