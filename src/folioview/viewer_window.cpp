#include "folioview/viewer_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QResizeEvent>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>

#include "folioview/confirm_dialog.h"
#include "guideview/guide_view.h"
#include "links/amiga_path.h"

// The images are in the static library; its resources need starting.
static void InitViewerResources() { Q_INIT_RESOURCE(folioteer); }

namespace folioteer {
namespace {

struct NavRow {
  const char* themeName;
  const char* bundled;
  const char* toolTip;
  const char* keys;  // PortableText, separated by "; "
};
// In NavButton order; the theme names are those of data/README.md. Alt+Left
// is the desktop's usual key for going back.
constexpr std::array<NavRow, kNumNavButtons> kNavRows = {{
    {"help-contents", ":/buttons/contents.svg", "the table of contents", "Alt+C"},
    {"view-list-text", ":/buttons/index.svg", "the guide's index", "Alt+I"},
    {"help-browser", ":/buttons/help.svg", "the guide's help", "Alt+H"},
    {"view-history", ":/buttons/retrace.svg", "back to the node shown before", "Backspace; Alt+Left"},
    {"go-previous", ":/buttons/previous.svg", "the node before this one", "Ctrl+PgUp"},
    {"go-next", ":/buttons/next.svg", "the node after this one", "Ctrl+PgDown"},
}};

struct CharsetRow {
  const char* label;
  std::optional<Charset> charset;
};
const std::array<CharsetRow, 5> kCharsetRows = {{
    {"&Automatic", std::nullopt},
    {"ISO-8859-&1 (Western)", Charset::Latin1},
    {"ISO-8859-&2 (Central European)", Charset::Latin2},
    {"&KOI8-R (Cyrillic)", Charset::Koi8R},
    {"&UTF-8", Charset::Utf8},
}};

// The bundled images for the whole bar when the theme lacks any of them,
// so that the bar never mixes two looks.
QIcon NavIcon(const NavRow& row) {
  static const bool themeHasAll = [] {
    for (const NavRow& each : kNavRows)
      if (!QIcon::hasThemeIcon(each.themeName)) return false;
    return true;
  }();
  return themeHasAll ? QIcon::fromTheme(row.themeName, QIcon(row.bundled)) : QIcon(row.bundled);
}

}  // namespace

ViewerWindow::ViewerWindow(VolumeTable volumes, QWidget* parent)
    : QMainWindow(parent), reader_(std::move(volumes)) {
  InitViewerResources();
  setWindowIcon(QIcon::fromTheme("folioview", QIcon(":/icons/folioview.svg")));
  view_ = new GuideView;
  connect(view_, &GuideView::LinkActivated, this, &ViewerWindow::FollowLink);
  BuildActions();
  BuildMenus();
  BuildToolBar();
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildMessageBar());
  layout->addWidget(view_, 1);
  layout->addWidget(BuildFindBar());
  setCentralWidget(central);
  location_ = new QLabel;
  statusBar()->addWidget(location_, 1);
  view_->setFocus();
  UpdateNavigation();
}

// ---------------------------------------------------------------------------
// Building the window

void ViewerWindow::BuildActions() {
  for (int i = 0; i < kNumNavButtons; ++i) {
    const NavRow& row = kNavRows[i];
    auto* action =
        new QAction(NavIcon(row), QString::fromUtf8(NavButtonLabel(static_cast<NavButton>(i))), this);
    action->setToolTip(action->text() + QStringLiteral(": ") + tr(row.toolTip));
    action->setShortcuts(QKeySequence::listFromString(row.keys));
    connect(action, &QAction::triggered, this, [this, i] { Navigate(static_cast<NavButton>(i)); });
    navActions_[i] = action;
  }
  openAction_ = new QAction(QIcon::fromTheme("document-open"), tr("&Open..."), this);
  openAction_->setShortcut(QKeySequence::Open);
  connect(openAction_, &QAction::triggered, this, &ViewerWindow::OpenFromDialog);
  quitAction_ = new QAction(QIcon::fromTheme("application-exit"), tr("&Quit"), this);
  quitAction_->setShortcut(QKeySequence::Quit);
  connect(quitAction_, &QAction::triggered, this, &QWidget::close);
  findAction_ = new QAction(QIcon::fromTheme("edit-find"), tr("&Find..."), this);
  findAction_->setShortcut(QKeySequence::Find);
  findAction_->setToolTip(tr("Find text in this node"));
  connect(findAction_, &QAction::triggered, this, &ViewerWindow::ShowFindBar);
  findNextAction_ = new QAction(QIcon::fromTheme("go-down"), tr("Find &Next"), this);
  findNextAction_->setShortcut(QKeySequence::FindNext);
  connect(findNextAction_, &QAction::triggered, this, [this] { FindInNode(true); });
  findPreviousAction_ = new QAction(QIcon::fromTheme("go-up"), tr("Find &Previous"), this);
  findPreviousAction_->setShortcut(QKeySequence::FindPrevious);
  connect(findPreviousAction_, &QAction::triggered, this, [this] { FindInNode(false); });
  charsetGroup_ = new QActionGroup(this);
  for (const CharsetRow& row : kCharsetRows) {
    auto* action = new QAction(tr(row.label), charsetGroup_);
    action->setCheckable(true);
    action->setChecked(!row.charset);
    connect(action, &QAction::triggered, this, [this, charset = row.charset] { SetCharset(charset); });
  }
  automaticCharset_ = charsetGroup_->actions().front();
}

void ViewerWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(openAction_);
  file->addSeparator();
  file->addAction(quitAction_);
  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->addAction(findAction_);
  edit->addAction(findNextAction_);
  edit->addAction(findPreviousAction_);
  QMenu* go = menuBar()->addMenu(tr("&Navigate"));
  for (QAction* action : navActions_) go->addAction(action);
  QMenu* view = menuBar()->addMenu(tr("&View"));
  view->addMenu(tr("&Character Set"))->addActions(charsetGroup_->actions());
}

void ViewerWindow::BuildToolBar() {
  navigationBar_ = addToolBar(tr("Navigation"));
  navigationBar_->setObjectName("navigation");
  navigationBar_->setMovable(false);
  navigationBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  for (QAction* action : navActions_) navigationBar_->addAction(action);
  labelledBarWidth_ = navigationBar_->sizeHint().width();
}

// A window too narrow for the labelled buttons shows their images alone
// (their names stay in the tool tips) rather than hiding some of them.
void ViewerWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  bool labelled = width() >= labelledBarWidth_;
  navigationBar_->setToolButtonStyle(labelled ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
}

QWidget* ViewerWindow::BuildMessageBar() {
  messageBar_ = new QFrame;
  messageBar_->setObjectName("message");
  messageBar_->setAutoFillBackground(true);
  messageIcon_ = new QLabel;
  messageText_ = new QLabel;
  messageText_->setTextFormat(Qt::PlainText);
  messageText_->setWordWrap(true);
  messageText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* close = new QToolButton;
  close->setAutoRaise(true);
  close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  close->setToolTip(tr("Hide this message"));
  connect(close, &QToolButton::clicked, this, &ViewerWindow::HideMessage);
  auto* layout = new QHBoxLayout(messageBar_);
  layout->addWidget(messageIcon_, 0, Qt::AlignTop);
  layout->addWidget(messageText_, 1);
  layout->addWidget(close, 0, Qt::AlignTop);
  messageBar_->hide();
  return messageBar_;
}

QWidget* ViewerWindow::BuildFindBar() {
  findBar_ = new QWidget;
  findEdit_ = new QLineEdit;
  findEdit_->setPlaceholderText(tr("Text to find"));
  findEdit_->setClearButtonEnabled(true);
  findStatus_ = new QLabel;
  auto* previous = new QToolButton;
  previous->setDefaultAction(findPreviousAction_);
  auto* next = new QToolButton;
  next->setDefaultAction(findNextAction_);
  auto* close = new QToolButton;
  close->setAutoRaise(true);
  close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  close->setToolTip(tr("Close the find bar"));
  auto* label = new QLabel(tr("Find:"));
  label->setBuddy(findEdit_);
  auto* layout = new QHBoxLayout(findBar_);
  layout->setContentsMargins(6, 3, 6, 3);
  layout->addWidget(label);
  layout->addWidget(findEdit_, 1);
  layout->addWidget(previous);
  layout->addWidget(next);
  layout->addWidget(findStatus_);
  layout->addWidget(close);
  auto hide = [this] {
    findBar_->hide();
    view_->ClearFind();
    view_->setFocus();
  };
  connect(close, &QToolButton::clicked, this, hide);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), findBar_);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, this, hide);
  connect(findEdit_, &QLineEdit::textChanged, this, [this] {
    view_->ClearFind();
    FindInNode(true);
  });
  connect(findEdit_, &QLineEdit::returnPressed, this, [this] { FindInNode(true); });
  findBar_->hide();
  return findBar_;
}

// ---------------------------------------------------------------------------
// Showing what the reader has

bool ViewerWindow::Open(const GuideFile& file, const std::string& node) {
  GoResult result = reader_.Open(file, node);
  ShowResult(result);
  return result.shown;
}

bool ViewerWindow::Open(const std::string& path, const std::string& node) {
  std::optional<ReadingPlace> here;
  if (reader_.Shown().display) here = Here();
  GoResult result = reader_.Open(path, node, here);
  ShowResult(result);
  return result.shown;
}

ReadingPlace ViewerWindow::Here() const {
  GuideView::Position position = view_->TopPosition();
  return {position.paragraph, position.piece, position.x};
}

void ViewerWindow::ShowResult(const GoResult& result) {
  if (result.shown) {
    if (reader_.Shown().display.get() != view_->Node()) ShowNode();
    if (result.place)
      view_->ScrollToPosition({result.place->paragraph, result.place->piece, result.place->x});
  }
  if (!result.problem.empty())
    ShowMessage(QString::fromUtf8(result.problem), true);
  else if (!result.note.empty())
    ShowMessage(QString::fromUtf8(result.note), false);
  else if (result.shown)
    HideMessage();
  UpdateNavigation();
}

void ViewerWindow::ShowNode() {
  const ShownNode& shown = reader_.Shown();
  view_->SetNode(shown.display);
  setWindowTitle(QString::fromUtf8(shown.display->info.title.empty() ? shown.display->info.name
                                                                     : shown.display->info.title));
  location_->setText(QString::fromUtf8(std::filesystem::path(shown.path).filename().string()) +
                     QStringLiteral("  \u2014  ") + QString::fromUtf8(shown.display->info.name));
  automaticCharset_->setText(
      tr("&Automatic (%1)").arg(QString::fromUtf8(CharsetName(shown.source->charset))));
  if (findBar_->isVisible() && !findEdit_->text().isEmpty()) FindInNode(true);
}

void ViewerWindow::UpdateNavigation() {
  const ShownNode& shown = reader_.Shown();
  for (int i = 0; i < kNumNavButtons; ++i) {
    bool enabled = shown.display && shown.navigation.buttons[i].enabled;
    if (static_cast<NavButton>(i) == NavButton::Retrace) enabled = reader_.CanRetrace();
    navActions_[i]->setEnabled(enabled);
  }
}

void ViewerWindow::ShowMessage(const QString& text, bool problem) {
  QPalette palette = messageBar_->palette();
  palette.setColor(QPalette::Window, problem ? QColor(0xF6, 0xD8, 0xA8) : QColor(0xCF, 0xDF, 0xF2));
  palette.setColor(QPalette::WindowText, Qt::black);
  messageBar_->setPalette(palette);
  QStyle::StandardPixmap kind = problem ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxInformation;
  int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
  messageIcon_->setPixmap(style()->standardIcon(kind).pixmap(size, size));
  messageText_->setText(text);
  messageBar_->show();
}

void ViewerWindow::HideMessage() {
  messageText_->clear();
  messageBar_->hide();
}

QString ViewerWindow::Message() const { return messageBar_->isHidden() ? QString() : messageText_->text(); }

// ---------------------------------------------------------------------------
// Going places

void ViewerWindow::Navigate(NavButton button) {
  if (button == NavButton::Retrace) return ShowResult(reader_.Retrace());
  const NavTarget& target = reader_.Shown().navigation[button];
  if (target.enabled) ShowResult(reader_.GoTo(target.target, Here()));
}

void ViewerWindow::SetCharset(std::optional<Charset> charset) {
  GuideView::Position position = view_->TopPosition();
  reader_.SetCharset(charset);
  if (!reader_.Shown().display) return;
  ShowNode();
  view_->ScrollToPosition(position);
  for (QAction* action : charsetGroup_->actions())
    action->setChecked(kCharsetRows[charsetGroup_->actions().indexOf(action)].charset == charset);
}

void ViewerWindow::OpenFromDialog() {
  QString folder = QString::fromUtf8(DirectoryOf(reader_.Shown().path));
  QString name = QFileDialog::getOpenFileName(this, tr("Open Guide"), folder,
                                              tr("AmigaGuide documents (*.guide *.GUIDE);;All files (*)"));
  if (!name.isEmpty()) Open(name.toStdString());
}

void ViewerWindow::FollowLink(int link) {
  const DisplayNode* node = view_->Node();
  if (node == nullptr || link < 0 || link >= static_cast<int>(node->links.size())) return;
  LinkAction action = DecideLinkAction(node->links[link]);
  switch (action.kind) {
    case LinkActionKind::ShowNode:
      return ShowResult(reader_.Go(action.file, action.node, action.line, Here()));
    case LinkActionKind::RunProgram: return ConfirmProgram(action);
    case LinkActionKind::OpenUrl: return ConfirmUrl(action);
    case LinkActionKind::Arexx:
      return ShowMessage(
          tr("This link asks ARexx to run \u201c%1\u201d. There is no ARexx on this system, so "
             "nothing was run.")
              .arg(QString::fromUtf8(ShortenedForMessage(action.command))),
          true);
    case LinkActionKind::Beep: return QApplication::beep();
    case LinkActionKind::Close:
    case LinkActionKind::Quit: close(); return;
    case LinkActionKind::Nothing: return ShowMessage(QString::fromUtf8(action.reason), true);
  }
}

// ---------------------------------------------------------------------------
// Links that run something: ask first

void ViewerWindow::Ask(const QString& question, const QString& details, const QString& acceptLabel,
                       std::function<void()> onAccept) {
  if (confirmation_) confirmation_->reject();  // one question at a time
  auto* dialog = new ConfirmDialog(question, details, acceptLabel, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::WindowModal);
  connect(dialog, &QDialog::accepted, this, std::move(onAccept));
  confirmation_ = dialog;
  dialog->open();
}

void ViewerWindow::ConfirmProgram(const LinkAction& action) {
  QString details = tr("Command as the guide writes it:\n%1\n\nProgram:\n%2\n\nArguments:\n")
                        .arg(QString::fromUtf8(action.command), QString::fromUtf8(action.words[0]));
  if (action.words.size() == 1) details += tr("(none)\n");
  for (size_t i = 1; i < action.words.size(); ++i)
    details += QString("%1. %2\n").arg(i).arg(QString::fromUtf8(action.words[i]));
  details += tr("\nIt runs without a shell, in the folder %1.")
                 .arg(QString::fromUtf8(DirectoryOf(reader_.Shown().path)));
  Ask(tr("This link wants to run a program on your computer. Run it only if you trust this guide."), details,
      tr("&Run"), [this, words = action.words] { RunProgram(words); });
}

void ViewerWindow::ConfirmUrl(const LinkAction& action) {
  QString details = tr("Address:\n%1\n\nCommand as the guide writes it:\n%2")
                        .arg(QString::fromUtf8(action.url), QString::fromUtf8(action.command));
  Ask(tr("This link wants to open a web page in your browser."), details, tr("&Open"),
      [this, url = action.url] {
        if (!QDesktopServices::openUrl(QUrl(QString::fromUtf8(url), QUrl::StrictMode)))
          ShowMessage(
              tr("The web page could not be opened: %1").arg(QString::fromUtf8(ShortenedForMessage(url))),
              true);
      });
}

void ViewerWindow::RunProgram(const std::vector<std::string>& words) {
  QStringList arguments;
  for (size_t i = 1; i < words.size(); ++i) arguments << QString::fromUtf8(words[i]);
  QString program = QString::fromUtf8(words[0]);
  QString folder = QString::fromUtf8(DirectoryOf(reader_.Shown().path));
  QString shortName = QString::fromUtf8(ShortenedForMessage(words[0]));
  if (QProcess::startDetached(program, arguments, folder))
    ShowMessage(tr("Started \u201c%1\u201d.").arg(shortName), false);
  else
    ShowMessage(tr("The program \u201c%1\u201d could not be started.").arg(shortName), true);
}

// ---------------------------------------------------------------------------
// Find

void ViewerWindow::ShowFindBar() {
  findBar_->show();
  findEdit_->setFocus();
  findEdit_->selectAll();
}

void ViewerWindow::FindInNode(bool forward) {
  if (findEdit_->text().isEmpty()) {
    ShowFindBar();
    findStatus_->clear();
    return;
  }
  int count = view_->Find(findEdit_->text(), forward);
  findStatus_->setText(count == 0 ? tr("Not found")
                                  : tr("%1 of %2").arg(view_->CurrentMatch() + 1).arg(count));
}

QString ViewerWindow::FindStatus() const { return findStatus_->text(); }

}  // namespace folioteer
