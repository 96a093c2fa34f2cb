#include "ui/headless_windows.h"

#include <algorithm>

#include "render/plain_text.h"
#include "ui/preview_display.h"

namespace folioteer {

HeadlessWindows& DefaultHeadlessWindows() {
  static HeadlessWindows windows;
  return windows;
}

void HeadlessWindows::Reset() { *this = HeadlessWindows(); }

std::string HeadlessWindows::RowText(ListId list, int position) {
  const ListState& state = lists_[Index(list)];
  return position >= 0 && position < static_cast<int>(state.rows.size()) ? state.rows[position]
                                                                         : std::string();
}

void HeadlessWindows::SetDialogValues(const std::vector<DialogField>& fields) {
  for (const DialogField& field : fields)
    if (DialogField* shown = dialog_.Find(field.control)) {
      shown->text = field.text;
      shown->value = field.value;
    }
}

void HeadlessWindows::SetDialogHints(const std::vector<DialogField>& fields) {
  for (const DialogField& field : fields)
    if (DialogField* shown = dialog_.Find(field.control)) shown->hint = field.hint;
}

void HeadlessWindows::SetRows(ListId list, std::vector<std::string> rows) {
  ListState& state = lists_[Index(list)];
  state.rows = std::move(rows);
  state.selected = -1;
}

void HeadlessWindows::InsertRow(ListId list, int position, std::string_view text) {
  ListState& state = lists_[Index(list)];
  int count = static_cast<int>(state.rows.size());
  if (position < 0 || position > count) position = count;
  state.rows.insert(state.rows.begin() + position, std::string(text));
  if (state.selected >= position) ++state.selected;
}

void HeadlessWindows::RemoveRow(ListId list, int position) {
  ListState& state = lists_[Index(list)];
  if (position < 0 || position >= static_cast<int>(state.rows.size())) return;
  state.rows.erase(state.rows.begin() + position);
  if (state.selected == position)
    state.selected = -1;
  else if (state.selected > position)
    --state.selected;
}

void HeadlessWindows::ReplaceRow(ListId list, int position, std::string_view text) {
  ListState& state = lists_[Index(list)];
  if (position >= 0 && position < static_cast<int>(state.rows.size())) state.rows[position] = text;
}

void HeadlessWindows::SwapRows(ListId list, int first, int second) {
  ListState& state = lists_[Index(list)];
  int count = static_cast<int>(state.rows.size());
  if (first < 0 || second < 0 || first >= count || second >= count) return;
  std::swap(state.rows[first], state.rows[second]);
}

void HeadlessWindows::SelectRow(ListId list, int position) {
  ListState& state = lists_[Index(list)];
  state.selected = (position >= 0 && position < static_cast<int>(state.rows.size())) ? position : -1;
}

size_t HeadlessWindows::OffsetOf(TextPos pos) const { return TextOffset(text_, pos); }

TextPos HeadlessWindows::PosOf(size_t offset) const {
  TextPos pos;
  size_t lineStart = 0;
  for (size_t i = 0; i < offset && i < text_.size(); ++i) {
    if (text_[i] == '\n') {
      ++pos.line;
      lineStart = i + 1;
    }
  }
  pos.column = static_cast<int>(std::min(offset, text_.size()) - lineStart);
  return pos;
}

TextPos HeadlessWindows::Cursor() const { return PosOf(cursor_); }

void HeadlessWindows::SetCursor(TextPos pos) {
  cursor_ = OffsetOf(pos);
  hasSelection_ = false;
}

void HeadlessWindows::SetEditText(std::string_view text) {
  text_ = text;
  cursor_ = 0;
  hasSelection_ = false;
}

void HeadlessWindows::InsertAtCursor(std::string_view text) {
  text_.insert(cursor_, text);
  cursor_ += text.size();
  hasSelection_ = false;
}

bool HeadlessWindows::Selection(TextPos& first, TextPos& last) {
  if (!hasSelection_) return false;
  first = PosOf(selectionStart_);
  last = PosOf(selectionEnd_);
  return true;
}

void HeadlessWindows::Select(TextPos first, TextPos last) {
  selectionStart_ = OffsetOf(first);
  selectionEnd_ = std::max(selectionStart_, OffsetOf(last));
  cursor_ = selectionEnd_;
  hasSelection_ = true;
}

void HeadlessWindows::ReplaceSelection(std::string_view text) {
  if (!hasSelection_) return InsertAtCursor(text);
  text_.replace(selectionStart_, selectionEnd_ - selectionStart_, text);
  cursor_ = selectionStart_ + text.size();
  hasSelection_ = false;
}

bool HeadlessWindows::SetEditorFont(const EditorFont& font) {
  if (font.name.empty() || font.size <= 0) return false;
  font_ = font;
  return true;
}

void HeadlessWindows::ShowPreview(std::string_view guideFile, std::string_view title) {
  preview_.file = guideFile;
  preview_.title = title;
  PreviewDisplay display = ReadPreviewDisplay(preview_.file);
  preview_.text = display.node ? PlainText(*display.node) : display.problem + "\n";
  ++preview_.shown;
  previewOpen_ = true;
}

bool HeadlessWindows::HoldScreen(std::string_view name, bool& found, std::string& heldName) {
  found = name.empty() || name == kScreenName;
  heldName = kScreenName;
  screenHeld_ = true;
  return true;
}

void HeadlessWindows::ProgressStart(std::string_view title, int64_t total) {
  progress_ = Progress{std::string(title), total, 0, 0, true, progress_.runs + 1};
}

void HeadlessWindows::ProgressAdvance(int64_t amount) {
  progress_.advanced += amount;
  ++progress_.advances;
}

void HeadlessWindows::ProgressEnd() { progress_.running = false; }

}  // namespace folioteer
