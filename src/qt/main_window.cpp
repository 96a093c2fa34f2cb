#include "qt/main_window.h"

#include <QBoxLayout>
#include <QSplitter>

#include "qt/button_images.h"
#include "qt/command_pane.h"
#include "ui/windows.h"

namespace folioteer {

MainWindow::MainWindow(ControlWidgets& controls, const MenuActions& menus, WindowInputSink& sink)
    : sink_(sink), nodeList_(new RowList) {
  setWindowIcon(ProgramIcon());
  menus.AddMenus(menuBar());
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->setChildrenCollapsible(false);
  auto* globals = new CommandPane(CmdScope::Global, tr("&Global commands"), controls, sink);
  globalList_ = globals->List();
  addGlobal_ = globals->AddPopup();
  splitter->addWidget(globals);
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
  return ListPane(tr("&Nodes"), nodeList_, buttons);
}

}  // namespace folioteer
