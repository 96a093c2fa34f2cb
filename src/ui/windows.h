// The editor's windows as the program sees them.
//
// The rest of the program talks to its windows only through the window
// operations declared here (AddNodeToListing, ShowNodeText, GetEditedText,
// ReflectPgmStatusGUI, ...). What each operation means is decided here, once;
// the operations act on a WindowSystem, the small set of display primitives
// (rows of a list, the edit box, labels, titles, enabled controls, menu check
// marks, a progress gauge) of which there are two implementations: the Qt
// windows and a headless one that keeps the same state in memory.
//
// The modules below the windows reach them through small interfaces of their
// own (NodeView and EditBox of the node operations, PreviewWindow,
// SpellChkDisplay); InstallWindowViews installs this layer's implementation
// of all of them, at start-up.
//
// Columns in the edit box count bytes of the node text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "containers/ordered_list.h"
#include "guide/records.h"
#include "nodes/node_registry.h"
#include "state/editor_state.h"

namespace folioteer {

enum class ListId : uint8_t { Global = 0, Nodes = 1, Local = 2, Misspells = 3 };
inline constexpr int kNumLists = 4;
static_assert(kNumLists == static_cast<int>(ListId::Misspells) + 1);

enum class WindowId : uint8_t { Main, Edit, Spell };
inline constexpr int kNumWindows = 3;
static_assert(kNumWindows == static_cast<int>(WindowId::Spell) + 1);

// The commands a pop-up offers: the global or the node-local ones.
enum class CmdScope : uint8_t { Global, Local };

// clang-format off
enum class Control : uint8_t {
  AddGlobal, EditGlobal, DeleteGlobal, NodeUp, NodeDown, NewNode, Retitle, DeleteNode,
  AddLocal, EditLocal, DeleteLocal, Show, AttrPopup, Link, Undo, Next, Prev, Ignore, AddWord
};
// clang-format on
inline constexpr int kNumControls = 19;
static_assert(kNumControls == static_cast<int>(Control::AddWord) + 1);

// clang-format off
enum class MenuItem : uint8_t {
  Save, SaveAs, About, Help, Quit, SaveSettings, MakeIcons, AutoPreview, UseTab, HelpHints,
  EditorFontItem, SpellCheck, AutoIndex, ExportHtml, ExportRtf
};
// clang-format on
inline constexpr int kNumMenuItems = 15;
static_assert(kNumMenuItems == static_cast<int>(MenuItem::ExportRtf) + 1);

struct TextPos {
  int line = 0;
  int column = 0;
  friend bool operator==(TextPos, TextPos) = default;
};

// The byte offset in a text (lines separated by LF) of a line and column;
// a column past its line's end stands at that end.
size_t TextOffset(std::string_view text, TextPos pos);

// The display primitives.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual void OpenWindow(WindowId window) = 0;
  virtual void CloseWindow(WindowId window) = 0;
  virtual bool IsWindowOpen(WindowId window) = 0;
  virtual void SetWindowTitle(WindowId window, std::string_view title) = 0;
  virtual void SetIconified(bool iconified) = 0;

  virtual void SetRows(ListId list, std::vector<std::string> rows) = 0;
  virtual void InsertRow(ListId list, int position, std::string_view text) = 0;  // -1: append
  virtual void RemoveRow(ListId list, int position) = 0;
  virtual void ReplaceRow(ListId list, int position, std::string_view text) = 0;
  virtual void SwapRows(ListId list, int first, int second) = 0;
  virtual int RowCount(ListId list) = 0;
  virtual void SelectRow(ListId list, int position) = 0;  // -1: none
  virtual int SelectedRow(ListId list) = 0;

  virtual std::string EditText() = 0;  // lines separated by LF
  virtual void SetEditText(std::string_view text) = 0;
  virtual void InsertAtCursor(std::string_view text) = 0;
  virtual bool Selection(TextPos& first, TextPos& last) = 0;  // FALSE: nothing selected
  virtual void Select(TextPos first, TextPos last) = 0;
  virtual void ReplaceSelection(std::string_view text) = 0;

  virtual void SetNavLabel(NavDirection direction, std::string_view text, bool pointsNowhere) = 0;
  virtual void SetEnabled(Control control, bool enabled) = 0;
  virtual void SetBusy(bool busy) = 0;
  virtual void SetHelpHintsShown(bool shown) = 0;
  virtual bool SetEditorFont(const EditorFont& font) = 0;  // FALSE: the font cannot be had
  virtual void SetMenuCheck(MenuItem item, bool checked) = 0;
  virtual bool MenuCheck(MenuItem item) = 0;

  // The formatted display of a guide file, and the screen the windows open on.
  virtual void ShowPreview(std::string_view guideFile, std::string_view title) = 0;
  virtual void ClosePreview() = 0;
  // Holds the named screen, or the default one when the name is empty or
  // not found (found: FALSE); heldName is the screen's name. FALSE as the
  // result only when no screen at all can be had.
  virtual bool HoldScreen(std::string_view name, bool& found, std::string& heldName) = 0;
  virtual void DropScreen() = 0;
  virtual EditorFont SystemFont() = 0;

  virtual void ProgressStart(std::string_view title, int64_t total) = 0;
  virtual void ProgressAdvance(int64_t amount) = 0;
  virtual void ProgressEnd() = 0;
};

WindowSystem& Windows();
// Installs an implementation; nullptr reinstalls the headless default.
void InstallWindowSystem(WindowSystem* windows);
// Installs the window operations as the NodeView, EditBox, PreviewWindow and
// SpellChkDisplay of the modules below; they act on Windows(), whichever
// implementation is installed.
void InstallWindowViews();

// Window life. OpenMyWndo lists the global commands and the nodes of the
// registry (built before) and opens the main window.
void OpenMyWndo();
void TitleMainWndo();
void ShowEditWin();
void HideEditWin();
void SetFontEditWin();
void IconifyMyWndo();
void UniconifyMyWndo();
void ShowGUIBusy(bool busy);
void SetHelpHints(bool on);
void ReflectPgmStatusGUI();

// Lists.
void AddNodeToListing(int position, std::string_view text);
void UnListNode(int position);
void MoveNodeOnGadgInfo(int position, int delta);
void AddGblToListing(std::string_view text);
void UnListGbl(int index);
void RefreshGblListing(int index, const AGCmd* cmd);
void AddLclToListing(std::string_view text);
void UnListLcl(int index);
void RefreshLclListing(NodeEntry* entry, int index, const AGCmd* cmd);
void SetListSelectedIdx(ListId list, int position);
int GetListSelectedIdx(ListId list);
// The entry of the selected node row; updates the node flags of ProgramStatus.
NodeEntry* GetSelectedNode();
// Selects a row as a click on it does: the selection flags of ProgramStatus
// follow, and the controls reflect them.
void SelectRowAsClicked(ListId list, int row);
int NumItems(ListId list);
// The command or attribute kind of a pop-up row (add-global, add-local, attributes).
AGCmdKind TranslateCmdTable(CmdScope scope, int row);
AGAttrKind TranslateAttrTable(int row);
std::vector<std::string> PopupRows(CmdScope scope);
std::vector<std::string> AttrPopupRows();

// The edit box.
void GetEditedText(std::string& text);
void InsertIntoEditedText(std::string_view text);
bool AnySelectedText();
bool GetSelectedText(std::string& text);
void ReplaceSelectedText(std::string_view text);
bool GetSelectedBlock(int& firstLine, int& firstColumn, int& lastLine, int& lastColumn);
void SelectBlock(int firstLine, int firstColumn, int lastLine, int lastColumn);

// Node display.
void ShowNodeText(NodeEntry* entry);
void ShowNodeTextIdx(int position);
void ShowTitle(NodeEntry* entry);
void AsgNavLabel(NavDirection direction, NavState state, std::string_view label);

// Menus.
void CheckUncheckItem(MenuItem item, bool checked);
bool GetItemState(MenuItem item);

// The spell window.
void ShowSpellWin(NodeEntry* entry);
void HideSpellWin();
void PopulateMisspells(List words);
void ShowMisspell(NodeEntry* entry, std::string_view word);

}  // namespace folioteer
