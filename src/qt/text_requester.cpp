#include "qt/text_requester.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <algorithm>

#include "qt/requester_text.h"

namespace folioteer {

QString CutToLength(QStringView text, int64_t maxBytes, const GuideTextCodec& codec) {
  qsizetype index = 0;
  int64_t bytes = 0;
  while (index < text.size()) {
    qsizetype step = text[index].isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
    int64_t width = codec.EncodedLength(text.mid(index, step));
    if (bytes + width > maxBytes) break;
    bytes += width;
    index += step;
  }
  return text.first(index).toString();
}

QString LengthNote(int maxLength, const GuideTextCodec& codec) {
  return codec.IsUtf8()
             ? QStringLiteral("At most %1 bytes of UTF-8 fit here; the rest was left out.").arg(maxLength)
             : QStringLiteral("At most %1 characters fit here; the rest was left out.").arg(maxLength);
}

// ---------------------------------------------------------------------------
// GuideTextValidator

GuideTextValidator::GuideTextValidator(const GuideTextCodec& codec, int maxLength, const QString& initial,
                                       QObject* parent)
    : QValidator(parent), codec_(codec), maxLength_(maxLength), previous_(initial) {}

QValidator::State GuideTextValidator::validate(QString& input, int& pos) const {
  if (input == previous_) return Acceptable;
  qsizetype shorter = std::min(input.size(), previous_.size());
  qsizetype prefix = 0;
  while (prefix < shorter && input[prefix] == previous_[prefix]) ++prefix;
  qsizetype suffix = 0;
  while (suffix < shorter - prefix &&
         input[input.size() - 1 - suffix] == previous_[previous_.size() - 1 - suffix])
    ++suffix;
  // Marks pass as bytes: the field holds the marks of the guide's text, and
  // text copied from the edit box carries marks for bytes.
  PreparedInput inserted =
      codec_.PrepareInput(QStringView(input).mid(prefix, input.size() - prefix - suffix), MarksIn::Bytes);
  if (inserted.Refused()) {
    emit Noted(inserted.refusal);
    return Invalid;
  }
  inserted.text.replace(u'\n', u' ');
  QStringView head = QStringView(input).first(prefix), tail = QStringView(input).last(suffix);
  QString note;
  if (maxLength_ > 0) {
    int64_t room = maxLength_ - codec_.EncodedLength(head) - codec_.EncodedLength(tail);
    if (codec_.EncodedLength(inserted.text) > room) {
      inserted.text = CutToLength(inserted.text, std::max<int64_t>(room, 0), codec_);
      note = LengthNote(maxLength_, codec_);
    }
  }
  input = head.toString() + inserted.text + tail.toString();
  pos = static_cast<int>(prefix + inserted.text.size());
  previous_ = input;
  emit Noted(note);
  return Acceptable;
}

// ---------------------------------------------------------------------------
// TextRequester

TextRequester::TextRequester(QWidget* parent, std::string_view title, std::string_view prompt,
                             std::string_view initial, int maxLength, Charset charset)
    : QDialog(parent), codec_(charset), field_(new QLineEdit), note_(new QLabel) {
  setWindowTitle(RequesterPlainText(title));

  auto* promptLabel = new QLabel;
  promptLabel->setTextFormat(Qt::RichText);
  promptLabel->setText(RequesterLabelText(prompt));
  promptLabel->setBuddy(field_);

  QString start = codec_.Decode(initial);
  bool cut = maxLength > 0 && codec_.EncodedLength(start) > maxLength;
  if (cut) start = CutToLength(start, maxLength, codec_);
  field_->setText(start);
  field_->selectAll();
  field_->setMinimumWidth(field_->fontMetrics().averageCharWidth() * 40);
  auto* validator = new GuideTextValidator(codec_, maxLength, start, this);
  connect(validator, &GuideTextValidator::Noted, this, &TextRequester::ShowNote);
  field_->setValidator(validator);

  note_->setObjectName(QStringLiteral("note"));
  note_->setWordWrap(true);
  note_->setTextFormat(Qt::PlainText);
  note_->setForegroundRole(QPalette::Link);
  note_->hide();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &TextRequester::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TextRequester::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(promptLabel);
  layout->addWidget(field_);
  layout->addWidget(note_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  if (cut) ShowNote(LengthNote(maxLength, codec_));
}

void TextRequester::ShowNote(const QString& note) {
  note_->setText(note);
  note_->setVisible(!note.isEmpty());
}

void TextRequester::accept() {
  answer_ = codec_.Encode(field_->text());
  if (!answer_) {
    qsizetype bad = codec_.FirstUnheld(field_->text());
    ShowNote(codec_.RefusalMessage(field_->text().at(bad).unicode(), 1));
    return;
  }
  QDialog::accept();
}

}  // namespace folioteer
