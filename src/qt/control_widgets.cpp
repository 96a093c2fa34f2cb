#include "qt/control_widgets.h"

#include <algorithm>

#include "editor/command_table.h"
#include "support/enum_table.h"

namespace folioteer {
namespace {

struct HintRow {
  Control control;
  EditorCmd cmd;           // the command whose hint the control shows
  std::string_view fixed;  // else this text
};

// clang-format off
constexpr HintRow kHints[] = {
    {Control::AddGlobal,    EditorCmd::NewGbl,          ""},
    {Control::EditGlobal,   EditorCmd::EditGbl,         ""},
    {Control::DeleteGlobal, EditorCmd::DelGbl,          ""},
    {Control::NodeUp,       EditorCmd::NodeUp,          ""},
    {Control::NodeDown,     EditorCmd::NodeDown,        ""},
    {Control::NewNode,      EditorCmd::NewNode,         ""},
    {Control::Retitle,      EditorCmd::EditNodeDescrip, ""},
    {Control::DeleteNode,   EditorCmd::DelNode,         ""},
    {Control::AddLocal,     EditorCmd::NewLcl,          ""},
    {Control::EditLocal,    EditorCmd::EditLcl,         ""},
    {Control::DeleteLocal,  EditorCmd::DelLcl,          ""},
    {Control::Show,         EditorCmd::DispNode,        ""},
    {Control::AttrPopup,    EditorCmd::NewTextAttr,     ""},
    {Control::Link,         EditorCmd::NewLink,         ""},
    {Control::Undo,         EditorCmd::CancelEdit,      ""},
    {Control::Next,         EditorCmd::None,            kNextHint},
    {Control::Prev,         EditorCmd::None,            kPrevHint},
    {Control::Ignore,       EditorCmd::SpellIgnore,     ""},
    {Control::AddWord,      EditorCmd::SpellUserAdd,    ""},
    {Control::GlobalList,   EditorCmd::None,            kGlobalListHint},
    {Control::NodeList,     EditorCmd::None,            kNodeListHint},
    {Control::LocalList,    EditorCmd::None,            kLocalListHint},
    {Control::MisspellList, EditorCmd::ShowMisspell,    ""},
    {Control::EditBox,      EditorCmd::None,            kEditBoxHint},
};
// clang-format on
static_assert(RowsFollowEnum(kHints, &HintRow::control, static_cast<int>(Control::EditBox) + 1));

}  // namespace

void PostGadgetUp(WindowInputSink& sink, Control control) {
  sink.PostInput(GetControlInfo(control).window, EvntInput(EvntKind::GadgetUp, ControlGadget(control)));
}

QString ControlHint(Control control) {
  int index = static_cast<int>(control);
  if (index >= static_cast<int>(std::size(kHints))) return {};
  const HintRow& row = kHints[index];
  if (row.cmd == EditorCmd::None) return QString::fromUtf8(row.fixed);
  InitCommandInfo();
  return QString::fromUtf8(CmdInfo(row.cmd).cmdHint.value_or(""));
}

void ControlWidgets::Add(Control control, QWidget* widget) {
  int index = static_cast<int>(control);
  widgets_[index] = widget;
  widget->setObjectName(QString::fromUtf8(GetControlInfo(control).name));
  hints_[index] = ControlHint(control);
  ShowHint(control);
}

void ControlWidgets::Remove(Control control) { widgets_[static_cast<int>(control)] = nullptr; }

void ControlWidgets::SetHint(Control control, const QString& hint) {
  hints_[static_cast<int>(control)] = hint;
  ShowHint(control);
}

void ControlWidgets::SetHintsShown(bool shown) {
  hintsShown_ = shown;
  for (int index = 0; index < kNumControls; ++index) ShowHint(static_cast<Control>(index));
}

// The accessible description keeps the hint for screen readers also while
// the tooltips are off.
void ControlWidgets::ShowHint(Control control) {
  QWidget* widget = Widget(control);
  if (widget == nullptr) return;
  const QString& hint = hints_[static_cast<int>(control)];
  widget->setToolTip(hintsShown_ ? hint : QString());
  widget->setAccessibleDescription(hint);
}

PopupButton::PopupButton(const QIcon& icon, const std::vector<std::string>& rows, QWidget* parent)
    : QToolButton(parent), menu_(new QMenu(this)) {
  setIcon(icon);
  setIconSize(QSize(24, 24));
  setPopupMode(QToolButton::InstantPopup);
  for (size_t row = 0; row < rows.size(); ++row) {
    QAction* action = menu_->addAction(QString::fromUtf8(rows[row]).replace(u'&', QStringLiteral("&&")));
    connect(action, &QAction::triggered, this, [this, row] {
      chosenRow_ = static_cast<int>(row);
      emit Chosen();
    });
  }
  setMenu(menu_);
}

QToolButton* MakeImageButton(const QIcon& icon, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setIcon(icon);
  button->setIconSize(QSize(24, 24));
  button->setAutoRaise(false);
  return button;
}

void UniformWidth(const ControlWidgets& controls, std::initializer_list<Control> row) {
  int width = 0;
  for (Control control : row) width = std::max(width, controls.Widget(control)->sizeHint().width());
  for (Control control : row) controls.Widget(control)->setMinimumWidth(width);
}

}  // namespace folioteer
