#include "qt/command_pane.h"

#include <QGridLayout>
#include <QLabel>

#include "qt/button_images.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

struct PaneControls {
  Control list, add, edit, remove;
  WindowId window;
};

PaneControls ControlsOf(CmdScope scope) {
  if (scope == CmdScope::Global)
    return {Control::GlobalList, Control::AddGlobal, Control::EditGlobal, Control::DeleteGlobal,
            WindowId::Main};
  return {Control::LocalList, Control::AddLocal, Control::EditLocal, Control::DeleteLocal, WindowId::Edit};
}

}  // namespace

QWidget* ListPane(const QString& heading, RowList* list, QBoxLayout* buttons) {
  auto* pane = new QWidget;
  auto* label = new QLabel(heading);
  label->setBuddy(list);
  auto* grid = new QGridLayout(pane);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(label, 0, 0);
  grid->addWidget(list, 1, 0);
  grid->addLayout(buttons, 1, 1);
  grid->setRowStretch(1, 1);
  return pane;
}

CommandPane::CommandPane(CmdScope scope, const QString& heading, ControlWidgets& controls,
                         WindowInputSink& sink)
    : list_(new RowList) {
  PaneControls names = ControlsOf(scope);
  std::vector<QIcon> icons = RowIcons({ButtonImage::Add, ButtonImage::Edit, ButtonImage::Delete});
  add_ = new PopupButton(icons[0], PopupRows(scope));
  QToolButton* edit = MakeImageButton(icons[1]);
  QToolButton* remove = MakeImageButton(icons[2]);
  controls.Add(names.list, list_);
  controls.Add(names.add, add_);
  controls.Add(names.edit, edit);
  controls.Add(names.remove, remove);
  connect(list_, &RowList::Chosen, this, [&sink, names] { PostGadgetUp(sink, names.list); });
  connect(list_, &RowList::DoubleClicked, this, [&sink, names] {
    sink.PostInput(names.window, EvntInput(EvntKind::ListDoubleClick, ControlGadget(names.list)));
  });
  connect(add_, &PopupButton::Chosen, this, [&sink, names] { PostGadgetUp(sink, names.add); });
  connect(edit, &QToolButton::clicked, this, [&sink, names] { PostGadgetUp(sink, names.edit); });
  connect(remove, &QToolButton::clicked, this, [&sink, names] { PostGadgetUp(sink, names.remove); });
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(add_);
  buttons->addWidget(edit);
  buttons->addWidget(remove);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ListPane(heading, list_, buttons));
}

}  // namespace folioteer
