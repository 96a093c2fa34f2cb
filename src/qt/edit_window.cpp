#include "qt/edit_window.h"

#include <QBoxLayout>
#include <QSplitter>
#include <QStyle>

#include "qt/button_images.h"
#include "qt/command_pane.h"

namespace folioteer {
namespace {

// The navigation labels are sized for 16 characters.
constexpr int kNavLabelChars = 16;

}  // namespace

EditWindow::EditWindow(ControlWidgets& controls, const MenuActions& menus, WindowInputSink& sink)
    : sink_(sink), editBox_(new EditBox) {
  setWindowIcon(ProgramIcon());
  menus.AddMenus(menuBar());
  controls.Add(Control::EditBox, editBox_);
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->setChildrenCollapsible(false);
  auto* locals = new CommandPane(CmdScope::Local, tr("Node &local commands"), controls, sink);
  localList_ = locals->List();
  addLocal_ = locals->AddPopup();
  // A few rows fit; the text gets the room.
  localList_->setMinimumHeight(localList_->fontMetrics().height() * 3);
  splitter->addWidget(locals);
  splitter->addWidget(editBox_);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 5);
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(splitter, 1);
  layout->addWidget(BuildInsertRow(controls));
  UniformWidth(controls, {Control::AddLocal, Control::EditLocal, Control::DeleteLocal, Control::Show,
                          Control::AttrPopup, Control::Link, Control::Undo});
  setCentralWidget(central);
  editBox_->setFocus();
}

void EditWindow::Connect(QAbstractButton* button, Control control) {
  connect(button, &QAbstractButton::clicked, this, [this, control] { PostGadgetUp(sink_, control); });
}

QWidget* EditWindow::BuildInsertRow(ControlWidgets& controls) {
  std::vector<QIcon> icons = RowIcons({ButtonImage::Show, ButtonImage::Attribute, ButtonImage::Link,
                                       ButtonImage::Revert, ButtonImage::Previous, ButtonImage::Next});
  QToolButton* show = MakeImageButton(icons[0]);
  attrPopup_ = new PopupButton(icons[1], AttrPopupRows());
  QToolButton* link = MakeImageButton(icons[2]);
  QToolButton* undo = MakeImageButton(icons[3]);
  controls.Add(Control::Show, show);
  controls.Add(Control::AttrPopup, attrPopup_);
  controls.Add(Control::Link, link);
  controls.Add(Control::Undo, undo);
  Connect(show, Control::Show);
  connect(attrPopup_, &PopupButton::Chosen, this, [this] { PostGadgetUp(sink_, Control::AttrPopup); });
  Connect(link, Control::Link);
  Connect(undo, Control::Undo);

  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* button : {static_cast<QWidget*>(show), static_cast<QWidget*>(attrPopup_),
                          static_cast<QWidget*>(link), static_cast<QWidget*>(undo)})
    layout->addWidget(button);
  layout->addStretch(1);
  layout->addLayout(BuildNavigation(controls, NavDirection::Prev, icons[4]));
  layout->addSpacing(fontMetrics().averageCharWidth() * 2);
  layout->addLayout(BuildNavigation(controls, NavDirection::Next, icons[5]));
  return row;
}

QLayout* EditWindow::BuildNavigation(ControlWidgets& controls, NavDirection direction, const QIcon& icon) {
  bool next = direction == NavDirection::Next;
  auto* button = new QToolButton;
  button->setIcon(icon);
  button->setIconSize(QSize(24, 24));
  button->setText(next ? tr("Next") : tr("Prev"));
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  if (next) button->setLayoutDirection(Qt::RightToLeft);  // the arrow points outwards
  Control control = next ? Control::Next : Control::Prev;
  controls.Add(control, button);
  Connect(button, control);

  Nav& nav = nav_[static_cast<int>(direction)];
  nav.label = new QLabel;
  nav.label->setObjectName(next ? QStringLiteral("NextLabel") : QStringLiteral("PrevLabel"));
  nav.label->setTextFormat(Qt::PlainText);
  nav.label->setFixedWidth(nav.label->fontMetrics().averageCharWidth() * kNavLabelChars);
  // Each label stands by its button.
  nav.label->setAlignment((next ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  nav.mark = new QLabel;
  int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
  nav.mark->setPixmap(RowIcons({ButtonImage::Warning})[0].pixmap(QSize(size, size), devicePixelRatioF()));
  nav.mark->setToolTip(tr("No node of this name in the guide"));
  nav.mark->hide();
  auto* layout = new QHBoxLayout;
  layout->setSpacing(fontMetrics().averageCharWidth() / 2);
  if (next) {
    layout->addWidget(nav.mark);
    layout->addWidget(nav.label);
    layout->addWidget(button);
  } else {
    layout->addWidget(button);
    layout->addWidget(nav.label);
    layout->addWidget(nav.mark);
  }
  SetNavLabel(direction, QStringLiteral("<unset>"), false);
  return layout;
}

void EditWindow::SetNavLabel(NavDirection direction, const QString& text, bool pointsNowhere) {
  Nav& nav = nav_[static_cast<int>(direction)];
  nav.label->setText(nav.label->fontMetrics().elidedText(text, Qt::ElideRight, nav.label->width()));
  QFont font = nav.label->font();
  font.setItalic(pointsNowhere);
  nav.label->setFont(font);
  nav.label->setToolTip(pointsNowhere ? tr("%1: no node of this name in the guide").arg(text) : text);
  nav.mark->setVisible(pointsNowhere);
}

}  // namespace folioteer
