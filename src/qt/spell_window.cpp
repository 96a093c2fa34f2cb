#include "qt/spell_window.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "qt/button_images.h"

namespace folioteer {

SpellWindow::SpellWindow(ControlWidgets& controls, WindowInputSink& sink, QWidget* parent)
    : QWidget(parent, Qt::Window), words_(new RowList) {
  setWindowIcon(ProgramIcon());
  auto* ignore = new QPushButton(tr("Ignore"));
  auto* addWord = new QPushButton(tr("AddWord"));
  controls.Add(Control::MisspellList, words_);
  controls.Add(Control::Ignore, ignore);
  controls.Add(Control::AddWord, addWord);
  connect(words_, &RowList::Chosen, this, [&sink] { PostGadgetUp(sink, Control::MisspellList); });
  connect(ignore, &QPushButton::clicked, this, [&sink] { PostGadgetUp(sink, Control::Ignore); });
  connect(addWord, &QPushButton::clicked, this, [&sink] { PostGadgetUp(sink, Control::AddWord); });

  auto* heading = new QLabel(tr("&Misspelled words"));
  heading->setBuddy(words_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ignore);
  buttons->addWidget(addWord);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(words_, 1);
  layout->addLayout(buttons);
}

}  // namespace folioteer
