// Test helper: prints the name of every screen Qt sees on the display in
// DISPLAY, one a line, primary first: the names the editor would be given.
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  QList<QScreen*> screens = QGuiApplication::screens();
  screens.removeOne(QGuiApplication::primaryScreen());
  screens.prepend(QGuiApplication::primaryScreen());
  for (QScreen* screen : screens) std::printf("%s\n", screen->name().toUtf8().constData());
  return 0;
}
