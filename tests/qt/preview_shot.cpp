// The draft preview of one node of a guide, as the editor shows it after
// DISPNODE, for scripts/screenshots until the editor's own windows take the
// preview beside the edit window:
//
//     preview_shot GUIDE NODE
//
// With FOLIOTEER_SCREENSHOT naming a file, it saves a picture of the window
// there as soon as the window is shown, and ends; otherwise the window stays
// until its close control is used. The menu bar carries the menus of the
// editor's main window, as the windows fill it.
#include <QApplication>
#include <QMenuBar>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "preview_session.h"
#include "ui/controls.h"

namespace {

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void FillMenus(QMenuBar* bar) {
  std::map<uint8_t, QMenu*> menus;
  for (const folioteer::MenuRow& row : folioteer::MenuLayout()) {
    QMenu*& menu = menus[row.menu];
    if (menu == nullptr) menu = bar->addMenu(FromView(folioteer::MenuTitle(row.menu)));
    if (row.kind == folioteer::MenuKind::Separator) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(FromView(row.label));
    action->setEnabled(row.kind != folioteer::MenuKind::Disabled);
    action->setCheckable(row.kind == folioteer::MenuKind::Toggle);
  }
}

int Run(const std::string& guide, const std::string& nodeName) {
  folioteer::testing::PreviewSession session(guide);
  folioteer::NodeEntry* node = folioteer::FindNodeByName(nodeName);
  if (node == nullptr) {
    std::fprintf(stderr, "preview_shot: no node \"%s\" in %s\n", nodeName.c_str(), guide.c_str());
    return 1;
  }
  folioteer::QtPreviewWindow& window = session.Window();
  FillMenus(window.menuBar());
  session.Edit(folioteer::FindNodeIdx(node));
  session.Preview();
  const char* screenshot = std::getenv("FOLIOTEER_SCREENSHOT");
  if (screenshot != nullptr && *screenshot != '\0') {
    QTimer::singleShot(0, &window, [&window, screenshot] {
      bool saved = window.grab().save(QString::fromLocal8Bit(screenshot), "PNG");
      if (!saved) std::fprintf(stderr, "preview_shot: cannot write the picture %s\n", screenshot);
      QApplication::exit(saved ? 0 : 1);
    });
  }
  QObject::connect(&window, &folioteer::QtPreviewWindow::CloseRequested, [] { QApplication::exit(0); });
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: preview_shot GUIDE NODE\n", stderr);
    return 2;
  }
  std::string guide = argv[1], node = argv[2];
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  try {
    return Run(guide, node);
  } catch (const folioteer::AssertionFailure& failure) {
    std::fprintf(stderr, "preview_shot: %s\n", failure.Message().c_str());
    return 1;
  }
}
