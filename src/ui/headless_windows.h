// The headless window system: the state of every window kept in memory, for
// the tests and the batch mode. Lists with their rows and selected row, the
// edit box text with a cursor and a selection, the navigation labels, the
// window titles, the enabled controls (those that status reflection does not
// manage stay enabled), the busy and help-hint states, the editor font, the
// menu check marks, the rows chosen from the pop-ups, the dialog's fields,
// a record of the progress gauge, and what the preview shows. Whether a
// window is open is the window record's state (ui/window_events.h), not kept
// here.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "ui/windows.h"

namespace folioteer {

class HeadlessWindows : public WindowSystem {
 public:
  struct NavLabel {
    std::string text;
    bool pointsNowhere = false;
  };
  struct Progress {
    std::string title;
    int64_t total = 0;
    int64_t advanced = 0;
    int advances = 0;
    bool running = false;
    int runs = 0;
  };

  HeadlessWindows() { enabled_.fill(true); }

  void SetWindowTitle(WindowId window, std::string_view title) override { titles_[Index(window)] = title; }
  void SetGuideCharset(Charset charset) override { charset_ = charset; }

  void SetRows(ListId list, std::vector<std::string> rows) override;
  void InsertRow(ListId list, int position, std::string_view text) override;
  void RemoveRow(ListId list, int position) override;
  void ReplaceRow(ListId list, int position, std::string_view text) override;
  void SwapRows(ListId list, int first, int second) override;
  int RowCount(ListId list) override { return static_cast<int>(lists_[Index(list)].rows.size()); }
  void SelectRow(ListId list, int position) override;
  int SelectedRow(ListId list) override { return lists_[Index(list)].selected; }
  std::string RowText(ListId list, int position) override;

  std::string EditText() override { return text_; }
  void SetMarkupMacros(std::vector<std::string> names) override { macros_ = std::move(names); }
  const std::vector<std::string>& MarkupMacros() const { return macros_; }
  void SetEditText(std::string_view text) override;
  void InsertAtCursor(std::string_view text) override;
  bool Selection(TextPos& first, TextPos& last) override;
  void Select(TextPos first, TextPos last) override;
  void ReplaceSelection(std::string_view text) override;

  void SetNavLabel(NavDirection direction, std::string_view text, bool pointsNowhere) override {
    navLabels_[Index(direction)] = {std::string(text), pointsNowhere};
  }
  void SetEnabled(Control control, bool enabled) override { enabled_[static_cast<int>(control)] = enabled; }
  void SetBusy(bool busy) override { busy_ = busy; }
  void SetHelpHintsShown(bool shown) override { helpHints_ = shown; }
  bool SetEditorFont(const EditorFont& font) override;
  void SetMenuCheck(MenuItem item, bool checked) override { checks_[static_cast<int>(item)] = checked; }
  bool MenuCheck(MenuItem item) override { return checks_[static_cast<int>(item)]; }
  int PopupRow(Control popup) override { return popupRows_[static_cast<int>(popup)]; }

  void SetDialog(const DialogContent& content) override { dialog_ = content; }
  DialogContent DialogNow() override { return dialog_; }
  void SetDialogValues(const std::vector<DialogField>& fields) override;
  void SetDialogHints(const std::vector<DialogField>& fields) override;

  void ShowPreview(std::string_view guideFile, std::string_view title) override;
  // A closed window shows nothing.
  void ClosePreview() override {
    previewOpen_ = false;
    preview_.text.clear();
  }
  bool HoldScreen(std::string_view name, bool& found, std::string& heldName) override;
  void DropScreen() override { screenHeld_ = false; }
  EditorFont SystemFont() override { return EditorFont{"Monospace", 14, 0, true, true}; }

  void ProgressStart(std::string_view title, int64_t total) override;
  void ProgressAdvance(int64_t amount) override;
  void ProgressEnd() override;

  // What tests and the batch mode look at.
  const std::vector<std::string>& Rows(ListId list) const { return lists_[Index(list)].rows; }
  const std::string& Title(WindowId window) const { return titles_[Index(window)]; }
  const NavLabel& Label(NavDirection direction) const { return navLabels_[Index(direction)]; }
  bool Enabled(Control control) const { return enabled_[static_cast<int>(control)]; }
  bool Busy() const { return busy_; }
  bool HelpHintsShown() const { return helpHints_; }
  // What a user does: chooses a row of a pop-up.
  void ChoosePopupRow(Control popup, int row) { popupRows_[static_cast<int>(popup)] = row; }
  const EditorFont& Font() const { return font_; }
  const Progress& ProgressRecord() const { return progress_; }
  // What the preview shows: the plain text (render/plain_text.h) of the
  // MAIN node of the file, read when it was shown; when the file cannot be
  // shown, the sentence that says why.
  struct Preview {
    std::string file;
    std::string title;
    std::string text;
    int shown = 0;
  };
  const Preview& PreviewRecord() const { return preview_; }
  bool PreviewOpen() const { return previewOpen_; }
  bool ScreenHeld() const { return screenHeld_; }
  Charset GuideCharset() const { return charset_; }
  // The only screen there is: what a headless program runs on.
  static constexpr std::string_view kScreenName = "Workbench";
  TextPos Cursor() const;
  void SetCursor(TextPos pos);
  // Back to the state of a new program.
  void Reset();

 private:
  struct ListState {
    std::vector<std::string> rows;
    int selected = -1;
  };
  template <typename E>
  static int Index(E value) {
    return static_cast<int>(value);
  }
  static std::array<int, kNumControls> MakeNoRows() {
    std::array<int, kNumControls> rows;
    rows.fill(-1);
    return rows;
  }
  size_t OffsetOf(TextPos pos) const;
  TextPos PosOf(size_t offset) const;

  std::array<ListState, kNumLists> lists_;
  std::array<std::string, kNumWindows> titles_;
  std::array<NavLabel, kNumNavDirections> navLabels_;
  std::array<bool, kNumControls> enabled_{};
  std::array<bool, kNumMenuItems> checks_{};
  std::array<int, kNumControls> popupRows_ = MakeNoRows();
  DialogContent dialog_;
  std::string text_;
  std::vector<std::string> macros_;
  size_t cursor_ = 0;
  size_t selectionStart_ = 0;
  size_t selectionEnd_ = 0;
  bool hasSelection_ = false;
  bool busy_ = false;
  bool helpHints_ = false;
  EditorFont font_;
  Progress progress_;
  Preview preview_;
  bool previewOpen_ = false;
  bool screenHeld_ = false;
  Charset charset_ = Charset::Latin1;
};

HeadlessWindows& DefaultHeadlessWindows();

}  // namespace folioteer
