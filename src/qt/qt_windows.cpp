#include "qt/qt_windows.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>
#include <climits>
#include <utility>

#include "qt/font_requester.h"
#include "qt/gui_call.h"
#include "qt/requester_text.h"
#include "support/assert.h"

namespace folioteer {
namespace {

constexpr qsizetype kLongestTitle = 200;
constexpr int kProgressSteps = 1000;
constexpr int kProgressMilliseconds = 100;

QString TitleText(std::string_view bytes) {
  QString title = RequesterPlainText(bytes.substr(0, static_cast<size_t>(kLongestTitle) * 4));
  if (title.size() > kLongestTitle) title = title.first(kLongestTitle) + QChar(0x2026);
  return title;
}

// A call whose answer the program does without once the windows are gone.
template <typename Function, typename Result = std::invoke_result_t<Function>>
Result OnGui(Function&& function, Result otherwise) {
  return CallOnGui(std::forward<Function>(function)).value_or(std::move(otherwise));
}

}  // namespace

bool FontFamilyAvailable(const QString& family) {
  static const QStringList kAliases = {QStringLiteral("monospace"), QStringLiteral("mono"),
                                       QStringLiteral("sans-serif"), QStringLiteral("sans"),
                                       QStringLiteral("serif")};
  return !family.isEmpty() &&
         (QFontDatabase::hasFamily(family) || kAliases.contains(family, Qt::CaseInsensitive));
}

QScreen* ScreenNamed(const QString& name, bool& found) {
  found = true;
  QScreen* primary = QGuiApplication::primaryScreen();
  if (name.isEmpty() || name.compare(QStringLiteral("Workbench"), Qt::CaseInsensitive) == 0) return primary;
  const QList<QScreen*> screens = QGuiApplication::screens();
  for (Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive})
    for (QScreen* screen : screens)
      if (screen->name().compare(name, sensitivity) == 0) return screen;
  found = false;
  return primary;
}

QtWindows::QtWindows(WindowSet& windows, QtRequesters& requesters)
    : windows_(windows), requesters_(requesters) {
  progressTimer_.setInterval(kProgressMilliseconds);
  QObject::connect(&progressTimer_, &QTimer::timeout, [this] { ShowProgress(); });
}

QtWindows::~QtWindows() { delete progress_; }

RowList* QtWindows::List(ListId list) const {
  switch (list) {
    case ListId::Global: return windows_.Main().GlobalList();
    case ListId::Nodes: return windows_.Main().NodeList();
    case ListId::Local: return windows_.Edit().LocalList();
    case ListId::Misspells: return windows_.Spell().Words();
  }
  return nullptr;
}

void QtWindows::SetWindowTitle(WindowId window, std::string_view title) {
  CallOnGui([&] { windows_.SetTitle(window, TitleText(title)); });
}

void QtWindows::SetGuideCharset(Charset charset) {
  requesters_.SetDocumentCharset(charset);
  CallOnGui([&] { windows_.SetCodec(GuideTextCodec(charset)); });
}

// ---------------------------------------------------------------------------
// Lists

void QtWindows::SetRows(ListId list, std::vector<std::string> rows) {
  CallOnGui([&] { List(list)->SetRows(std::move(rows)); });
}

void QtWindows::InsertRow(ListId list, int position, std::string_view text) {
  CallOnGui([&] { List(list)->InsertRow(position, text); });
}

void QtWindows::RemoveRow(ListId list, int position) {
  CallOnGui([&] { List(list)->RemoveRow(position); });
}

void QtWindows::ReplaceRow(ListId list, int position, std::string_view text) {
  CallOnGui([&] { List(list)->ReplaceRow(position, text); });
}

void QtWindows::SwapRows(ListId list, int first, int second) {
  CallOnGui([&] { List(list)->SwapRows(first, second); });
}

int QtWindows::RowCount(ListId list) {
  return OnGui([&] { return List(list)->RowCount(); }, 0);
}

void QtWindows::SelectRow(ListId list, int position) {
  CallOnGui([&] { List(list)->SelectRow(position); });
}

int QtWindows::SelectedRow(ListId list) {
  return OnGui([&] { return List(list)->SelectedRow(); }, -1);
}

std::string QtWindows::RowText(ListId list, int position) {
  return OnGui([&] { return List(list)->RowText(position); }, std::string());
}

// ---------------------------------------------------------------------------
// The edit box

std::string QtWindows::EditText() {
  std::optional<std::optional<std::string>> text =
      CallOnGui([&] { return windows_.Edit().Box()->GuideText(); });
  Assert(text.has_value(), "The edit window is gone: its text cannot be read");
  Assert(text->has_value(), "The edit box holds a character the guide's encoding cannot hold");
  return std::move(**text);
}

void QtWindows::SetMarkupMacros(std::vector<std::string> names) {
  if (names != macrosShown_) macros_ = std::move(names);
}

// New macro names go to the highlighter while the box is empty, so that no
// text is coloured twice.
void QtWindows::SetEditText(std::string_view text) {
  std::optional<std::vector<std::string>> macros = std::exchange(macros_, std::nullopt);
  if (macros) macrosShown_ = *macros;
  CallOnGui([&] {
    EditBox* box = windows_.Edit().Box();
    if (macros) {
      box->clear();
      QStringList names;
      for (const std::string& name : *macros) names << windows_.Codec().Decode(name);
      box->Highlighter().SetMacroNames(names);
    }
    box->SetGuideText(text, windows_.Codec().charset());
  });
}

void QtWindows::InsertAtCursor(std::string_view text) {
  CallOnGui([&] { windows_.Edit().Box()->InsertGuideText(text); });
}

bool QtWindows::Selection(TextPos& first, TextPos& last) {
  return OnGui([&] { return windows_.Edit().Box()->GuideSelection(first, last); }, false);
}

void QtWindows::Select(TextPos first, TextPos last) {
  CallOnGui([&] { windows_.Edit().Box()->SelectGuideBlock(first, last); });
}

void QtWindows::ReplaceSelection(std::string_view text) {
  CallOnGui([&] { windows_.Edit().Box()->ReplaceGuideSelection(text); });
}

// ---------------------------------------------------------------------------
// Labels, controls, menus

void QtWindows::SetNavLabel(NavDirection direction, std::string_view text, bool pointsNowhere) {
  CallOnGui(
      [&] { windows_.Edit().SetNavLabel(direction, ShownRowText(text, windows_.Codec()), pointsNowhere); });
}

void QtWindows::SetEnabled(Control control, bool enabled) {
  CallOnGui([&] {
    if (QWidget* widget = windows_.Controls().Widget(control)) widget->setEnabled(enabled);
  });
}

void QtWindows::SetBusy(bool busy) {
  CallOnGui([&] { windows_.SetBusy(busy); });
}

void QtWindows::SetHelpHintsShown(bool shown) {
  CallOnGui([&] { windows_.Controls().SetHintsShown(shown); });
}

bool QtWindows::SetEditorFont(const EditorFont& font) {
  return OnGui(
      [&] {
        QFont chosen = FontOfChoice({font.name, font.size, font.style});
        if (font.size <= 0 || !FontFamilyAvailable(chosen.family())) return false;
        windows_.Edit().Box()->setFont(chosen);
        return true;
      },
      false);
}

void QtWindows::SetMenuCheck(MenuItem item, bool checked) {
  CallOnGui([&] { windows_.Menus().Action(item)->setChecked(checked); });
}

bool QtWindows::MenuCheck(MenuItem item) {
  return OnGui([&] { return windows_.Menus().Action(item)->isChecked(); }, false);
}

int QtWindows::PopupRow(Control popup) {
  return OnGui(
      [&] {
        auto* button = windows_.Controls().Get<PopupButton>(popup);
        return button != nullptr ? button->ChosenRow() : -1;
      },
      -1);
}

// ---------------------------------------------------------------------------
// The dialog

void QtWindows::SetDialog(const DialogContent& content) {
  CallOnGui([&] { windows_.Dialog().SetContent(content, windows_.Codec()); });
}

DialogContent QtWindows::DialogNow() {
  return OnGui([&] { return windows_.Dialog().Content(); }, DialogContent());
}

void QtWindows::SetDialogValues(const std::vector<DialogField>& fields) {
  CallOnGui([&] { windows_.Dialog().SetValues(fields); });
}

void QtWindows::SetDialogHints(const std::vector<DialogField>& fields) {
  CallOnGui([&] { windows_.Dialog().SetHints(fields); });
}

// ---------------------------------------------------------------------------
// The formatted display, the screen, the system font

void QtWindows::ShowPreview(std::string_view guideFile, std::string_view title) {
  CallOnGui([&] { windows_.Preview().ShowGuide(std::string(guideFile), title); });
}

void QtWindows::ClosePreview() {
  CallOnGui([&] { windows_.Preview().Close(); });
}

bool QtWindows::HoldScreen(std::string_view name, bool& found, std::string& heldName) {
  return OnGui(
      [&] {
        QScreen* screen = ScreenNamed(QString::fromUtf8(name), found);
        if (screen == nullptr) return false;
        windows_.SetScreen(screen);
        heldName = screen->name().isEmpty() ? "Workbench" : screen->name().toStdString();
        return true;
      },
      false);
}

void QtWindows::DropScreen() {
  CallOnGui([&] { windows_.SetScreen(nullptr); });
}

EditorFont QtWindows::SystemFont() {
  return OnGui(
      [] {
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        FontChoice choice = ChoiceOfFont(font);
        return EditorFont{choice.name, choice.size, choice.style, QFontInfo(font).fixedPitch(), true};
      },
      EditorFont{"Monospace", 14, 0, true, true});
}

// ---------------------------------------------------------------------------
// The progress gauge

void QtWindows::ProgressStart(std::string_view title, int64_t total) {
  progressDone_ = 0;
  progressTotal_ = std::max<int64_t>(total, 1);
  CallOnGui([&] {
    delete progress_;
    progress_ = new QProgressDialog(TitleText(title), QString(), 0, kProgressSteps, &windows_.Main());
    progress_->setWindowTitle(QStringLiteral("Folioteer"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(300);
    progress_->setValue(0);
    progressTimer_.start();
  });
}

void QtWindows::ProgressAdvance(int64_t amount) { progressDone_ += amount; }

void QtWindows::ProgressEnd() {
  CallOnGui([&] {
    progressTimer_.stop();
    delete progress_;
  });
}

void QtWindows::ShowProgress() {
  if (progress_ == nullptr) return;
  int64_t done = std::min(progressDone_.load(), progressTotal_);
  progress_->setValue(static_cast<int>(done * kProgressSteps / progressTotal_));
}

}  // namespace folioteer
