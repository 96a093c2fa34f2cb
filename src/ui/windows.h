// The editor's windows as the program sees them.
//
// The rest of the program talks to its windows only through the window
// operations declared here (AddNodeToListing, ShowNodeText, GetEditedText,
// ReflectPgmStatusGUI, ...). What each operation means is decided here, once;
// the operations act on a WindowSystem, the small set of display primitives
// (rows of a list, the edit box, labels, titles, enabled controls, menu check
// marks, the content of the dialog window, a progress gauge) of which there
// are two implementations: the Qt windows and a headless one that keeps the
// same state in memory.
//
// The windows themselves are records of the window event model
// (ui/window_events.h): this module makes one with NewWndo for each window of
// the set when it is first shown (the main window in OpenMyWndo) and opens,
// closes and iconifies it through the monitor, whose backend shows the
// platform's window. A backend learns which window a record stands for with
// FindWindowId, from OpenPlatformWindow on; DisposeMyWndos ends the set.
//
// The modules below the windows reach them through small interfaces of their
// own (NodeView and EditBox of the node operations, PreviewWindow,
// SpellChkDisplay); InstallWindowViews installs this layer's implementation
// of all of them, at start-up.
//
// Columns in the edit box count bytes of the node text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "containers/ordered_list.h"
#include "guide/records.h"
#include "nodes/node_registry.h"
#include "render/charset.h"
#include "state/editor_state.h"
#include "ui/controls.h"
#include "ui/window_events.h"

namespace folioteer {

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

  virtual void SetWindowTitle(WindowId window, std::string_view title) = 0;
  // The character set of the guide's text, worked out from the whole file
  // before its rows and text are shown: a window system that shows bytes
  // as characters decodes them in it (the bytes stay as they are).
  virtual void SetGuideCharset(Charset charset) = 0;

  virtual void SetRows(ListId list, std::vector<std::string> rows) = 0;
  virtual void InsertRow(ListId list, int position, std::string_view text) = 0;  // -1: append
  virtual void RemoveRow(ListId list, int position) = 0;
  virtual void ReplaceRow(ListId list, int position, std::string_view text) = 0;
  virtual void SwapRows(ListId list, int first, int second) = 0;
  virtual int RowCount(ListId list) = 0;
  virtual void SelectRow(ListId list, int position) = 0;  // -1: none
  virtual int SelectedRow(ListId list) = 0;
  virtual std::string RowText(ListId list, int position) = 0;  // empty: no such row

  virtual std::string EditText() = 0;  // lines separated by LF
  // The names of the guide's macros, which the text shown next may call
  // (a window system that colours markup tells them from attributes).
  virtual void SetMarkupMacros(std::vector<std::string> names) = 0;
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
  // The row last chosen from a pop-up (AddGlobal, AddLocal, AttrPopup); -1: none.
  virtual int PopupRow(Control popup) = 0;

  // The dialog window. SetDialog gives it the fields of the content (only
  // those are shown, laid out again when the set of fields changed) with
  // their values and hints, before the window opens; DialogNow reads what
  // the shown fields hold; the last two change the values, or the hints, of
  // the listed fields while the dialog is open.
  virtual void SetDialog(const DialogContent& content) = 0;
  virtual DialogContent DialogNow() = 0;
  virtual void SetDialogValues(const std::vector<DialogField>& fields) = 0;
  virtual void SetDialogHints(const std::vector<DialogField>& fields) = 0;

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

// The window set: each window's record, NullWndo until it is first made.
Wndo WindowWndo(WindowId window);
std::optional<WindowId> FindWindowId(Wndo window);
// A new record for the window (the record before it disposed of), with the
// Help key for every window but the dialog's.
Wndo MakeMyWndo(WindowId window, std::string_view title);
bool IsMyWndoOpen(WindowId window);
bool IsMyWndoIconified(WindowId window);
// Disposes every window of the set; the program's end.
void DisposeMyWndos();

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
// The text of the list's selected row; empty when none is selected.
std::string GetGadgText(ListId list);
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
