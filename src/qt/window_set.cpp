#include "qt/window_set.h"

#include <QApplication>
#include <QGuiApplication>
#include <algorithm>

#include "qt/button_images.h"

namespace folioteer {
namespace {

// First sizes, in multiples of the font's line height, so they follow the
// desktop's font size and scale.
struct FirstSize {
  int width;
  int height;
};
// The preview places itself; the dialog takes the size of its fields.
constexpr FirstSize kFirstSizes[] = {{26, 36}, {46, 36}, {16, 22}, {0, 0}, {0, 0}};
static_assert(std::size(kFirstSizes) == kNumWindows);

}  // namespace

WindowSet::WindowSet(WindowInputSink& sink)
    : menus_(new MenuActions(this)),
      main_(new MainWindow(controls_, *menus_, sink)),
      edit_(new EditWindow(controls_, *menus_, sink)),
      spell_(new SpellWindow(controls_, sink, main_)),
      dialog_(new ParamDialog(controls_, sink, main_)),
      preview_(new QtPreviewWindow) {
  preview_->setWindowIcon(ProgramIcon());
  menus_->AddMenus(preview_->menuBar());
  // A pick belongs to the window whose menu it came from: the active one.
  connect(menus_, &MenuActions::Picked, this, [this, &sink](MenuItem item) {
    std::optional<WindowId> window = WindowOf(QApplication::activeWindow());
    sink.PostInput(window && window != WindowId::Dialog ? *window : WindowId::Main,
                   MenuInput(MenuCode(item)));
  });
  for (int id = 0; id < kNumWindows; ++id) {
    QWidget* window = Window(static_cast<WindowId>(id));
    if (window == nullptr) continue;
    auto* cover = new QWidget(window);
    cover->setObjectName(QStringLiteral("busyCover"));
    cover->setCursor(Qt::WaitCursor);
    cover->hide();
    covers_[id] = cover;
  }
}

WindowSet::~WindowSet() {
  // The spell window and the dialog are the main window's children.
  delete preview_;
  delete edit_;
  delete main_;
}

QWidget* WindowSet::Window(WindowId window) const {
  switch (window) {
    case WindowId::Main: return main_;
    case WindowId::Edit: return edit_;
    case WindowId::Spell: return spell_;
    case WindowId::Dialog: return dialog_;
    case WindowId::Preview: return preview_;
  }
  return nullptr;
}

std::optional<WindowId> WindowSet::WindowOf(const QWidget* widget) const {
  if (widget == nullptr) return std::nullopt;
  const QWidget* top = widget->window();
  for (int id = 0; id < kNumWindows; ++id)
    if (top != nullptr && Window(static_cast<WindowId>(id)) == top) return static_cast<WindowId>(id);
  return std::nullopt;
}

template <typename Change>
void WindowSet::AsProgram(Change change) {
  ++programChanging_;
  change();
  --programChanging_;
}

void WindowSet::Open(WindowId window, const QString& title, const WndoBox& box) {
  QWidget* widget = Window(window);
  if (widget == nullptr) return;
  AsProgram([&] {
    if (!titled_[static_cast<int>(window)]) widget->setWindowTitle(title);
    // The preview places itself, the first time; it keeps the keyboard
    // away from the edit window.
    if (window == WindowId::Preview) {
      preview_->Open(screen_);
      return;
    }
    if (!placed_[static_cast<int>(window)] || window == WindowId::Dialog) Place(window, box);
    placed_[static_cast<int>(window)] = true;
    widget->show();
    widget->raise();
    if (window == WindowId::Dialog || window == WindowId::Spell) widget->activateWindow();
  });
  if (window == WindowId::Dialog) Refer(dialog_);
}

void WindowSet::Close(WindowId window) {
  QWidget* widget = Window(window);
  if (widget == nullptr) return;
  AsProgram([&] {
    if (window == WindowId::Preview)
      preview_->Close();
    else
      widget->hide();
  });
  if (window == WindowId::Dialog) Refer(main_);
}

void WindowSet::Iconify(WindowId window) {
  if (QWidget* widget = Window(window)) AsProgram([&] { widget->showMinimized(); });
}

void WindowSet::Uniconify(WindowId window) {
  QWidget* widget = Window(window);
  if (widget == nullptr) return;
  AsProgram([&] {
    widget->showNormal();
    widget->raise();
    widget->activateWindow();
  });
}

// The main window stands near the top left of the screen, the edit window
// right of it and the spell window right of that, as far as the screen has
// room; the dialog stands over the main window.
void WindowSet::Place(WindowId window, const WndoBox&) {
  QWidget* widget = Window(window);
  QScreen* screen = screen_ != nullptr ? screen_.data() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect area = screen->availableGeometry();
  if (window == WindowId::Dialog) {
    widget->adjustSize();
    QRect frame = main_->isVisible() ? main_->frameGeometry() : area;
    QPoint at = frame.center() - QPoint(widget->width() / 2, widget->height() / 2);
    widget->move(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - widget->width())),
                 std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - widget->height())));
    return;
  }
  widget->setScreen(screen);
  const FirstSize& first = kFirstSizes[static_cast<int>(window)];
  int line = widget->fontMetrics().height();
  QSize size = QSize(first.width * line, first.height * line)
                   .boundedTo(area.size())
                   .expandedTo(widget->minimumSizeHint());
  widget->resize(size);
  int gap = line;
  QPoint at = area.topLeft() + QPoint(area.width() / 20, area.height() / 20);
  if (window == WindowId::Edit)
    at = QPoint(main_->frameGeometry().right() + gap, main_->frameGeometry().top());
  if (window == WindowId::Spell)
    at = QPoint(edit_->frameGeometry().right() + gap, edit_->frameGeometry().top());
  if (at.x() + size.width() > area.right()) at.setX(std::max(area.left(), area.right() - size.width()));
  if (at.y() + size.height() > area.bottom()) at.setY(std::max(area.top(), area.bottom() - size.height()));
  widget->move(at);
}

void WindowSet::SetCodec(const GuideTextCodec& codec) {
  codec_ = codec;
  for (RowList* list : {main_->GlobalList(), main_->NodeList(), edit_->LocalList(), spell_->Words()})
    list->SetCodec(codec);
}

void WindowSet::SetTitle(WindowId window, const QString& title) {
  QWidget* widget = Window(window);
  if (widget == nullptr) return;
  titled_[static_cast<int>(window)] = true;
  widget->setWindowTitle(title);
}

bool WindowSet::IsBusy(WindowId window) const { return busy_ && window != WindowId::Dialog; }

void WindowSet::SetBusy(bool busy) {
  busy_ = busy;
  menus_->SetBusy(busy);
  for (WindowId window : {WindowId::Main, WindowId::Edit, WindowId::Spell, WindowId::Preview}) {
    QWidget* cover = covers_[static_cast<int>(window)];
    if (cover == nullptr) continue;
    FitCover(window);
    cover->setVisible(busy);
    if (busy) cover->raise();
  }
}

void WindowSet::FitCover(WindowId window) {
  QWidget* cover = covers_[static_cast<int>(window)];
  if (cover != nullptr) cover->setGeometry(Window(window)->rect());
}

void WindowSet::WindowActivated(WindowId window) {
  if (QWidget* widget = Window(window)) Refer(widget);
}

void WindowSet::Refer(QWidget* window) {
  if (referenceHook_) referenceHook_(window);
}

}  // namespace folioteer
