// The information requester: a message with a row of buttons.
//
// The buttons come from one text, labels separated by "|", an underscore
// marking a label's shortcut (shown underlined, Alt with the letter or the
// letter alone presses it). They answer 1, 2, ... from the left and 0 for the
// last; Escape and closing the window answer as the last button does, and
// Return presses the first.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <string_view>
#include <vector>

namespace folioteer {

// A label of the button text as a Qt button text: blanks trimmed, "&" doubled,
// the shortcut underscore turned into "&".
QString ButtonText(std::string_view label);

class InfoRequester : public QDialog {
  Q_OBJECT

 public:
  InfoRequester(QWidget* parent, std::string_view title, std::string_view text, std::string_view buttons);

  // The button pressed; 0 until one was.
  int Answer() const { return answer_; }
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  QPushButton* Button(int index) const { return buttons_.at(index); }

 public slots:
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Press(int index);

  std::vector<QPushButton*> buttons_;
  std::vector<QChar> shortcuts_;  // in small letters; a null QChar for none
  int answer_ = 0;
};

}  // namespace folioteer
