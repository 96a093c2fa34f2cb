#include "folioview/confirm_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace folioteer {

ConfirmDialog::ConfirmDialog(const QString& question, const QString& details, const QString& acceptLabel,
                             QWidget* parent)
    : QDialog(parent) {
  setObjectName("confirmation");
  setWindowTitle(tr("folioview"));
  auto* icon = new QLabel;
  int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(size, size));
  icon->setAlignment(Qt::AlignTop);
  auto* text = new QLabel(question);
  text->setTextFormat(Qt::PlainText);
  text->setWordWrap(true);
  details_ = new QPlainTextEdit(details);
  details_->setReadOnly(true);
  details_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  details_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  auto* buttons = new QDialogButtonBox;
  accept_ = buttons->addButton(acceptLabel, QDialogButtonBox::AcceptRole);
  cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
  accept_->setAutoDefault(false);
  cancel_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addWidget(text, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(details_, 1);
  layout->addWidget(buttons);
  cancel_->setFocus();
}

QString ConfirmDialog::Details() const { return details_->toPlainText(); }

}  // namespace folioteer
