#include "qt/window_input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>
#include <QWindowStateChangeEvent>

namespace folioteer {
namespace {

WndoBox BoxOf(const QWidget& widget) {
  QRect frame = widget.frameGeometry();
  return {frame.left(), frame.top(), widget.width(), widget.height()};
}

WndoSlot SlotOf(const QWidget& widget) { return widget.isMaximized() ? WndoSlot::Zoomed : WndoSlot::Normal; }

std::optional<EvntKind> ButtonKind(const QMouseEvent& event) {
  bool down = event.type() != QEvent::MouseButtonRelease;
  switch (event.button()) {
    case Qt::LeftButton: return down ? EvntKind::LeftDown : EvntKind::LeftUp;
    case Qt::RightButton: return down ? EvntKind::RightDown : EvntKind::RightUp;
    case Qt::MiddleButton: return down ? EvntKind::MiddleDown : EvntKind::MiddleUp;
    default: return std::nullopt;
  }
}

}  // namespace

std::string KeyBytes(const QString& text) {
  bool latin1 = std::all_of(text.cbegin(), text.cend(), [](QChar ch) { return ch.unicode() <= 0xFF; });
  return latin1 ? text.toLatin1().toStdString() : text.toUtf8().toStdString();
}

WindowInput::WindowInput(WindowSet& windows, WindowInputSink& sink, QObject* parent)
    : QObject(parent), windows_(windows), sink_(sink) {
  qApp->installEventFilter(this);
}

WindowInput::~WindowInput() { qApp->removeEventFilter(this); }

void WindowInput::Post(WindowId window, WndoInput input) { sink_.PostInput(window, std::move(input)); }

std::optional<WindowId> WindowInput::WindowOfHandle(QObject* watched) const {
  if (!watched->isWindowType()) return std::nullopt;
  for (int id = 0; id < kNumWindows; ++id) {
    QWidget* window = windows_.Window(static_cast<WindowId>(id));
    if (window != nullptr && window->windowHandle() == watched) return static_cast<WindowId>(id);
  }
  return std::nullopt;
}

std::optional<WindowId> WindowInput::TopLevel(QObject* watched) const {
  if (!watched->isWidgetType()) return std::nullopt;
  auto* widget = static_cast<QWidget*>(watched);
  if (!widget->isWindow()) return std::nullopt;
  return windows_.WindowOf(widget);
}

bool WindowInput::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
      // Input arrives at the platform window first, once, before it is
      // passed on to the widget it is for.
      if (std::optional<WindowId> window = WindowOfHandle(watched)) return PlatformEvent(*window, event);
      return false;
    case QEvent::Close:
    case QEvent::WindowStateChange:
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::ActivationChange:
      if (std::optional<WindowId> window = TopLevel(watched)) {
        WidgetEvent(*window, event);
        if (event->type() == QEvent::Close) {
          event->ignore();
          return true;
        }
      }
      return false;
    default: return false;
  }
}

// TRUE when the event goes no further.
bool WindowInput::PlatformEvent(WindowId window, QEvent* event) {
  bool busy = windows_.IsBusy(window);
  switch (event->type()) {
    case QEvent::KeyPress: {
      if (busy) return true;
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_F1 || key->key() == Qt::Key_Help) {
        Post(window, KeyInput("", true));
        return true;
      }
      if (!key->text().isEmpty()) Post(window, KeyInput(KeyBytes(key->text())));
      return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
      if (busy) return true;
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (std::optional<EvntKind> kind = ButtonKind(*mouse)) {
        WndoInput input = EvntInput(*kind);
        input.evnt.x = static_cast<int32_t>(mouse->position().x());
        input.evnt.y = static_cast<int32_t>(mouse->position().y());
        Post(window, std::move(input));
      }
      return false;
    }
    case QEvent::MouseMove: Post(window, MouseMoveInput()); return false;
    default: return busy;  // key releases and the wheel
  }
}

void WindowInput::WidgetEvent(WindowId window, QEvent* event) {
  QWidget& widget = *windows_.Window(window);
  switch (event->type()) {
    case QEvent::Close:
      Post(window, EvntInput(EvntKind::CloseWindow));
      if (window != WindowId::Dialog && windows_.Dialog().isVisible())
        Post(WindowId::Dialog, EvntInput(EvntKind::CloseWindow));
      return;
    case QEvent::WindowStateChange: {
      if (windows_.ProgramChanging()) return;
      bool was = (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized) != 0;
      bool is = widget.isMinimized();
      if (was != is) Post(window, EvntInput(is ? EvntKind::Iconify : EvntKind::Uniconify));
      return;
    }
    case QEvent::Resize:
    case QEvent::Move:
      windows_.FitCover(window);
      if (widget.isVisible())
        Post(window, BoxInput(event->type() == QEvent::Resize ? EvntKind::NewSize : EvntKind::ChangeWin,
                              BoxOf(widget), SlotOf(widget)));
      return;
    case QEvent::ActivationChange:
      if (widget.isActiveWindow()) windows_.WindowActivated(window);
      Post(window, EvntInput(widget.isActiveWindow() ? EvntKind::Active : EvntKind::Inactive));
      return;
    default: return;
  }
}

}  // namespace folioteer
