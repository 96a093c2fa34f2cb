#include "editor/command_input.h"

#include "editor/command_table.h"
#include "guide/format.h"
#include "guide/syntax.h"
#include "nodes/node_ops.h"
#include "nodes/node_registry.h"
#include "state/editor_state.h"
#include "support/arg_template.h"
#include "support/assert.h"
#include "support/requesters.h"
#include "ui/dialogs.h"
#include "ui/monitor.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

// What one call finds out before the argument line is built.
struct CmdInput {
  EditorCmd cmd = EditorCmd::None;
  int nodePos = -1;
  int globalIdx = -1;
  int localIdx = -1;
  int attrRow = -1;
  std::string word;
};

// ---- Events ----

struct MenuCmdRow {
  MenuItem item;
  EditorCmd cmd;
};
// clang-format off
constexpr MenuCmdRow kMenuCmds[] = {
    {MenuItem::Save, EditorCmd::Save},             {MenuItem::SaveAs, EditorCmd::SaveAs},
    {MenuItem::About, EditorCmd::About},           {MenuItem::Help, EditorCmd::Help},
    {MenuItem::Quit, EditorCmd::Quit},             {MenuItem::SaveSettings, EditorCmd::SaveSet},
    {MenuItem::MakeIcons, EditorCmd::Icons},       {MenuItem::AutoPreview, EditorCmd::AutoPrev},
    {MenuItem::UseTab, EditorCmd::TabAttr},        {MenuItem::HelpHints, EditorCmd::HlpHints},
    {MenuItem::EditorFontItem, EditorCmd::SetEdFont}, {MenuItem::SpellCheck, EditorCmd::SpellChk},
    {MenuItem::AutoIndex, EditorCmd::None},        {MenuItem::ExportHtml, EditorCmd::None},
    {MenuItem::ExportRtf, EditorCmd::ExpRtf},
};
// clang-format on

// A toggle item's word is its check mark after the pick.
EditorCmd MenuCmd(const WndoEvnt& evnt, CmdInput& in) {
  std::optional<MenuItem> item = MenuItemOfCode(evnt.code);
  if (!item) return EditorCmd::None;
  if (GetMenuRow(*item).kind == MenuKind::Toggle) in.word = GetItemState(*item) ? "On" : "Off";
  return kMenuCmds[static_cast<int>(*item)].cmd;
}

std::optional<Control> ControlOf(const WndoEvnt& evnt) { return GadgetControl(evnt.gadget); }

bool Is(const WndoEvnt& evnt, Control control) { return ControlOf(evnt) == control; }

// The row selected in a list of commands: the selection flags follow it.
void CommandRowChosen(ListId list, int& index) {
  bool global = list == ListId::Global;
  int row = GetListSelectedIdx(list);
  AGCmd* cmd = row < 0 ? nullptr : (global ? FindGbl(row) : FindLcl(row));
  if (cmd != nullptr) index = row;
  EditorState& editor = Editor();
  editor.SetStatus(global ? kGlobalSelected : kLocalSelected, cmd != nullptr);
  editor.SetStatus(global ? kGlobalKindFlag : kLocalKindFlag,
                   cmd != nullptr && GetCmdInfo(cmd->kind).Has(CmdModifier::Switch));
  ReflectPgmStatusGUI();
}

// "Next" and "Prev": the node that @next (@prev) names, or the neighbour in
// the node list when the node has none; nothing for a blank or missing name.
EditorCmd Navigate(NavDirection direction, CmdInput& in) {
  ResolveNodes();
  NodeEntry* editing = Editor().editingNode;
  if (editing == nullptr) return EditorCmd::None;
  bool next = direction == NavDirection::Next;
  NavState state = next ? editing->nextState : editing->prevState;
  NodeEntry* target = nullptr;
  if (state == NavState::None) {
    int position = FindNodeIdx(editing) + (next ? 1 : -1);
    if (position >= 0 && position < NodeCount()) target = FindNodeByIdx(position);
  } else if (state == NavState::Found) {
    target = next ? editing->nextTarget : editing->prevTarget;
  }
  if (target == nullptr) return EditorCmd::None;
  in.nodePos = FindNodeIdx(target);
  SetListSelectedIdx(ListId::Nodes, in.nodePos);
  GetSelectedNode();
  return EditorCmd::ShowNode;
}

int SelectedNodeRow() { return GetSelectedNode() != nullptr ? GetListSelectedIdx(ListId::Nodes) : -1; }

EditorCmd EditGadgetUp(Control control, CmdInput& in) {
  EditorState& editor = Editor();
  int local = GetListSelectedIdx(ListId::Local);
  switch (control) {
    case Control::LocalList: CommandRowChosen(ListId::Local, in.localIdx); return EditorCmd::None;
    case Control::AddLocal: in.localIdx = Windows().PopupRow(control); break;
    case Control::EditLocal: in.localIdx = local; return local >= 0 ? EditorCmd::EditLcl : EditorCmd::None;
    case Control::DeleteLocal:
      if (local < 0) return EditorCmd::None;
      in.localIdx = local;
      editor.SetStatus(kLocalSelected, false);
      return EditorCmd::DelLcl;
    case Control::Show: return EditorCmd::DispNode;
    case Control::Link: return EditorCmd::NewLink;
    case Control::AttrPopup: in.attrRow = Windows().PopupRow(control); break;
    case Control::Next: return Navigate(NavDirection::Next, in);
    case Control::Prev: return Navigate(NavDirection::Prev, in);
    case Control::Undo: return EditorCmd::CancelEdit;
    default: return EditorCmd::None;
  }
  if (control == Control::AddLocal) return in.localIdx >= 0 ? EditorCmd::NewLcl : EditorCmd::None;
  return in.attrRow >= 0 ? EditorCmd::NewTextAttr : EditorCmd::None;
}

EditorCmd EditEvent(const WndoEvnt& evnt, CmdInput& in) {
  switch (evnt.kind) {
    case EvntKind::CloseWindow: return EditorCmd::Quit;
    case EvntKind::HelpKey: return EditorCmd::Help;
    case EvntKind::MenuPick: return MenuCmd(evnt, in);
    case EvntKind::ListDoubleClick: {
      int row = GetListSelectedIdx(ListId::Local);
      if (!Is(evnt, Control::LocalList) || row < 0 || Editor().Status(kLocalKindFlag)) return EditorCmd::None;
      in.localIdx = row;
      return EditorCmd::EditLcl;
    }
    case EvntKind::GadgetUp: break;
    default: return EditorCmd::None;
  }
  in.nodePos = SelectedNodeRow();
  EditorCmd cmd = ControlOf(evnt) ? EditGadgetUp(*ControlOf(evnt), in) : EditorCmd::None;
  Editor().SetStatus(kMainSelected, in.nodePos == 0);
  return cmd;
}

EditorCmd MainGadgetUp(Control control, CmdInput& in) {
  EditorState& editor = Editor();
  int global = GetListSelectedIdx(ListId::Global);
  switch (control) {
    case Control::NodeList: return in.nodePos >= 0 ? EditorCmd::ShowNode : EditorCmd::None;
    case Control::GlobalList: CommandRowChosen(ListId::Global, in.globalIdx); return EditorCmd::None;
    case Control::NodeUp: return in.nodePos > 1 ? EditorCmd::NodeUp : EditorCmd::None;
    case Control::NodeDown:
      return in.nodePos >= 1 && in.nodePos <= NodeCount() - 2 ? EditorCmd::NodeDown : EditorCmd::None;
    case Control::NewNode: return EditorCmd::NewNode;
    case Control::Retitle: return in.nodePos > 0 ? EditorCmd::EditNodeDescrip : EditorCmd::None;
    case Control::DeleteNode: return in.nodePos > 0 ? EditorCmd::DelNode : EditorCmd::None;
    case Control::AddGlobal:
      in.globalIdx = Windows().PopupRow(control);
      return in.globalIdx >= 0 ? EditorCmd::NewGbl : EditorCmd::None;
    case Control::EditGlobal:
      in.globalIdx = global;
      return global >= 0 ? EditorCmd::EditGbl : EditorCmd::None;
    case Control::DeleteGlobal:
      if (global <= 0) return EditorCmd::None;
      in.globalIdx = global;
      editor.SetStatus(kGlobalSelected, false);
      editor.SetStatus(kGlobalKindFlag, false);
      return EditorCmd::DelGbl;
    default: return EditorCmd::None;
  }
}

EditorCmd MainEvent(const WndoEvnt& evnt, CmdInput& in) {
  switch (evnt.kind) {
    case EvntKind::CloseWindow: return EditorCmd::Quit;
    case EvntKind::HelpKey: return EditorCmd::Help;
    case EvntKind::MenuPick: return MenuCmd(evnt, in);
    case EvntKind::Iconify: in.word = "On"; return EditorCmd::Iconify;
    case EvntKind::Uniconify: in.word = "Off"; return EditorCmd::Iconify;
    case EvntKind::ListDoubleClick: {
      int row = GetListSelectedIdx(ListId::Global);
      if (!Is(evnt, Control::GlobalList) || row < 0 || Editor().Status(kGlobalKindFlag))
        return EditorCmd::None;
      in.globalIdx = row;
      return EditorCmd::EditGbl;
    }
    case EvntKind::GadgetUp: break;
    default: return EditorCmd::None;
  }
  ResolveNodes();
  in.nodePos = SelectedNodeRow();
  return ControlOf(evnt) ? MainGadgetUp(*ControlOf(evnt), in) : EditorCmd::None;
}

// The word of a spell window button or of the list: the chosen word.
EditorCmd SpellWordCmd(EditorCmd cmd, bool shown, CmdInput& in) {
  in.word = GetGadgText(ListId::Misspells);
  if (in.word.empty()) return EditorCmd::None;
  Editor().SetStatus(kMisspellingShown, shown);
  return cmd;
}

EditorCmd SpellEvent(const WndoEvnt& evnt, CmdInput& in) {
  switch (evnt.kind) {
    case EvntKind::CloseWindow:
      CheckUncheckItem(MenuItem::SpellCheck, false);
      in.word = "Off";
      return EditorCmd::SpellChk;
    case EvntKind::HelpKey: return EditorCmd::Help;
    case EvntKind::MenuPick: return MenuCmd(evnt, in);
    case EvntKind::GadgetUp: break;
    default: return EditorCmd::None;
  }
  if (Is(evnt, Control::Ignore)) return SpellWordCmd(EditorCmd::SpellIgnore, false, in);
  if (Is(evnt, Control::AddWord)) return SpellWordCmd(EditorCmd::SpellUserAdd, false, in);
  if (Is(evnt, Control::MisspellList)) return SpellWordCmd(EditorCmd::ShowMisspell, true, in);
  return EditorCmd::None;
}

EditorCmd PreviewEvent(const WndoEvnt& evnt, CmdInput& in) {
  switch (evnt.kind) {
    case EvntKind::CloseWindow: return EditorCmd::ViewOff;
    case EvntKind::HelpKey: return EditorCmd::Help;
    case EvntKind::MenuPick: return MenuCmd(evnt, in);
    default: return EditorCmd::None;
  }
}

// The sources in the order they are asked.
struct Source {
  WindowId window;
  EditorCmd (*handle)(const WndoEvnt& evnt, CmdInput& in);
};
constexpr Source kSources[] = {{WindowId::Edit, EditEvent},
                               {WindowId::Main, MainEvent},
                               {WindowId::Spell, SpellEvent},
                               {WindowId::Preview, PreviewEvent}};

bool TakeFromSources(CmdInput& in) {
  for (const Source& source : kSources) {
    Wndo window = WindowWndo(source.window);
    WndoEvnt evnt;
    while (window != NullWndo() && GetWndoEvnt(window, evnt)) {
      in = CmdInput{};
      in.cmd = source.handle(evnt, in);
      if (in.cmd != EditorCmd::None) return true;
    }
  }
  return false;
}

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
      std::optional<Control> control = ControlOf(evnt);
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
      [](Control control) {
        if (const DialogField* op = Windows().DialogNow().Find(Control::LinkOp);
            op && control == Control::LinkOp)
          CustomizeLinkOpHints(
              static_cast<LinkOp>(op->value >= 0 && op->value < kNumLinkOps ? op->value : 0));
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
  if (mods.Has(CmdModifier::Unique)) {
    NodeEntry* editing = Editor().editingNode;
    List scope = global ? GetGlobalCmdsList(GetDocument(Editor().guideFile))
                        : (editing != nullptr ? editing->node->subcmds : NilList());
    if (CheckForExisting(kind, scope) != nullptr) {
      ShowWarningS("Command already exists");
      return EditorCmd::None;
    }
  }
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

}  // namespace

bool PollCmd(EditorCmd& cmd, std::string& argLine) {
  argLine.clear();
  cmd = EditorCmd::None;
  if (TakeBreak()) {
    cmd = EditorCmd::Quit;
    return true;
  }
  CmdInput in;
  if (!TakeFromSources(in)) return false;
  cmd = BuildArgLine(in, argLine);
  if (cmd == EditorCmd::None) argLine.clear();
  return true;
}

EditorCmd NxtCmd(std::string& argLine) {
  EditorCmd cmd = EditorCmd::None;
  while (!PollCmd(cmd, argLine)) WaitWndoEvntTimed(AnyWndo(), kCmdWaitSeconds);
  return cmd;
}

}  // namespace folioteer
