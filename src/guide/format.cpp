#include "guide/format.h"

#include "support/assert.h"

namespace folioteer {
namespace {

bool HasAny(CmdModSet mods, std::initializer_list<CmdModifier> wanted) {
  for (CmdModifier m : wanted)
    if (mods.Has(m)) return true;
  return false;
}

bool TakesString(CmdModSet mods) {
  return HasAny(mods, {CmdModifier::StrParam, CmdModifier::TwoStrParam, CmdModifier::FontParam});
}

bool IsAbsentOrEmpty(const std::optional<std::string>& text) { return !text || text->empty(); }

// Every update and creation starts here: the kind's modifiers, and an @node's block.
void Refresh(AGCmd* cmd) {
  cmd->mods = GetCmdInfo(cmd->kind);
  if (cmd->kind == AGCmdKind::Node && cmd->block == InvalidBlock()) cmd->block = AllocBlock();
}

ValueForm FirstStringValueForm(CmdModSet mods) {
  return mods.Has(CmdModifier::Verbatim) ? ValueForm::Verbatim : ValueForm::Quoted;
}

// The operation name of a link stands as it is.
ValueForm SecondStringValueForm(AGCmdKind kind, CmdModSet mods) {
  return mods.Has(CmdModifier::Verbatim) || kind == AGCmdKind::Link ? ValueForm::Verbatim : ValueForm::Quoted;
}

std::string FirstStringForm(const AGCmd* cmd, std::string_view value) {
  return FirstStringValueForm(cmd->mods) == ValueForm::Verbatim ? std::string(value) : QuotedValue(value);
}

std::string SecondStringForm(const AGCmd* cmd, std::string_view value) {
  if (SecondStringValueForm(cmd->kind, cmd->mods) == ValueForm::Verbatim) return std::string(value);
  return QuotedValue(value);
}

AGCmd* CreateChecked(AGCmdKind kind, CmdModifier needed, const CmdParams& params, const char* message) {
  Assert(GetCmdInfo(kind).Has(needed), message);
  return CreateCmd(kind, params);
}

AGAttr* CreateChecked(AGAttrKind kind, AttrModifier needed, const AttrParams& params, const char* message) {
  Assert(GetAttrInfo(kind).Has(needed), message);
  return CreateAttr(kind, params);
}

}  // namespace

ValueFault CheckValue(std::string_view value, ValueForm form) {
  if (value.find_first_of("\n\r") != std::string_view::npos) return ValueFault::LineEnd;
  if (form == ValueForm::Quoted && value.find('"') != std::string_view::npos) return ValueFault::DoubleQuote;
  return ValueFault::None;
}

std::optional<UnwritableValue> FindUnwritableValue(AGCmdKind kind, const CmdParams& params) {
  CmdModSet mods = GetCmdInfo(kind);
  std::pair<const std::optional<std::string>*, ValueForm> written[3];
  size_t count = 0;
  if (mods.Has(CmdModifier::NodeRef)) written[count++] = {&params.NodeRef, ValueForm::Quoted};
  if (TakesString(mods)) written[count++] = {&params.Strng, FirstStringValueForm(mods)};
  if (mods.Has(CmdModifier::TwoStrParam))
    written[count++] = {&params.Strng2, SecondStringValueForm(kind, mods)};
  for (size_t i = 0; i < count; ++i) {
    const std::optional<std::string>& value = *written[i].first;
    if (!value) continue;
    ValueFault fault = CheckValue(*value, written[i].second);
    if (fault != ValueFault::None) return UnwritableValue{*value, fault};
  }
  return std::nullopt;
}

std::string QuotedValue(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return std::string(value);
  return "\"" + std::string(value) + "\"";
}

std::string UnquotedValue(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

AGCmd* CreateEmptyCmd() { return ObtainCommand(); }
AGCmd* NilAGCmd() { return nullptr; }

AGCmd* CreateCmd(AGCmdKind kind, const CmdParams& params) {
  CmdModSet mods = GetCmdInfo(kind);
  if (TakesString(mods)) Assert(params.Strng.has_value(), "CreateCmd: Missing StrngParam");
  AGCmd* cmd = ObtainCommand();
  cmd->kind = kind;
  Refresh(cmd);
  if (mods.Has(CmdModifier::NodeRef))
    cmd->params.NodeRef = IsAbsentOrEmpty(params.NodeRef) ? "\"\"" : QuotedValue(*params.NodeRef);
  if (TakesString(mods)) cmd->params.Strng = FirstStringForm(cmd, *params.Strng);
  if (mods.Has(CmdModifier::TwoStrParam))
    cmd->params.Strng2 = IsAbsentOrEmpty(params.Strng2) ? "" : SecondStringForm(cmd, *params.Strng2);
  if (kind == AGCmdKind::Link) {
    cmd->params.Strng2 = params.Strng2.value_or("");
    cmd->linkOp = MatchLinkOpName(*cmd->params.Strng2);
  }
  if (HasAny(mods, {CmdModifier::Number, CmdModifier::FontParam})) cmd->params.Num = params.Num;
  return cmd;
}

AGCmd* CreateNodeRefCmd(AGCmdKind kind, std::string_view text) {
  CmdParams params;
  params.NodeRef = std::string(text);
  return CreateChecked(kind, CmdModifier::NodeRef, params, "Not a NodeRef command");
}

AGCmd* CreateStrParamCmd(AGCmdKind kind, std::string_view text) {
  if (GetCmdInfo(kind).Has(CmdModifier::NodeRef)) return CreateNodeRefCmd(kind, text);
  Assert(TakesString(GetCmdInfo(kind)), "Not a StrParam command");
  CmdParams params;
  params.Strng = std::string(text);
  return CreateCmd(kind, params);
}

AGCmd* CreateTwoStrParamCmd(AGCmdKind kind, std::string_view first, std::string_view second) {
  CmdParams params;
  params.Strng = std::string(first);
  params.Strng2 = std::string(second);
  return CreateChecked(kind, CmdModifier::TwoStrParam, params, "Not a TwoStrParam command");
}

AGCmd* CreateFontCmd(AGCmdKind kind, std::string_view name, int32_t size) {
  CmdParams params;
  params.Strng = std::string(name);
  params.Num = size;
  return CreateChecked(kind, CmdModifier::FontParam, params, "Not a FontParam command");
}

AGCmd* CreateNumberCmd(AGCmdKind kind, int32_t n) {
  CmdParams params;
  params.Num = n;
  return CreateChecked(kind, CmdModifier::Number, params, "Not a Number command");
}

AGCmd* CreateSwitchCmd(AGCmdKind kind) {
  return CreateChecked(kind, CmdModifier::Switch, CmdParams{}, "Not a Switch command");
}

AGCmd* CreateNodeCmd(std::string_view name, std::string_view title) {
  return CreateTwoStrParamCmd(AGCmdKind::Node, name, title);
}

AGCmd* CreateLinkCmd(LinkOp op, const std::optional<std::string>& label,
                     const std::optional<std::string>& target) {
  Assert(label.has_value(), "Link label pointer NIL?");
  if (label->empty()) ShowWarning("Missing Link label");
  CmdParams params;
  params.Strng = *label;
  params.Strng2 = GetLinkOpName(op);
  if (op == LinkOp::Link) {
    Assert(target.has_value(), "Link target.str NIL?");
  } else {
    Assert(target.has_value(), "rx target.str NIL?");
    if (target->empty()) ShowWarning("Missing rx target");
  }
  params.NodeRef = *target;
  AGCmd* cmd = CreateCmd(AGCmdKind::Link, params);
  cmd->linkOp = op;
  return cmd;
}

AGCmd* CreateVersionCmd(const std::optional<std::string>& name, int version, int revision, int day, int month,
                        int year, const std::optional<std::string>& comment) {
  if (year < 70)
    year += 2000;
  else if (year < 100)
    year += 1900;
  CmdParams params;
  params.Strng = name.value_or("") + " " + std::to_string(version) + "." + std::to_string(revision) + " (" +
                 std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year) + ")";
  if (!IsAbsentOrEmpty(comment)) params.Strng2 = *comment;
  return CreateCmd(AGCmdKind::Version, params);
}

void UpdateCmdNodeRef(AGCmd* cmd, const std::optional<std::string>& text) {
  Assert(cmd != nullptr, "UpdateCmdRef() for NIL?");
  Refresh(cmd);
  if (cmd->mods.Has(CmdModifier::NodeRef)) cmd->params.NodeRef = QuotedValue(text.value_or(""));
}

void UpdateCmdStr0(AGCmd* cmd, const std::optional<std::string>& text) {
  Assert(cmd != nullptr, "UpdateCmdStr0() for NIL?");
  Refresh(cmd);
  if (!TakesString(cmd->mods)) return;
  Assert(text.has_value(), "UpdateCmdStr0: StrngParam.str NIL?");
  if (text->empty()) ShowWarning("UpdateCmdStr0: Missing StrngParam");
  cmd->params.Strng = text->empty() ? std::string("\"\"") : FirstStringForm(cmd, *text);
}

void UpdateCmdStr1(AGCmd* cmd, const std::optional<std::string>& text) {
  Assert(cmd != nullptr, "UpdateCmdStr1() for NIL?");
  Refresh(cmd);
  if (cmd->mods.Has(CmdModifier::TwoStrParam) && !IsAbsentOrEmpty(text))
    cmd->params.Strng2 = SecondStringForm(cmd, *text);
}

void UpdateCmdNum(AGCmd* cmd, int32_t n) {
  Assert(cmd != nullptr, "UpdateCmdNum() for NIL?");
  Refresh(cmd);
  if (HasAny(cmd->mods, {CmdModifier::Number, CmdModifier::FontParam})) cmd->params.Num = n;
}

void UpdateCmd(AGCmd* cmd, const CmdParams& params) {
  UpdateCmdNodeRef(cmd, params.NodeRef);
  UpdateCmdStr0(cmd, params.Strng);
  UpdateCmdStr1(cmd, params.Strng2);
  UpdateCmdNum(cmd, params.Num);
}

void DisposeCmd(AGCmd*& cmd) { RecycleCommand(cmd); }

void BuildCmd(const AGCmd* cmd, std::string& text) {
  Assert(cmd != nullptr, "NIL in BuildCmd");
  const CmdParams& p = cmd->params;
  CmdModSet mods = cmd->mods;
  auto piece = [&text](std::string_view value) {
    text += ' ';
    text += value;
  };
  text = GetCmdName(cmd->kind);
  if (cmd->kind == AGCmdKind::Link) {
    text += p.Strng.value_or("");
    piece(GetLinkOpName(cmd->linkOp));
    piece(p.NodeRef.value_or(""));
    if (p.Num != 0) piece(std::to_string(p.Num));
  } else {
    if (mods.Has(CmdModifier::NodeRef)) piece(p.NodeRef.value_or(""));
    if (TakesString(mods)) piece(p.Strng.value_or(""));
    if (mods.Has(CmdModifier::TwoStrParam)) piece(p.Strng2.value_or(""));
    if (mods.Has(CmdModifier::Number) || (mods.Has(CmdModifier::FontParam) && p.Num != 0))
      piece(std::to_string(p.Num));
  }
  if (mods.Has(CmdModifier::Inline)) text += '}';
}

void OutputCmd(Channel out, const AGCmd* cmd) {
  Assert(cmd != nullptr, "NIL in OutputCmd");
  std::string text;
  BuildCmd(cmd, text);
  WriteText(out, text);
  if (cmd->kind != AGCmdKind::Link) WriteLn(out);
}

AGAttr* CreateEmptyAttr() {
  AGAttr* attr = new AGAttr;
  attr->params.OnOff = AttrForm::NotStyle;
  return attr;
}

AGAttr* NilAGAttr() { return nullptr; }

AGAttr* CreateAttr(AGAttrKind kind, const AttrParams& params) {
  AGAttr* attr = CreateEmptyAttr();
  attr->kind = kind;
  AttrModSet mods = GetAttrInfo(kind);
  if (mods.Has(AttrModifier::AttrText)) attr->params.Strng = params.Strng;
  if (mods.Has(AttrModifier::AttrNumber)) attr->params.Num = params.Num;
  if (mods.Has(AttrModifier::AttrStyle)) attr->params.OnOff = params.OnOff;
  if (mods.Has(AttrModifier::AttrColor)) attr->params.Color = params.Color;
  return attr;
}

AGAttr* CreateNumberAttr(AGAttrKind kind, int32_t n) {
  AttrParams params;
  params.Num = n;
  return CreateChecked(kind, AttrModifier::AttrNumber, params, "CreateNumberAttr bad attr");
}

AGAttr* CreateColorAttr(AGAttrKind kind, GuideColor color) {
  AttrParams params;
  params.Color = color;
  return CreateChecked(kind, AttrModifier::AttrColor, params, "CreateColorAttr bad attr");
}

AGAttr* CreateStyleAttr(AGAttrKind kind, AttrForm form) {
  AttrParams params;
  params.OnOff = form;
  return CreateChecked(kind, AttrModifier::AttrStyle, params, "CreateStyleAttr bad attr");
}

AGAttr* CreateSwitchAttr(AGAttrKind kind) {
  AGAttr* attr = CreateEmptyAttr();
  attr->kind = kind;
  return attr;
}

AGAttr* CreateSetTabsAttr(std::string_view text) {
  AttrParams params;
  params.Strng = std::string(text);
  return CreateAttr(AGAttrKind::SetTabs, params);
}

void DisposeAttr(AGAttr*& attr) {
  delete attr;
  attr = nullptr;
}

void BuildAttr(const AGAttr* attr, std::string& text) {
  Assert(attr != nullptr, "NIL in BuildAttr");
  AttrModSet mods = GetAttrInfo(attr->kind);
  text = GetAttrName(attr->kind);
  if (mods.Has(AttrModifier::AttrText))
    text += " " + attr->params.Strng.value_or("") + "}";
  else if (mods.Has(AttrModifier::AttrNumber))
    text += " " + std::to_string(attr->params.Num) + "}";
  else if (mods.Has(AttrModifier::AttrColor))
    text += " " + GetColorName(attr->params.Color) + "}";
  else if (mods.Has(AttrModifier::AttrStyle) && attr->params.OnOff == AttrForm::Off)
    text.insert(2, "u");
}

}  // namespace folioteer
