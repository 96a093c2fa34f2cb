#include "ui/windows.h"

#include <atomic>
#include <limits>

#include "guide/format.h"
#include "guide/syntax.h"
#include "nodes/edit_box.h"
#include "nodes/node_ops.h"
#include "nodes/node_view.h"
#include "preview/preview.h"
#include "spell/spell_check.h"
#include "spell/word_delimiters.h"
#include "support/assert.h"
#include "support/channels.h"
#include "support/file_names.h"
#include "support/requesters.h"
#include "support/text_lines.h"
#include "ui/headless_windows.h"
#include "ui/monitor.h"

namespace folioteer {
namespace {

WindowSystem* installed = nullptr;
// Written by the program task only; the monitor task reads it in its turns.
std::atomic<Wndo> windowSet[kNumWindows];

// The window's record, made when it does not exist yet.
Wndo EnsureMyWndo(WindowId window, std::string_view title) {
  Wndo wndo = WindowWndo(window);
  return wndo != NullWndo() ? wndo : MakeMyWndo(window, title);
}

void OpenMy(WindowId window, std::string_view title) {
  Wndo wndo = EnsureMyWndo(window, title);
  if (!IsWndoOpen(wndo) && !IsWndoIconified(wndo)) OpenWndo(wndo);
}

void CloseMy(WindowId window) {
  Wndo wndo = WindowWndo(window);
  if (wndo != NullWndo()) CloseWndo(wndo);
}

void TitleMy(WindowId window, std::string_view title) {
  Windows().SetWindowTitle(window, title);
  if (Wndo wndo = WindowWndo(window); wndo != NullWndo()) SetWndoTitle(wndo, title);
}

std::string Rendered(const AGCmd* cmd) {
  std::string text;
  BuildCmd(cmd, text);
  return text;
}

std::vector<std::string> LocalRows(const AGCmd* node) {
  std::vector<std::string> rows;
  ScanLocalCmds(const_cast<AGCmd*>(node), [&](AGCmd* cmd) {
    if (cmd->kind != AGCmdKind::EndNode) rows.push_back(Rendered(cmd));
    return true;
  });
  return rows;
}

// The document keeps the guide's bytes but not their character set, which
// only the whole file tells; a new file is empty, and so ISO-8859-1.
Charset GuideFileCharset() {
  std::string name, bytes;
  InquireAGFileName(Editor().guideFile, name);
  if (ReadRegularFile(name, std::numeric_limits<size_t>::max(), bytes) != 0) return Charset::Latin1;
  return DetectCharset(bytes);
}

std::vector<std::string> MacroNames() {
  std::vector<std::string> names;
  ScanGlobalCmds(GetDocument(Editor().guideFile), [&](AGCmd* cmd) {
    if (cmd->kind == AGCmdKind::Macro) names.push_back(UnquotedValue(cmd->params.Strng.value_or("")));
    return true;
  });
  return names;
}

std::string JoinedText(TextBlock block) {
  std::string text;
  ResetBlockRead(block);
  const std::string* line = nullptr;
  bool first = true;
  while (NextBlockLineRef(block, line)) {
    if (!first) text += '\n';
    text += *line;
    first = false;
  }
  return text;
}

// The window operations as the modules below see them.
class WindowViews final : public NodeView, public EditBox, public PreviewWindow, public SpellChkDisplay {
 public:
  void AddNodeToListing(int position, std::string_view name) override {
    folioteer::AddNodeToListing(position, name);
  }
  void UnListNode(int position) override { folioteer::UnListNode(position); }
  void MoveNodeOnGadgInfo(int position, int delta) override {
    folioteer::MoveNodeOnGadgInfo(position, delta);
  }
  void SelectNodeRow(int position) override { SetListSelectedIdx(ListId::Nodes, position); }
  void AddGblToListing(std::string_view text) override { folioteer::AddGblToListing(text); }
  void UnListGbl(int index) override { folioteer::UnListGbl(index); }
  void RefreshGblListing(int index, const AGCmd* cmd) override { folioteer::RefreshGblListing(index, cmd); }
  void AddLclToListing(std::string_view text) override { folioteer::AddLclToListing(text); }
  void UnListLcl(int index) override { folioteer::UnListLcl(index); }
  void RefreshLclListing(NodeEntry* entry, int index, const AGCmd* cmd) override {
    folioteer::RefreshLclListing(entry, index, cmd);
  }
  void ShowNodeTextIdx(int position) override { folioteer::ShowNodeTextIdx(position); }
  void ShowTitle(NodeEntry* entry) override { folioteer::ShowTitle(entry); }
  void AsgNavLabel(NavDirection direction, NavState state, std::string_view label) override {
    folioteer::AsgNavLabel(direction, state, label);
  }

  void GetEditedText(std::string& text) override { folioteer::GetEditedText(text); }
  void InsertIntoEditedText(std::string_view text) override { folioteer::InsertIntoEditedText(text); }
  bool AnySelectedText() override { return folioteer::AnySelectedText(); }
  bool GetSelectedText(std::string& text) override { return folioteer::GetSelectedText(text); }
  bool GetSelectedBlock(int& firstLine, int& firstColumn, int& lastLine, int& lastColumn) override {
    return folioteer::GetSelectedBlock(firstLine, firstColumn, lastLine, lastColumn);
  }
  void SelectBlock(int firstLine, int firstColumn, int lastLine, int lastColumn) override {
    folioteer::SelectBlock(firstLine, firstColumn, lastLine, lastColumn);
  }
  void ReplaceSelectedText(std::string_view text) override { folioteer::ReplaceSelectedText(text); }

  void ShowPreview(std::string_view guideFile, std::string_view title) override {
    Windows().ShowPreview(guideFile, title);
    OpenMy(WindowId::Preview, title);
    TitleMy(WindowId::Preview, title);
  }
  void ClosePreview() override {
    Windows().ClosePreview();
    CloseMy(WindowId::Preview);
  }

  void ShowGUIBusy(bool busy) override { folioteer::ShowGUIBusy(busy); }
  void ProgressStart(std::string_view title, int64_t total) override {
    Windows().ProgressStart(title, total);
  }
  void ProgressAdvance(int64_t amount) override { Windows().ProgressAdvance(amount); }
  void ProgressEnd() override { Windows().ProgressEnd(); }
};

}  // namespace

size_t TextOffset(std::string_view text, TextPos pos) {
  size_t offset = 0;
  for (int line = 0; line < pos.line; ++line) {
    size_t end = text.find('\n', offset);
    if (end == std::string_view::npos) return text.size();
    offset = end + 1;
  }
  size_t lineEnd = std::min(text.find('\n', offset), text.size());
  return std::min(lineEnd, offset + static_cast<size_t>(std::max(pos.column, 0)));
}

WindowSystem& Windows() { return installed != nullptr ? *installed : DefaultHeadlessWindows(); }
void InstallWindowSystem(WindowSystem* windows) { installed = windows; }

void InstallWindowViews() {
  static WindowViews views;
  InstallNodeView(&views);
  InstallEditBox(&views);
  InstallPreviewWindow(&views);
  InstallSpellChkDisplay(&views);
}

Wndo WindowWndo(WindowId window) { return windowSet[static_cast<int>(window)].load(); }

std::optional<WindowId> FindWindowId(Wndo window) {
  for (int id = 0; id < kNumWindows; ++id)
    if (window != NullWndo() && windowSet[id].load() == window) return static_cast<WindowId>(id);
  return std::nullopt;
}

Wndo MakeMyWndo(WindowId window, std::string_view title) {
  Wndo old = WindowWndo(window);
  windowSet[static_cast<int>(window)] = NullWndo();
  DisposeWndo(old);
  WndoModSet modifiers = window == WindowId::Dialog ? 0 : kWndoHelpKey;
  Wndo made = NewWndo(title, kUnsetSize, kUnsetSize, modifiers);
  windowSet[static_cast<int>(window)] = made;
  return made;
}

bool IsMyWndoOpen(WindowId window) { return IsWndoOpen(WindowWndo(window)); }
bool IsMyWndoIconified(WindowId window) { return IsWndoIconified(WindowWndo(window)); }

void DisposeMyWndos() {
  for (std::atomic<Wndo>& slot : windowSet) {
    Wndo wndo = slot.exchange(NullWndo());
    if (wndo != NullWndo() && WindowToolkitStarted()) DisposeWndo(wndo);
  }
}

void OpenMyWndo() {
  EditorState& editor = Editor();
  Windows().SetGuideCharset(GuideFileCharset());
  std::vector<std::string> globals, names;
  ScanGlobalCmds(GetDocument(editor.guideFile), [&](AGCmd* cmd) {
    globals.push_back(Rendered(cmd));
    return true;
  });
  Windows().SetRows(ListId::Global, std::move(globals));
  ResetNodeReader(NodeReaderMode::Read);
  for (NodeEntry* entry = ReadNextNode(); entry != nullptr; entry = ReadNextNode())
    names.push_back(entry->name);
  Windows().SetRows(ListId::Nodes, std::move(names));
  SetHelpHints(editor.helpHints);
  EnsureMyWndo(WindowId::Main, "Folioteer");
  TitleMainWndo();
  OpenMy(WindowId::Main, "Folioteer");
  const std::pair<MenuItem, bool> toggles[] = {{MenuItem::MakeIcons, editor.makeIcons},
                                               {MenuItem::AutoPreview, editor.autoPreview},
                                               {MenuItem::UseTab, editor.useTabAttr},
                                               {MenuItem::HelpHints, editor.helpHints},
                                               {MenuItem::SpellCheck, editor.spellCheck}};
  for (auto [item, on] : toggles) Windows().SetMenuCheck(item, on);
}

void TitleMainWndo() {
  std::string name;
  InquireAGFileName(Editor().guideFile, name);
  std::string title = "Folioteer - " + name;
  if (!MayWriteFile(name)) title += " (read-only)";
  TitleMy(WindowId::Main, title);
}

void ShowEditWin() { OpenMy(WindowId::Edit, "EditBox"); }
void HideEditWin() { CloseMy(WindowId::Edit); }

void SetFontEditWin() {
  if (!Windows().SetEditorFont(Editor().editorFont)) ShowWarningS("unable to access editor font");
}

void IconifyMyWndo() {
  Wndo main = WindowWndo(WindowId::Main);
  if (IsWndoOpen(main)) IconifyWndo(main);
}

void UniconifyMyWndo() {
  Wndo main = WindowWndo(WindowId::Main);
  if (IsWndoIconified(main)) UniconifyWndo(main);
}
void ShowGUIBusy(bool busy) { Windows().SetBusy(busy); }
void SetHelpHints(bool on) { Windows().SetHelpHintsShown(on); }

void ReflectPgmStatusGUI() {
  const EditorState& editor = Editor();
  WindowSystem& windows = Windows();
  bool global = editor.Status(kGlobalSelected);
  windows.SetEnabled(Control::EditGlobal, global && !editor.Status(kGlobalKindFlag));
  windows.SetEnabled(Control::DeleteGlobal, global);
  windows.SetEnabled(Control::AddGlobal, true);
  int row = windows.SelectedRow(ListId::Nodes);
  bool node = editor.Status(kNodeSelected) && !editor.Status(kMainSelected) && row > 0;
  windows.SetEnabled(Control::NodeUp, node && row != 1);
  windows.SetEnabled(Control::NodeDown, node && row != windows.RowCount(ListId::Nodes) - 1);
  windows.SetEnabled(Control::Retitle, node);
  windows.SetEnabled(Control::DeleteNode, node);
  bool local = editor.Status(kLocalSelected);
  windows.SetEnabled(Control::EditLocal, local && !editor.Status(kLocalKindFlag));
  windows.SetEnabled(Control::DeleteLocal, local);
  windows.SetEnabled(Control::AddWord, editor.Status(kMisspellingShown));
  windows.SetEnabled(Control::Ignore, editor.Status(kMisspellingShown));
}

void AddNodeToListing(int position, std::string_view text) {
  Windows().InsertRow(ListId::Nodes, position, text);
}
void UnListNode(int position) { Windows().RemoveRow(ListId::Nodes, position); }

void MoveNodeOnGadgInfo(int position, int delta) {
  WindowSystem& windows = Windows();
  int other = position + delta;
  if (position < 0 || other < 0 || other >= windows.RowCount(ListId::Nodes)) return;
  bool selected = windows.SelectedRow(ListId::Nodes) == position;
  windows.SwapRows(ListId::Nodes, position, other);
  if (selected) windows.SelectRow(ListId::Nodes, other);
}

void AddGblToListing(std::string_view text) { Windows().InsertRow(ListId::Global, -1, text); }
void UnListGbl(int index) { Windows().RemoveRow(ListId::Global, index); }
void RefreshGblListing(int index, const AGCmd* cmd) {
  Windows().ReplaceRow(ListId::Global, index, Rendered(cmd));
}
void AddLclToListing(std::string_view text) { Windows().InsertRow(ListId::Local, -1, text); }
void UnListLcl(int index) { Windows().RemoveRow(ListId::Local, index); }

void RefreshLclListing(NodeEntry* entry, int index, const AGCmd* cmd) {
  if (entry == Editor().editingNode) Windows().ReplaceRow(ListId::Local, index, Rendered(cmd));
}

void SetListSelectedIdx(ListId list, int position) { Windows().SelectRow(list, position); }
int GetListSelectedIdx(ListId list) { return Windows().SelectedRow(list); }
int NumItems(ListId list) { return Windows().RowCount(list); }

NodeEntry* GetSelectedNode() {
  EditorState& editor = Editor();
  int row = Windows().SelectedRow(ListId::Nodes);
  NodeEntry* entry = FindNodeByIdx(row);
  editor.SetStatus(kNodeSelected, entry != nullptr);
  editor.SetStatus(kMainSelected, entry != nullptr && row == 0);
  return entry;
}

std::string GetGadgText(ListId list) {
  int row = Windows().SelectedRow(list);
  return row < 0 ? std::string() : Windows().RowText(list, row);
}

std::vector<std::string> PopupRows(CmdScope scope) {
  CmdModifier member = scope == CmdScope::Global ? CmdModifier::Global : CmdModifier::Local;
  std::vector<std::string> rows;
  for (int kind = 0; kind < kNumCmdKinds - 1; ++kind)
    if (GetCmdInfo(static_cast<AGCmdKind>(kind)).Has(member))
      rows.push_back(GetCmdName(static_cast<AGCmdKind>(kind)));
  return rows;
}

std::vector<std::string> AttrPopupRows() {
  std::vector<std::string> rows;
  for (int kind = 0; kind < kNumAttrKinds - 1; ++kind)
    rows.push_back(GetAttrName(static_cast<AGAttrKind>(kind)));
  return rows;
}

AGCmdKind TranslateCmdTable(CmdScope scope, int row) {
  std::vector<std::string> rows = PopupRows(scope);
  Assert(row >= 0 && row < static_cast<int>(rows.size()), "not found in TranslateCmdTable");
  return MatchCommand(rows[row]);
}

AGAttrKind TranslateAttrTable(int row) {
  Assert(row >= 0 && row < kNumAttrKinds - 1, "not found in TranslateAttrTable");
  return static_cast<AGAttrKind>(row);
}

void GetEditedText(std::string& text) { text = Windows().EditText(); }
void InsertIntoEditedText(std::string_view text) { Windows().InsertAtCursor(text); }

bool AnySelectedText() {
  TextPos first, last;
  return Windows().Selection(first, last) && !(first == last);
}

bool GetSelectedText(std::string& text) {
  TextPos first, last;
  if (!Windows().Selection(first, last)) return false;
  std::string all = Windows().EditText();
  size_t from = TextOffset(all, first), to = TextOffset(all, last);
  text = to > from ? all.substr(from, to - from) : std::string();
  return true;
}

void ReplaceSelectedText(std::string_view text) { Windows().ReplaceSelection(text); }

bool GetSelectedBlock(int& firstLine, int& firstColumn, int& lastLine, int& lastColumn) {
  TextPos first, last;
  if (!Windows().Selection(first, last)) return false;
  firstLine = first.line;
  firstColumn = first.column;
  lastLine = last.line;
  lastColumn = last.column;
  return true;
}

void SelectBlock(int firstLine, int firstColumn, int lastLine, int lastColumn) {
  Windows().Select({firstLine, firstColumn}, {lastLine, lastColumn});
}

void ShowNodeText(NodeEntry* entry) {
  if (entry == nullptr) return;
  ShowEditWin();
  ShowTitle(entry);
  Windows().SetRows(ListId::Local, LocalRows(entry->node));
  Windows().SetMarkupMacros(MacroNames());
  Windows().SetEditText(JoinedText(entry->node->block));
  ShowNavigationLabel(entry, AGCmdKind::Next);
  ShowNavigationLabel(entry, AGCmdKind::Prev);
  Editor().editingNode = entry;
}

void ShowNodeTextIdx(int position) {
  NodeEntry* entry = FindNodeByIdx(position);
  if (entry != nullptr && entry != Editor().editingNode) ShowNodeText(entry);
}

void ShowTitle(NodeEntry* entry) {
  std::string title =
      std::string(NodeNameView(entry->node)) + " - " + UnquotedValue(entry->node->params.Strng2.value_or(""));
  TitleMy(WindowId::Edit, title);
}

void AsgNavLabel(NavDirection direction, NavState state, std::string_view label) {
  switch (state) {
    case NavState::None: Windows().SetNavLabel(direction, "<unset>", false); break;
    case NavState::Empty: Windows().SetNavLabel(direction, "<blank>", false); break;
    case NavState::Found: Windows().SetNavLabel(direction, label, false); break;
    case NavState::Missing: Windows().SetNavLabel(direction, label, true); break;
    default: AssertFail("Unresolved navigation node?");
  }
}

void CheckUncheckItem(MenuItem item, bool checked) { Windows().SetMenuCheck(item, checked); }
bool GetItemState(MenuItem item) { return Windows().MenuCheck(item); }

void ShowSpellWin(NodeEntry* entry) {
  OpenMy(WindowId::Spell, "Misspells");
  PopulateMisspells(entry != nullptr ? entry->misspellings : NilList());
}

void HideSpellWin() { CloseMy(WindowId::Spell); }

void PopulateMisspells(List words) {
  std::vector<std::string> rows;
  if (words != NilList()) {
    ListSetReadMode(words);
    void* item = nullptr;
    for (ListRead(words, item); ListOpDone(words); ListRead(words, item))
      rows.push_back(static_cast<MisspelledWord*>(item)->word);
  }
  Windows().SetRows(ListId::Misspells, std::move(rows));
}

// The word is sought among the words as the spell check cuts them, so that
// one it listed without its quotes ('quoted') is found as well.
// A word that is not there selects nothing: an old selection goes.
void ShowMisspell(NodeEntry*, std::string_view word) {
  std::string text = Windows().EditText();
  std::vector<std::string_view> lines = SplitLines(text);
  for (size_t line = 0; line < lines.size(); ++line) {
    for (std::string_view found : SpellWords(lines[line])) {
      if (found != word) continue;
      int number = static_cast<int>(line);
      int column = static_cast<int>(found.data() - lines[line].data());
      SelectBlock(number, column, number, column + static_cast<int>(found.size()));
      return;
    }
  }
  TextPos first, last;
  if (Windows().Selection(first, last)) Windows().Select(last, last);
}

}  // namespace folioteer
