#include "qt/main_window.h"

#include <QBoxLayout>
#include <QLabel>
#include <QSplitter>

#include "qt/button_images.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

// A list under its heading, with its column of buttons at the right.
QWidget* Pane(const QString& heading, RowList* list, QBoxLayout* buttons) {
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

}  // namespace

MainWindow::MainWindow(ControlWidgets& controls, const MenuActions& menus, WindowInputSink& sink)
    : sink_(sink), globalList_(new RowList), nodeList_(new RowList) {
  setWindowIcon(ProgramIcon());
  menus.AddMenus(menuBar());
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(BuildGlobalPane(controls));
  splitter->addWidget(BuildNodePane(controls));
  UniformWidth(controls, {Control::AddGlobal, Control::EditGlobal, Control::DeleteGlobal, Control::NodeUp,
                          Control::NodeDown, Control::NewNode, Control::Retitle, Control::DeleteNode});
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 3);
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(splitter);
  setCentralWidget(central);
}

QWidget* MainWindow::BuildGlobalPane(ControlWidgets& controls) {
  std::vector<QIcon> icons = RowIcons({ButtonImage::Add, ButtonImage::Edit, ButtonImage::Delete});
  addGlobal_ = new PopupButton(icons[0], PopupRows(CmdScope::Global));
  QToolButton* edit = MakeImageButton(icons[1]);
  QToolButton* remove = MakeImageButton(icons[2]);
  controls.Add(Control::GlobalList, globalList_);
  controls.Add(Control::AddGlobal, addGlobal_);
  controls.Add(Control::EditGlobal, edit);
  controls.Add(Control::DeleteGlobal, remove);
  connect(globalList_, &RowList::Chosen, this, [this] { PostGadgetUp(sink_, Control::GlobalList); });
  connect(globalList_, &RowList::DoubleClicked, this, [this] {
    sink_.PostInput(WindowId::Main, EvntInput(EvntKind::ListDoubleClick, ControlGadget(Control::GlobalList)));
  });
  connect(addGlobal_, &PopupButton::Chosen, this, [this] { PostGadgetUp(sink_, Control::AddGlobal); });
  connect(edit, &QToolButton::clicked, this, [this] { PostGadgetUp(sink_, Control::EditGlobal); });
  connect(remove, &QToolButton::clicked, this, [this] { PostGadgetUp(sink_, Control::DeleteGlobal); });
  auto* buttons = new QVBoxLayout;
  for (QWidget* button :
       {static_cast<QWidget*>(addGlobal_), static_cast<QWidget*>(edit), static_cast<QWidget*>(remove)})
    buttons->addWidget(button);
  buttons->addStretch(1);
  return Pane(tr("&Global commands"), globalList_, buttons);
}

QWidget* MainWindow::BuildNodePane(ControlWidgets& controls) {
  std::vector<QIcon> icons = RowIcons(
      {ButtonImage::Up, ButtonImage::Down, ButtonImage::NewNode, ButtonImage::Edit, ButtonImage::Delete});
  const std::pair<Control, int> rows[] = {{Control::NodeUp, 0},
                                          {Control::NodeDown, 1},
                                          {Control::NewNode, 2},
                                          {Control::Retitle, 3},
                                          {Control::DeleteNode, 4}};
  auto* buttons = new QVBoxLayout;
  int gap = fontMetrics().height();
  buttons->addSpacing(gap);
  for (auto [control, icon] : rows) {
    if (control == Control::NewNode) buttons->addSpacing(gap);
    QToolButton* button = MakeImageButton(icons[icon]);
    controls.Add(control, button);
    connect(button, &QToolButton::clicked, this, [this, control] { PostGadgetUp(sink_, control); });
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  controls.Add(Control::NodeList, nodeList_);
  connect(nodeList_, &RowList::Chosen, this, [this] { PostGadgetUp(sink_, Control::NodeList); });
  return Pane(tr("&Nodes"), nodeList_, buttons);
}

}  // namespace folioteer
