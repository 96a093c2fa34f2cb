// Asking Qt for the screen in front.
#include "peekfront/front_screen.h"

#include <unistd.h>

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <cstring>

namespace folioteer {
namespace {

const char* fallbackName = "";

// Qt reports a platform it cannot start as a fatal message and then aborts;
// the tool's answer for every failure is the fallback name.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString&) {
  if (type != QtFatalMsg) return;
  ssize_t ignored = ::write(STDOUT_FILENO, fallbackName, std::strlen(fallbackName));
  (void)ignored;
  ::_exit(0);
}

}  // namespace

std::string FrontScreenName(const std::string& platforms, const char* fallback) {
  fallbackName = fallback;
  qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platforms));
  qInstallMessageHandler(QuietMessages);
  // Our own arguments are not Qt's: Qt sees only a program name.
  int argc = 1;
  char programName[] = "peekfront";
  char* argv[] = {programName, nullptr};
  QGuiApplication application(argc, argv);
  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->name().toStdString() : std::string();
}

}  // namespace folioteer
