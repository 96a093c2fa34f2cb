#include "qt/param_dialog.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

#include "qt/button_images.h"
#include "qt/text_requester.h"

namespace folioteer {
namespace {

bool IsChooser(Control control) {
  return control == Control::LinkOp || control == Control::AttrColor || control == Control::AttrOnOff;
}
bool IsNumber(Control control) { return GetControlInfo(control).gadgClass == GadgClass::Integer; }
bool IsLabel(Control control) { return control == Control::CmdLabel || control == Control::AttrLabel; }

// The words before a field; a font's name and size for @font.
QString RowLabel(const DialogField& field, bool font) {
  switch (field.control) {
    case Control::CmdText:
      return font ? ParamDialog::tr("&Font:")
                  : (field.keyword == "NodeRef" ? ParamDialog::tr("&Node:") : ParamDialog::tr("&Text:"));
    case Control::CmdText2: return ParamDialog::tr("&Second text:");
    case Control::CmdNumber: return font ? ParamDialog::tr("&Size:") : ParamDialog::tr("N&umber:");
    case Control::LinkText: return ParamDialog::tr("&Label:");
    case Control::LinkOp: return ParamDialog::tr("&Operation:");
    case Control::LinkTarget: return ParamDialog::tr("&Target:");
    case Control::AttrOnOff: return ParamDialog::tr("&On or off:");
    case Control::AttrColor: return ParamDialog::tr("&Colour:");
    case Control::AttrNumber: return ParamDialog::tr("N&umber:");
    case Control::AttrText: return ParamDialog::tr("&Text:");
    default: return {};
  }
}

std::vector<Control> Controls(const DialogContent& content) {
  std::vector<Control> controls;
  for (const DialogField& field : content.fields) controls.push_back(field.control);
  return controls;
}

}  // namespace

ParamDialog::ParamDialog(ControlWidgets& controls, WindowInputSink& sink, QWidget* parent)
    : QDialog(parent),
      controls_(controls),
      sink_(sink),
      heading_(new QLabel),
      form_(new QFormLayout),
      note_(new QLabel) {
  setWindowIcon(ProgramIcon());
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  heading_->setTextFormat(Qt::PlainText);
  note_->setObjectName(QStringLiteral("note"));
  note_->setWordWrap(true);
  note_->setTextFormat(Qt::PlainText);
  note_->setForegroundRole(QPalette::Link);
  note_->hide();
  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(tr("Ok"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  controls_.Add(Control::Ok, ok);
  controls_.Add(Control::Cancel, cancel);
  // The buttons only report; the program ends the dialog.
  connect(ok, &QPushButton::clicked, this, [this] { PostGadgetUp(sink_, Control::Ok); });
  connect(cancel, &QPushButton::clicked, this, [this] { PostGadgetUp(sink_, Control::Cancel); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addLayout(form_);
  layout->addWidget(note_);
  layout->addStretch(1);
  layout->addWidget(buttons);
}

// Return presses Ok, Escape Cancel; neither closes the window by itself.
void ParamDialog::accept() { PostGadgetUp(sink_, Control::Ok); }
void ParamDialog::reject() { PostGadgetUp(sink_, Control::Cancel); }

void ParamDialog::SetContent(const DialogContent& content, const GuideTextCodec& codec) {
  codec_ = codec;
  if (Controls(content) != Controls(content_) || content.kind != content_.kind) Rebuild(content);
  content_ = content;
  ShowNote({});
  const DialogField* label =
      content.Find(content.kind == DialogKind::NewAttr ? Control::AttrLabel : Control::CmdLabel);
  heading_->setText(content.kind == DialogKind::NewLink ? tr("New link")
                    : label != nullptr                  ? QString::fromUtf8(label->text)
                                                        : QString());
  SetValues(content.fields);
  SetHints(content.fields);
  adjustSize();
  // The user starts typing into the first field.
  for (const DialogField& field : content_.fields) {
    QWidget* widget = controls_.Widget(field.control);
    if (IsLabel(field.control) || widget == nullptr) continue;
    widget->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
    break;
  }
}

void ParamDialog::Rebuild(const DialogContent& content) {
  for (const DialogField& field : content_.fields) controls_.Remove(field.control);
  controls_.Remove(Control::FontButton);
  while (form_->rowCount() > 0) form_->removeRow(0);
  bool font = content.Find(Control::FontButton) != nullptr;
  for (const DialogField& field : content.fields) AddField(field, font);
}

void ParamDialog::AddField(const DialogField& field, bool font) {
  Control control = field.control;
  if (IsLabel(control) || control == Control::FontButton) return;  // the heading; beside the text
  QWidget* widget = nullptr;
  if (IsChooser(control)) {
    auto* chooser = new QComboBox;
    for (const std::string& entry : ChooserEntries(control)) chooser->addItem(QString::fromUtf8(entry));
    if (control == Control::LinkOp)
      connect(chooser, &QComboBox::activated, this, [this] { PostGadgetUp(sink_, Control::LinkOp); });
    widget = chooser;
  } else {
    auto* edit = new QLineEdit;
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * (IsNumber(control) ? 10 : 36));
    if (IsNumber(control)) edit->setValidator(new QIntValidator(edit));
    if (control == Control::CmdText2) edit->setAlignment(Qt::AlignRight);
    widget = edit;
  }
  controls_.Add(control, widget);
  if (control != Control::CmdText || !font) {
    form_->addRow(RowLabel(field, font), widget);
    return;
  }
  auto* button = MakeImageButton(RowIcons({ButtonImage::Font})[0]);
  controls_.Add(Control::FontButton, button);
  controls_.SetHint(Control::FontButton, tr("Choose the font"));
  connect(button, &QToolButton::clicked, this, [this] { PostGadgetUp(sink_, Control::FontButton); });
  auto* row = new QHBoxLayout;
  row->addWidget(widget, 1);
  row->addWidget(button);
  auto* label = new QLabel(RowLabel(field, font));
  label->setBuddy(widget);
  form_->addRow(label, row);
}

void ParamDialog::SetValues(const std::vector<DialogField>& fields) {
  for (const DialogField& field : fields) {
    DialogField* shown = content_.Find(field.control);
    if (shown == nullptr) continue;
    shown->text = field.text;
    shown->value = field.value;
    QWidget* widget = controls_.Widget(field.control);
    if (auto* chooser = qobject_cast<QComboBox*>(widget)) {
      chooser->setCurrentIndex(std::clamp(field.value, 0, chooser->count() - 1));
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      if (IsNumber(field.control)) {
        edit->setText(QString::number(field.value));
        continue;
      }
      QString text = codec_.Decode(field.text);
      // The validator compares each change with the text it took last.
      auto* validator = new GuideTextValidator(codec_, 0, text, edit);
      connect(validator, &GuideTextValidator::Noted, this, &ParamDialog::ShowNote);
      const QValidator* old = edit->validator();
      edit->setValidator(validator);
      delete old;
      edit->setText(text);
    }
  }
}

void ParamDialog::SetHints(const std::vector<DialogField>& fields) {
  for (const DialogField& field : fields)
    if (content_.Find(field.control) != nullptr && !IsLabel(field.control))
      controls_.SetHint(field.control, QString::fromUtf8(field.hint));
}

DialogContent ParamDialog::Content() const {
  DialogContent content = content_;
  for (DialogField& field : content.fields) {
    QWidget* widget = controls_.Widget(field.control);
    if (auto* chooser = qobject_cast<QComboBox*>(widget)) {
      field.value = chooser->currentIndex();
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      if (IsNumber(field.control)) {
        field.value = edit->text().toInt();
      } else if (std::optional<std::string> bytes = codec_.Encode(edit->text())) {
        field.text = std::move(*bytes);
      }
    }
  }
  return content;
}

void ParamDialog::ShowNote(const QString& note) {
  note_->setText(note);
  note_->setVisible(!note.isEmpty());
}

}  // namespace folioteer
