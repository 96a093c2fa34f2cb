#include "qt/preview_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QStatusBar>

#include "guideview/guide_view.h"
#include "links/amiga_path.h"
#include "ui/preview_display.h"

namespace folioteer {
namespace {

// How long a note about a link stays in the status bar.
constexpr int kNoteMilliseconds = 10000;

QString Quoted(std::string_view text) {
  return QStringLiteral("\u201c") + QString::fromUtf8(ShortenedForMessage(text, 80)) +
         QStringLiteral("\u201d");
}

}  // namespace

QtPreviewWindow::QtPreviewWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("preview"));
  // It comes up beside the edit window while the user types there.
  setAttribute(Qt::WA_ShowWithoutActivating);
  view_ = new GuideView;
  view_->installEventFilter(this);
  connect(view_, &GuideView::LinkActivated, this, &QtPreviewWindow::NoteLink);
  setCentralWidget(view_);
  statusBar();  // there from the start, so that a note never changes the view's height
}

void QtPreviewWindow::ShowGuide(const std::string& guideFile, std::string_view title) {
  bool again = isVisible() && title == shownTitle_;
  GuideView::Position place = view_->TopPosition();
  PreviewDisplay display = ReadPreviewDisplay(guideFile);
  shownFile_ = guideFile;
  shownTitle_ = title;
  // The temporary file need not hold the title (an @node line's title is
  // not copied), so a title of a UTF-8 guide may be the only non-ASCII text.
  bool utf8 = display.node && display.node->charset == Charset::Utf8;
  std::string decoded;
  AppendDisplayText(decoded, title, utf8 ? Charset::Utf8 : DetectCharset(title));
  setWindowTitle(QString::fromUtf8(decoded));
  view_->SetNode(display.node);
  if (again) view_->ScrollToPosition(place);
  if (display.problem.empty())
    statusBar()->clearMessage();
  else
    statusBar()->showMessage(QString::fromUtf8(display.problem));
}

void QtPreviewWindow::Open(QScreen* screen) {
  if (!placed_) {
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
      QRect area = screen->availableGeometry();
      setScreen(screen);
      resize(kFirstSize.boundedTo(area.size() - QSize(kFirstPosition.x(), kFirstPosition.y())));
      move(area.topLeft() + kFirstPosition);
    } else {
      resize(kFirstSize);
    }
    placed_ = true;
  }
  show();
  raise();
}

void QtPreviewWindow::Close() {
  hide();
  view_->SetNode(nullptr);
  statusBar()->clearMessage();
  shownFile_.clear();
  shownTitle_.clear();
}

QString QtPreviewWindow::Note() const { return statusBar()->currentMessage(); }

// The draft is one node: a link leads nowhere from here, and nothing runs.
void QtPreviewWindow::NoteLink(int link) {
  const DisplayNode* node = view_->Node();
  if (node == nullptr || link < 0 || link >= static_cast<int>(node->links.size())) return;
  const Link& shown = node->links[link];
  QString note;
  switch (shown.kind) {
    case LinkKind::System:
    case LinkKind::Rx:
    case LinkKind::Rxs:
      note = tr("%1 would run %2; the draft preview runs nothing.")
                 .arg(Quoted(shown.label), Quoted(shown.argumentText));
      break;
    case LinkKind::Link:
    case LinkKind::ALink:
      note = tr("%1 leads to %2; the draft preview does not follow links.")
                 .arg(Quoted(shown.label), Quoted(shown.argumentText));
      break;
    default: note = tr("%1: the draft preview does not follow links.").arg(Quoted(shown.label)); break;
  }
  statusBar()->showMessage(note, kNoteMilliseconds);
}

// ---------------------------------------------------------------------------
// Input: reported, never acted on

void QtPreviewWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  emit CloseRequested();
}

void QtPreviewWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  emit Resized(geometry());
}

void QtPreviewWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  emit Moved(geometry());
}

// The view has the keyboard; it keeps its own keys (scrolling, Tab between
// links), and every key is reported. The Help key goes no further.
bool QtPreviewWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    bool helpKey = key->key() == Qt::Key_Help || key->key() == Qt::Key_F1;
    if (helpKey || !key->text().isEmpty()) emit KeyTyped(key->text(), helpKey);
    return helpKey;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace folioteer
