// The draft preview's window: the node being edited as a reader will see it,
// in a window of its own beside the edit window.
//
// It shows a temporary guide file that the core preview (preview/preview.h)
// wrote: the file is read as a reader reads files and its MAIN node rendered
// (ui/preview_display.h), then a GuideView that fills the window lays it out
// and paints it, with a vertical scroller, again whenever the window is
// resized. Links are drawn but never followed: the draft holds one node, and
// nothing in it runs (system, rx and rxs links, @onopen, @onclose); a click
// on a link only says so in the status bar. Showing the same title again
// (the node previewed once more after an edit) keeps the place the user
// scrolled to; another title starts at the top.
//
// Like the editor's other windows it holds no program logic: its close
// control does not close it (the program decides, with VIEWOFF) but is
// reported, and so are resizing, moving and the keys, through the signals.
// Everything here runs on the Qt thread.
//
// Wiring it into the Qt WindowSystem:
// - Make one QtPreviewWindow with the other windows; it is the platform
//   window of the record WindowWndo(WindowId::Preview) and lives as long as
//   the window set (closing only hides it). Fill its menu bar with the main
//   window's menus: menus.AddMenus(preview->menuBar()); a pick there is a
//   MenuPick of the preview window.
// - WindowSystem::ShowPreview(guideFile, title), on the program thread:
//     CallOnGui([&] { preview->ShowGuide(std::string(guideFile), title); });
//   The window operations then open the record (ui/windows.cpp, OpenMy), and
//   the monitor's OpenPlatformWindow for it calls preview->Open(screen) with
//   the screen the windows were opened on.
// - WindowSystem::ClosePreview(): CallOnGui([&] { preview->Close(); }); the
//   monitor's ClosePlatformWindow for the record calls preview->Close() too
//   (it does nothing the second time). Iconifying needs nothing of its own:
//   the program closes the preview then and shows it again after the restore.
// - Input, posted for the preview's record as the other windows' input is:
//     CloseRequested    -> EvntInput(EvntKind::CloseWindow)   (becomes VIEWOFF)
//     Resized(g)        -> BoxInput(EvntKind::NewSize, {g.x(), g.y(), g.width(), g.height()})
//     Moved(g)          -> BoxInput(EvntKind::ChangeWin, {...the same})
//     KeyTyped(t, help) -> KeyInput(bytes of t, help)        (the Help key: HELP)
//   A window system that reads every window's input through one
//   application-wide event filter sees the same events there (the close
//   event reaches the filter before the window ignores it) and connects none
//   of the signals.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QSize>
#include <QString>
#include <string>
#include <string_view>

class QScreen;

namespace folioteer {

class GuideView;

class QtPreviewWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Where the window first opens on its screen, and its first size.
  static constexpr QPoint kFirstPosition{10, 10};
  static constexpr QSize kFirstSize{640, 480};

  explicit QtPreviewWindow(QWidget* parent = nullptr);

  // Reads the guide file and shows its MAIN node, titled with the title's
  // bytes (UTF-8 when the file is, else as their own bytes tell); open or not. A file that cannot
  // be shown leaves the view empty and says why in the status bar.
  void ShowGuide(const std::string& guideFile, std::string_view title);
  // Shows the window without taking the keyboard from the edit window: the
  // first time at kFirstPosition on the screen (nullptr: the primary one)
  // with kFirstSize, later where the user left it.
  void Open(QScreen* screen = nullptr);
  // Hides the window and lets go of the node.
  void Close();

  GuideView* View() const { return view_; }
  // The file shown last; empty after Close.
  const std::string& ShownFile() const { return shownFile_; }
  // What the status bar says now.
  QString Note() const;

 signals:
  void CloseRequested();
  void Resized(const QRect& geometry);
  void Moved(const QRect& geometry);
  // A key pressed in the window: the characters it gives, and whether it is
  // the Help key (Help, or F1 on keyboards without one).
  void KeyTyped(const QString& text, bool helpKey);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void NoteLink(int link);

  GuideView* view_ = nullptr;
  std::string shownFile_;
  std::string shownTitle_;
  bool placed_ = false;
};

}  // namespace folioteer
