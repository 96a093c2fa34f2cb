#include "editor/command_arguments.h"

#include "guide/format.h"
#include "nodes/node_ops.h"
#include "nodes/node_registry.h"
#include "state/editor_state.h"
#include "support/arg_template.h"
#include "support/assert.h"
#include "support/requesters.h"
#include "ui/dialogs.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

// ---- Parameter dialogs ----

enum class DialogEnd : uint8_t { Ok, Cancel };

// Takes the dialog window's events until Ok (when okAccepted agrees) or
// Cancel; other controls go to onControl. Closing the window cancels.
template <typename OkAccepted, typename OnControl>
DialogEnd RunDialog(OkAccepted okAccepted, OnControl onControl) {
  Wndo dialog = WindowWndo(WindowId::Dialog);
  for (;;) {
    WaitWndoEvnt(dialog);
    WndoEvnt evnt;
    while (GetWndoEvnt(dialog, evnt)) {
      if (evnt.kind == EvntKind::CloseWindow) return DialogEnd::Cancel;
      std::optional<Control> control = GadgetControl(evnt.gadget);
      if (evnt.kind != EvntKind::GadgetUp || !control) continue;
      if (*control == Control::Cancel) return DialogEnd::Cancel;
      if (*control != Control::Ok)
        onControl(*control);
      else if (okAccepted())
        return DialogEnd::Ok;
    }
  }
}

// The font button: a font requester from the dialog's name and size.
void AskDialogFont() {
  DialogContent content = Windows().DialogNow();
  const DialogField* name = content.Find(Control::CmdText);
  const DialogField* size = content.Find(Control::CmdNumber);
  FontChoice initial{name != nullptr ? name->text : "", size != nullptr ? size->value : 0, 0};
  std::optional<FontChoice> chosen = CurrentRequesters().FontRequest("Font?", initial);
  if (!chosen) return;
  Windows().SetDialogValues(
      {{Control::CmdText, "Strng", chosen->name, 0, ""}, {Control::CmdNumber, "Num", "", chosen->size, ""}});
}

DialogEnd NewCmdDialog(AGCmdKind kind, CmdParams& params, uint16_t& shown) {
  ShowGUIBusy(true);
  OpenNewCmdWndo(kind, params);
  DialogEnd end = RunDialog([] { return true; },
                            [](Control control) {
                              if (control == Control::FontButton) AskDialogFont();
                            });
  shown = GetEnabledNewCmdGadgs(kind, params);
  HideNewCmdWndo();
  ShowGUIBusy(false);
  return end;
}

DialogEnd NewLinkDialog(CmdParams& params) {
  ShowGUIBusy(true);
  OpenNewLinkWndo(params);
  DialogEnd end = RunDialog(
      [&] {
        GetEnabledNewLinkGadgs(params);
        if (params.Num != static_cast<int32_t>(LinkOp::Link) || params.NodeRef) return true;
        ShowWarningS("LINK target should not be blank");
        return false;
      },
      [&](Control control) {
        if (control != Control::LinkOp) return;
        GetEnabledNewLinkGadgs(params);
        CustomizeLinkOpHints(static_cast<LinkOp>(params.Num));
      });
  GetEnabledNewLinkGadgs(params);
  HideNewLinkWndo();
  ShowGUIBusy(false);
  return end;
}

bool TabsNumeric(const std::optional<std::string>& tabs) {
  return tabs && !tabs->empty() && tabs->find_first_not_of("0123456789 \"") == std::string::npos;
}

DialogEnd NewAttrDialog(AGAttrKind kind, AttrParams& params, uint16_t& shown) {
  ShowGUIBusy(true);
  OpenNewAttrWndo(kind, params);
  DialogEnd end = RunDialog(
      [&] {
        GetEnabledNewAttrGadgs(kind, params);
        if (kind != AGAttrKind::SetTabs || TabsNumeric(params.Strng)) return true;
        ShowWarningS("SetTabs values must be all numeric");
        return false;
      },
      [](Control) {});
  shown = GetEnabledNewAttrGadgs(kind, params);
  HideNewAttrWndo();
  ShowGUIBusy(false);
  return end;
}

// ---- Argument lines ----

// Before each piece a blank, unless the line is empty.
void Piece(std::string& line, std::string_view text) {
  if (!line.empty()) line += ' ';
  line += text;
}
void Piece(std::string& line, int number) { Piece(line, std::to_string(number)); }
void Quoted(std::string& line, std::string_view value) { Piece(line, QuoteArg(value)); }
void Keyed(std::string& line, std::string_view keyword, std::string_view value) {
  Piece(line, keyword);
  Quoted(line, value);
}

void AppendCmdFields(std::string& line, const CmdParams& params, uint16_t shown) {
  if (shown & kNodeRefField) Keyed(line, "NodeRef", params.NodeRef.value_or(""));
  if (shown & kStrngField) Keyed(line, "Strng", params.Strng.value_or(""));
  if (shown & kStrng2Field) Keyed(line, "Strng2", params.Strng2.value_or(""));
  if (shown & kNumField) {
    Piece(line, "Num");
    Piece(line, params.Num);
  }
}

void RememberCmdParams(AGCmdKind kind, const CmdParams& params) {
  if (!GetCmdInfo(kind).Has(CmdModifier::NoDefaults)) CopyParams(params, DefaultCmdParams(kind));
}

EditorCmd NewCommandLine(EditorCmd cmd, int row, std::string& line) {
  bool global = cmd == EditorCmd::NewGbl;
  AGCmdKind kind = TranslateCmdTable(global ? CmdScope::Global : CmdScope::Local, row);
  CmdModSet mods = GetCmdInfo(kind);
  Keyed(line, "CmdName", GetCmdName(kind));
  if (mods.Has(CmdModifier::Switch)) return cmd;
  if (RefusedAsExisting(cmd, kind)) return EditorCmd::None;
  CmdParams params;
  CopyParams(DefaultCmdParams(kind), params);
  uint16_t shown = 0;
  if (NewCmdDialog(kind, params, shown) == DialogEnd::Cancel) return EditorCmd::None;
  AppendCmdFields(line, params, shown);
  RememberCmdParams(kind, params);
  return cmd;
}

// The dialog shows a command's values as they are typed: without the quotes
// they are written with, except where the kind keeps them verbatim.
void UnquoteForDialog(AGCmdKind kind, CmdParams& params) {
  if (GetCmdInfo(kind).Has(CmdModifier::Verbatim)) return;
  for (std::optional<std::string>* text : {&params.NodeRef, &params.Strng, &params.Strng2})
    if (*text) **text = UnquotedValue(**text);
}

EditorCmd EditCommandLine(EditorCmd cmd, int index, std::string& line) {
  AGCmd* found = cmd == EditorCmd::EditGbl ? FindGbl(index) : FindLcl(index);
  Assert(found != nullptr, "EditXXXCmd: NilAgCmd()");
  // A command without parameters has nothing to edit; the windows disable
  // the edit button and ignore double clicks for it.
  if (GetCmdInfo(found->kind).Has(CmdModifier::Switch)) return EditorCmd::None;
  CmdParams params;
  CopyParams(found->params, params);
  UnquoteForDialog(found->kind, params);
  uint16_t shown = 0;
  if (NewCmdDialog(found->kind, params, shown) == DialogEnd::Cancel) return EditorCmd::None;
  Piece(line, "CmdIndex");
  Piece(line, index);
  AppendCmdFields(line, params, shown);
  RememberCmdParams(found->kind, params);
  return cmd;
}

EditorCmd NewLinkLine(std::string& line) {
  Keyed(line, "CmdName", GetCmdName(AGCmdKind::Link));
  CmdParams params;
  InitEmptyParams(params);
  params.Num = DefaultCmdParams(AGCmdKind::Link).Num;
  if (NewLinkDialog(params) == DialogEnd::Cancel) return EditorCmd::None;
  Keyed(line, "LinkText", params.Strng.value_or(""));
  Piece(line, "Op");
  Piece(line, GetLinkOpName(static_cast<LinkOp>(params.Num)));
  Keyed(line, "NodeRef", params.NodeRef.value_or(""));
  DefaultCmdParams(AGCmdKind::Link).Num = params.Num;
  return EditorCmd::NewLink;
}

EditorCmd NewAttrLine(int row, std::string& line) {
  AGAttrKind kind = TranslateAttrTable(row);
  AttrModSet mods = GetAttrInfo(kind);
  Keyed(line, "AttrName", GetAttrName(kind));
  if (mods.Has(AttrModifier::AttrSwitch)) return EditorCmd::NewTextAttr;
  if (mods.Has(AttrModifier::AttrStyle) && AnySelectedText()) {
    Piece(line, "On");  // the attribute encloses the selection
    return EditorCmd::NewTextAttr;
  }
  AttrParams params;
  CopyAttrParams(DefaultAttrParams(kind), params);
  uint16_t shown = 0;
  if (NewAttrDialog(kind, params, shown) == DialogEnd::Cancel) return EditorCmd::None;
  if (shown & kColorField) Keyed(line, "Color", GetColorName(params.Color));
  if (shown & kOnOffField) {
    bool on = params.OnOff == AttrForm::On;
    Piece(line, on ? "On" : "Off");
    params.OnOff = on ? AttrForm::Off : AttrForm::On;  // the next dialog offers the other form
  }
  if (shown & kAttrNumField) {
    Piece(line, "Num");
    Piece(line, params.Num);
  }
  if (shown & kAttrTextField) Keyed(line, "Strng", params.Strng.value_or(""));
  CopyAttrParams(params, DefaultAttrParams(kind));
  return EditorCmd::NewTextAttr;
}

EditorCmd NodeTextLine(EditorCmd cmd, const CmdInput& in, std::string& line) {
  bool title = cmd == EditorCmd::EditNodeDescrip;
  std::string initial = title ? GetNodeTitle(in.nodePos) : std::string();
  std::optional<std::string> text = CurrentRequesters().TextRequest(
      "Folioteer", title ? "Node Title?" : "Node Name?", initial, kNodeTextMax);
  if (!text) return EditorCmd::None;
  if (!title) {
    Quoted(line, *text);
    Piece(line, in.nodePos);
    return cmd;
  }
  Piece(line, "NodePos");
  Piece(line, in.nodePos);
  Piece(line, *text);  // the rest of the line, as typed
  return cmd;
}

EditorCmd RequestedFileLine(std::string& line) {
  std::optional<std::string> name =
      CurrentRequesters().FileRequest("Folioteer", "#?.guide", FileRequestMode::Save);
  if (!name) return EditorCmd::None;
  Quoted(line, *name);
  return EditorCmd::SaveAs;
}

EditorCmd RequestedFontLine(std::string& line) {
  const EditorFont& font = Editor().editorFont;
  std::optional<FontChoice> chosen =
      CurrentRequesters().FontRequest("Editor Font", FontChoice{font.name, font.size, font.style});
  if (!chosen) return EditorCmd::None;
  Quoted(line, chosen->name);
  Piece(line, chosen->size);
  return EditorCmd::SetEdFont;
}

}  // namespace

bool RefusedAsExisting(EditorCmd cmd, AGCmdKind kind) {
  if (!GetCmdInfo(kind).Has(CmdModifier::Unique)) return false;
  NodeEntry* editing = Editor().editingNode;
  List scope = cmd == EditorCmd::NewGbl ? GetGlobalCmdsList(GetDocument(Editor().guideFile))
                                        : (editing != nullptr ? editing->node->subcmds : NilList());
  if (CheckForExisting(kind, scope) == nullptr) return false;
  ShowWarningS("Command already exists");
  return true;
}

EditorCmd BuildArgLine(const CmdInput& in, std::string& line) {
  switch (in.cmd) {
    case EditorCmd::NewNode:
    case EditorCmd::EditNodeDescrip: return NodeTextLine(in.cmd, in, line);
    case EditorCmd::DelNode:
    case EditorCmd::NodeUp:
    case EditorCmd::NodeDown: Piece(line, in.nodePos); break;
    case EditorCmd::ShowNode:
      Piece(line, "NodePos");
      Piece(line, in.nodePos);
      break;
    case EditorCmd::NewGbl: return NewCommandLine(in.cmd, in.globalIdx, line);
    case EditorCmd::NewLcl: return NewCommandLine(in.cmd, in.localIdx, line);
    case EditorCmd::EditGbl: return EditCommandLine(in.cmd, in.globalIdx, line);
    case EditorCmd::EditLcl: return EditCommandLine(in.cmd, in.localIdx, line);
    case EditorCmd::DelGbl:
    case EditorCmd::DelLcl:
      Piece(line, "CmdIndex");
      Piece(line, in.cmd == EditorCmd::DelGbl ? in.globalIdx : in.localIdx);
      break;
    case EditorCmd::DispNode:
      Assert(Editor().editingNode != nullptr, "AGPreviewNodeCmd but no edit node open");
      break;
    case EditorCmd::NewLink: return NewLinkLine(line);
    case EditorCmd::NewTextAttr: return NewAttrLine(in.attrRow, line);
    case EditorCmd::SaveAs: return RequestedFileLine(line);
    case EditorCmd::SetEdFont: return RequestedFontLine(line);
    default:
      if (!in.word.empty()) Piece(line, QuoteArgIfNeeded(in.word));
      break;
  }
  return in.cmd;
}

}  // namespace folioteer
