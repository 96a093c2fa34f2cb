#include "ui/dialogs.h"

#include "guide/syntax.h"
#include "support/assert.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

DialogField Field(Control control, std::string_view keyword, std::string text, int32_t value,
                  std::string hint) {
  return DialogField{control, keyword, std::move(text), value, std::move(hint)};
}

DialogField Label(Control control, std::string text) { return Field(control, "", std::move(text), 0, ""); }

bool HasText(const std::optional<std::string>& text) {
  return text && text->find_first_not_of(" \t") != std::string::npos;
}

// Opens the dialog window with the content, where the main window stands.
void OpenDialog(const DialogContent& content) {
  Wndo dialog = MakeMyWndo(WindowId::Dialog, "Folioteer");
  Wndo main = WindowWndo(WindowId::Main);
  if (main != NullWndo()) {
    WndoBox box = GetWndoBox(dialog, WndoSlot::Normal);
    WndoBox at = GetWndoBox(main, GetWndoSlot(main));
    SetWndoBox(dialog, WndoSlot::Normal, {at.left, at.top, box.width, box.height});
  }
  Windows().SetDialog(content);
  OpenWndo(dialog);
}

void HideDialog() {
  Wndo dialog = WindowWndo(WindowId::Dialog);
  if (dialog != NullWndo()) CloseWndo(dialog);
}

std::string TextOf(const DialogContent& content, Control control) {
  const DialogField* field = content.Find(control);
  return field != nullptr ? field->text : std::string();
}

int32_t ValueOf(const DialogContent& content, Control control) {
  const DialogField* field = content.Find(control);
  return field != nullptr ? field->value : 0;
}

}  // namespace

DialogContent NewCmdContent(AGCmdKind kind, const CmdParams& params) {
  CmdModSet mods = GetCmdInfo(kind);
  const Hints& hints = GetCmdHints(kind);
  DialogContent content{DialogKind::NewCmd, {Label(Control::CmdLabel, GetCmdName(kind))}};
  bool nodeRef = mods.Has(CmdModifier::NodeRef);
  bool text = mods.Has(CmdModifier::StrParam) || mods.Has(CmdModifier::TwoStrParam);
  bool font = mods.Has(CmdModifier::FontParam);
  if (nodeRef || text || font)
    content.fields.push_back(Field(Control::CmdText, nodeRef ? "NodeRef" : "Strng",
                                   (nodeRef ? params.NodeRef : params.Strng).value_or(""), 0, hints[1]));
  if (font) content.fields.push_back(Label(Control::FontButton, ""));
  if (mods.Has(CmdModifier::TwoStrParam))
    content.fields.push_back(Field(Control::CmdText2, "Strng2", params.Strng2.value_or(""), 0, hints[2]));
  if (mods.Has(CmdModifier::Number) || font)
    content.fields.push_back(Field(Control::CmdNumber, "Num", "", params.Num, hints[3]));
  return content;
}

DialogContent NewLinkContent(const CmdParams& params) {
  LinkOp op = static_cast<LinkOp>(params.Num >= 0 && params.Num < kNumLinkOps ? params.Num : 0);
  const std::array<std::string, 3>& hints = GetLinkOpHints(op);
  return DialogContent{DialogKind::NewLink,
                       {Field(Control::LinkText, "LinkText", params.Strng.value_or(""), 0, hints[1]),
                        Field(Control::LinkOp, "Op", "", static_cast<int32_t>(op), hints[0]),
                        Field(Control::LinkTarget, "NodeRef", params.NodeRef.value_or(""), 0, hints[2])}};
}

DialogContent NewAttrContent(AGAttrKind kind, const AttrParams& params) {
  AttrModSet mods = GetAttrInfo(kind);
  const Hints& hints = GetAttrHints(kind);
  DialogContent content{DialogKind::NewAttr, {Label(Control::AttrLabel, GetAttrName(kind))}};
  if (mods.Has(AttrModifier::AttrStyle))
    content.fields.push_back(
        Field(Control::AttrOnOff, "OnOff", "", params.OnOff == AttrForm::Off ? 1 : 0, ""));
  if (mods.Has(AttrModifier::AttrColor))
    content.fields.push_back(
        Field(Control::AttrColor, "Color", "", static_cast<int32_t>(params.Color), hints[2]));
  if (mods.Has(AttrModifier::AttrNumber))
    content.fields.push_back(Field(Control::AttrNumber, "Num", "", params.Num, hints[0]));
  if (mods.Has(AttrModifier::AttrText))
    content.fields.push_back(Field(Control::AttrText, "Strng", params.Strng.value_or(""), 0, hints[1]));
  return content;
}

void OpenNewCmdWndo(AGCmdKind kind, const CmdParams& params) { OpenDialog(NewCmdContent(kind, params)); }
void HideNewCmdWndo() { HideDialog(); }

uint16_t GetEnabledNewCmdGadgs(AGCmdKind kind, CmdParams& params) {
  if (kind == AGCmdKind::Link) {
    ShowWarningS("GetEnabledNewCmdGadgs: LinkCmd??");
    return 0;
  }
  DialogContent content = Windows().DialogNow();
  uint16_t shown = 0;
  if (const DialogField* first = content.Find(Control::CmdText)) {
    bool nodeRef = first->keyword == "NodeRef";
    (nodeRef ? params.NodeRef : params.Strng) = first->text;
    shown |= nodeRef ? kNodeRefField : kStrngField;
  }
  if (content.Find(Control::CmdText2) != nullptr) {
    params.Strng2 = TextOf(content, Control::CmdText2);
    shown |= kStrng2Field;
  }
  if (content.Find(Control::CmdNumber) != nullptr) {
    params.Num = ValueOf(content, Control::CmdNumber);
    shown |= kNumField;
  }
  return shown;
}

void OpenNewLinkWndo(const CmdParams& params) { OpenDialog(NewLinkContent(params)); }
void HideNewLinkWndo() { HideDialog(); }

void GetEnabledNewLinkGadgs(CmdParams& params) {
  DialogContent content = Windows().DialogNow();
  std::optional<std::string> text = TextOf(content, Control::LinkText);
  std::optional<std::string> target = TextOf(content, Control::LinkTarget);
  params.Strng = HasText(text) ? text : std::nullopt;
  params.NodeRef = HasText(target) ? target : std::nullopt;
  int32_t op = ValueOf(content, Control::LinkOp);
  params.Num = op >= 0 && op < kNumLinkOps ? op : 0;
}

void CustomizeLinkOpHints(LinkOp op) {
  const std::array<std::string, 3>& hints = GetLinkOpHints(op);
  Windows().SetDialogHints({Field(Control::LinkText, "LinkText", "", 0, hints[1]),
                            Field(Control::LinkOp, "Op", "", 0, hints[0]),
                            Field(Control::LinkTarget, "NodeRef", "", 0, hints[2])});
}

void OpenNewAttrWndo(AGAttrKind kind, const AttrParams& params) { OpenDialog(NewAttrContent(kind, params)); }
void HideNewAttrWndo() { HideDialog(); }

uint16_t GetEnabledNewAttrGadgs(AGAttrKind, AttrParams& params) {
  DialogContent content = Windows().DialogNow();
  uint16_t shown = 0;
  if (const DialogField* color = content.Find(Control::AttrColor)) {
    params.Color = static_cast<GuideColor>(color->value >= 0 && color->value < kNumColors ? color->value : 0);
    shown |= kColorField;
  }
  if (const DialogField* onOff = content.Find(Control::AttrOnOff)) {
    params.OnOff = onOff->value == 1 ? AttrForm::Off : AttrForm::On;
    shown |= kOnOffField;
  }
  if (const DialogField* number = content.Find(Control::AttrNumber)) {
    params.Num = number->value;
    shown |= kAttrNumField;
  }
  if (const DialogField* text = content.Find(Control::AttrText)) {
    params.Strng = text->text;
    shown |= kAttrTextField;
  }
  return shown;
}

}  // namespace folioteer
