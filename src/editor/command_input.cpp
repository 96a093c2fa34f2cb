#include "editor/command_input.h"

#include "editor/command_arguments.h"
#include "editor/command_table.h"
#include "guide/syntax.h"
#include "nodes/node_ops.h"
#include "nodes/node_registry.h"
#include "state/editor_state.h"
#include "support/enum_table.h"
#include "ui/monitor.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

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
    {MenuItem::AutoIndex, EditorCmd::None},        {MenuItem::ExportHtml, EditorCmd::ExpHtml},
    {MenuItem::ExportRtf, EditorCmd::ExpRtf},
};
// clang-format on
static_assert(RowsFollowEnum(kMenuCmds, &MenuCmdRow::item, kNumMenuItems));

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
  int local = GetListSelectedIdx(ListId::Local);
  switch (control) {
    case Control::LocalList: CommandRowChosen(ListId::Local, in.localIdx); return EditorCmd::None;
    case Control::AddLocal:
      in.localIdx = Windows().PopupRow(control);
      return in.localIdx >= 0 ? EditorCmd::NewLcl : EditorCmd::None;
    case Control::EditLocal: in.localIdx = local; return local >= 0 ? EditorCmd::EditLcl : EditorCmd::None;
    case Control::DeleteLocal:
      if (local < 0) return EditorCmd::None;
      in.localIdx = local;
      Editor().SetStatus(kLocalSelected, false);
      return EditorCmd::DelLcl;
    case Control::Show: return EditorCmd::DispNode;
    case Control::Link: return EditorCmd::NewLink;
    case Control::AttrPopup:
      in.attrRow = Windows().PopupRow(control);
      return in.attrRow >= 0 ? EditorCmd::NewTextAttr : EditorCmd::None;
    case Control::Next: return Navigate(NavDirection::Next, in);
    case Control::Prev: return Navigate(NavDirection::Prev, in);
    case Control::Undo: return EditorCmd::CancelEdit;
    default: return EditorCmd::None;
  }
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
