#include "folioview/viewer_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "folioview/viewer_window.h"
#include "links/volume_table.h"

namespace folioteer {
namespace {

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;
constexpr int kSmallest = 200;
// The name the editor gives a screen when none was named.
constexpr const char* kDefaultScreenName = "Workbench";

void Complain(const std::string& message) { std::fputs(("folioview: " + message + "\n").c_str(), stderr); }

QScreen* ScreenNamed(const std::string& name) {
  QScreen* primary = QGuiApplication::primaryScreen();
  if (name.empty()) return primary;
  QString wanted = QString::fromStdString(name);
  for (QScreen* screen : QGuiApplication::screens())
    if (screen->name() == wanted) return screen;
  for (QScreen* screen : QGuiApplication::screens())
    if (screen->name().compare(wanted, Qt::CaseInsensitive) == 0) return screen;
  if (wanted.compare(kDefaultScreenName, Qt::CaseInsensitive) != 0)
    Complain("there is no screen named \"" + name + "\"; the default screen is used");
  return primary;
}

void Place(ViewerWindow& window, QScreen* screen, const ViewerOptions& options) {
  QSize size(options.width > 0 ? options.width : kDefaultWidth,
             options.height > 0 ? options.height : kDefaultHeight);
  if (screen != nullptr) {
    QRect area = screen->availableGeometry();
    window.setScreen(screen);
    size = size.boundedTo(area.size());
    window.move(area.topLeft() + QPoint(std::max(0, (area.width() - size.width()) / 2),
                                        std::max(0, (area.height() - size.height()) / 2)));
  }
  window.resize(size.expandedTo(QSize(kSmallest, kSmallest)));
}

VolumeTable Volumes() {
  VolumeTable volumes = LoadVolumeTable();
  for (const std::string& problem : volumes.problems) Complain(VolumeTablePath() + ", " + problem);
  return volumes;
}

}  // namespace

int RunViewerWindow(const ViewerOptions& options, const GuideFile& file, const std::string& platforms) {
  qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platforms));
  // Our arguments are not Qt's: Qt sees only the program's name.
  int argc = 1;
  char name[] = "folioview";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  QApplication::setApplicationName("folioview");
  QApplication::setApplicationVersion("1.0");
  QGuiApplication::setDesktopFileName("folioview");
  ViewerWindow window(Volumes());
  window.Open(file, options.node);
  Place(window, ScreenNamed(options.pubScreen), options);
  window.show();
  const char* screenshot = std::getenv("FOLIOTEER_SCREENSHOT");
  if (screenshot != nullptr && *screenshot != '\0') {
    QTimer::singleShot(0, &window, [&window, screenshot] {
      bool saved = window.grab().save(QString::fromLocal8Bit(screenshot), "PNG");
      if (!saved) Complain(std::string("cannot write the picture ") + screenshot);
      QApplication::exit(saved ? kViewerOk : kViewerUnreadable);
    });
  }
  return QApplication::exec();
}

}  // namespace folioteer
