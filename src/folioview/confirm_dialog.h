// The question the viewer asks before a link starts a program or opens a
// web page: a sentence, then exactly what would happen, whole and as plain
// text (a command of thousands of characters scrolls; no markup in it is
// ever interpreted), and two buttons. Cancel is the default, so Enter or
// Escape pressed by habit runs nothing.
#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace folioteer {

class ConfirmDialog : public QDialog {
  Q_OBJECT

 public:
  ConfirmDialog(const QString& question, const QString& details, const QString& acceptLabel, QWidget* parent);

  QString Details() const;
  QPushButton* AcceptButton() const { return accept_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  QPlainTextEdit* details_;
  QPushButton* accept_;
  QPushButton* cancel_;
};

}  // namespace folioteer
