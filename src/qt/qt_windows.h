// The window operations' display primitives (ui/windows.h WindowSystem) on
// the Qt windows: called on the program thread, each one blocking call into
// the Qt thread (qt/gui_call.h) that acts on the window set, a whole list
// filled in one call. Text goes between the program's bytes and the widgets
// through the guide's character set without loss; line and column positions
// stay byte positions.
//
// The progress gauge is the one exception to blocking: its advances, which
// come for every line of a word list, only add to a count that the gauge
// shows a few times a second.
//
// Once the calls into the Qt thread are closed (the windows are gone) the
// operations do nothing and read nothing; reading the edit box then is an
// assertion, so that an empty text never replaces a node's text.
#pragma once

#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "qt/qt_requesters.h"
#include "qt/window_set.h"
#include "ui/windows.h"

namespace folioteer {

// Whether a font of that family can be had (an alias of the system's, such
// as "Monospace", counts); a name of the Amiga kind ("topaz.font") without
// its ".font".
bool FontFamilyAvailable(const QString& family);
// The screen of a name: the primary one for an empty name or "Workbench"
// (found), and for a name no screen has (not found).
QScreen* ScreenNamed(const QString& name, bool& found);

class QtWindows : public WindowSystem {
 public:
  // On the Qt thread.
  QtWindows(WindowSet& windows, QtRequesters& requesters);
  ~QtWindows() override;

  void SetWindowTitle(WindowId window, std::string_view title) override;
  void SetGuideCharset(Charset charset) override;

  void SetRows(ListId list, std::vector<std::string> rows) override;
  void InsertRow(ListId list, int position, std::string_view text) override;
  void RemoveRow(ListId list, int position) override;
  void ReplaceRow(ListId list, int position, std::string_view text) override;
  void SwapRows(ListId list, int first, int second) override;
  int RowCount(ListId list) override;
  void SelectRow(ListId list, int position) override;
  int SelectedRow(ListId list) override;
  std::string RowText(ListId list, int position) override;

  std::string EditText() override;
  void SetMarkupMacros(std::vector<std::string> names) override;
  void SetEditText(std::string_view text) override;
  void InsertAtCursor(std::string_view text) override;
  bool Selection(TextPos& first, TextPos& last) override;
  void Select(TextPos first, TextPos last) override;
  void ReplaceSelection(std::string_view text) override;

  void SetNavLabel(NavDirection direction, std::string_view text, bool pointsNowhere) override;
  void SetEnabled(Control control, bool enabled) override;
  void SetBusy(bool busy) override;
  void SetHelpHintsShown(bool shown) override;
  bool SetEditorFont(const EditorFont& font) override;
  void SetMenuCheck(MenuItem item, bool checked) override;
  bool MenuCheck(MenuItem item) override;
  int PopupRow(Control popup) override;

  void SetDialog(const DialogContent& content) override;
  DialogContent DialogNow() override;
  void SetDialogValues(const std::vector<DialogField>& fields) override;
  void SetDialogHints(const std::vector<DialogField>& fields) override;

  void ShowPreview(std::string_view guideFile, std::string_view title) override;
  void ClosePreview() override;
  bool HoldScreen(std::string_view name, bool& found, std::string& heldName) override;
  void DropScreen() override;
  EditorFont SystemFont() override;

  void ProgressStart(std::string_view title, int64_t total) override;
  void ProgressAdvance(int64_t amount) override;
  void ProgressEnd() override;

 private:
  RowList* List(ListId list) const;
  void ShowProgress();

  WindowSet& windows_;
  QtRequesters& requesters_;
  // The macro names, given before the text that may call them (program thread).
  std::optional<std::vector<std::string>> macros_;
  std::vector<std::string> macrosShown_;
  // The gauge lives on the Qt thread; the count is shared.
  QPointer<QProgressDialog> progress_;
  QTimer progressTimer_;
  std::atomic<int64_t> progressDone_{0};
  int64_t progressTotal_ = 0;
};

}  // namespace folioteer
