#include "qt/info_requester.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>

#include "qt/requester_text.h"
#include "support/requesters.h"

namespace folioteer {
namespace {

std::vector<std::string_view> SplitButtons(std::string_view buttons) {
  std::vector<std::string_view> labels;
  size_t start = 0;
  while (true) {
    size_t bar = buttons.find('|', start);
    labels.push_back(buttons.substr(start, bar == std::string_view::npos ? bar : bar - start));
    if (bar == std::string_view::npos) return labels;
    start = bar + 1;
  }
}

QChar ShortcutOf(std::string_view label) {
  size_t mark = label.find('_');
  if (mark == std::string_view::npos || mark + 1 >= label.size()) return {};
  return RequesterPlainText(label.substr(mark + 1, 1)).at(0).toLower();
}

}  // namespace

QString ButtonText(std::string_view label) {
  QString text = RequesterPlainText(label).trimmed();
  text.replace(u'&', QStringLiteral("&&"));
  qsizetype mark = text.indexOf(u'_');
  if (mark >= 0) text[mark] = u'&';
  return text;
}

InfoRequester::InfoRequester(QWidget* parent, std::string_view title, std::string_view text,
                             std::string_view buttons)
    : QDialog(parent) {
  setWindowTitle(RequesterPlainText(title));

  auto* icon = new QLabel;
  std::vector<std::string_view> labels = SplitButtons(buttons);
  QStyle::StandardPixmap image =
      labels.size() > 1 ? QStyle::SP_MessageBoxQuestion : QStyle::SP_MessageBoxInformation;
  int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(image, nullptr, this).pixmap(iconSize, iconSize));
  icon->setAlignment(Qt::AlignTop);

  auto* message = new QLabel;
  message->setObjectName(QStringLiteral("message"));
  message->setTextFormat(Qt::RichText);
  message->setText(RequesterLabelText(text));
  message->setTextInteractionFlags(Qt::TextSelectableByMouse);
  message->setMinimumWidth(message->fontMetrics().averageCharWidth() * 30);

  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addWidget(message, 1);

  // The first button at the left, the last at the right, the others spread
  // between them; a single button in the middle.
  auto* row = new QHBoxLayout;
  if (labels.size() == 1) row->addStretch();
  for (size_t index = 0; index < labels.size(); ++index) {
    auto* button = new QPushButton(ButtonText(labels[index]));
    connect(button, &QPushButton::clicked, this, [this, index] { Press(static_cast<int>(index)); });
    if (index > 0) row->addStretch();
    row->addWidget(button);
    buttons_.push_back(button);
    shortcuts_.push_back(ShortcutOf(labels[index]));
  }
  if (labels.size() == 1) row->addStretch();
  buttons_.front()->setDefault(true);
  buttons_.front()->setFocus();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(fontMetrics().height() / 2);
  layout->addLayout(row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void InfoRequester::Press(int index) {
  answer_ = ButtonAnswer(index, ButtonCount());
  done(answer_);
}

void InfoRequester::reject() { Press(ButtonCount() - 1); }

void InfoRequester::keyPressEvent(QKeyEvent* event) {
  Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  QString text = event->text();
  if ((modifiers == Qt::NoModifier || modifiers == Qt::AltModifier) && text.size() == 1) {
    QChar letter = text.at(0).toLower();
    for (size_t index = 0; index < shortcuts_.size(); ++index) {
      if (!shortcuts_[index].isNull() && shortcuts_[index] == letter) {
        buttons_[index]->animateClick();
        return;
      }
    }
  }
  QDialog::keyPressEvent(event);
}

}  // namespace folioteer
