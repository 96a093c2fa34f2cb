// Takes a picture of one of the editor's windows for scripts/screenshots:
// the real editor on a copy of a guide, driven to the scene as a user would
// get there, the window saved as PNG where FOLIOTEER_SCREENSHOT says, then
// ended without saving.
//
//   editor_scenes edit FILE NODE            the edit window showing the node
//   editor_scenes command FILE NODE KIND    the new-command dialog of a kind
//   editor_scenes link FILE NODE            the new-link dialog, filled in
//   editor_scenes attribute FILE NODE KIND  the new-attribute dialog of a kind
//   editor_scenes spell FILE NODE           the spell window, its first word chosen
//   editor_scenes preview FILE NODE         the draft preview of the node
#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

#include "editor_driver.h"

namespace folioteer {
namespace {

using testing::EditorRun;

int Fail(const std::string& message) {
  std::fputs(("editor_scenes: " + message + "\n").c_str(), stderr);
  return 1;
}

// Shows the node of that name in the edit window.
bool ShowNode(EditorRun& run, const std::string& name) {
  std::vector<std::string> rows = run.Rows(Control::NodeList);
  auto found = std::find(rows.begin(), rows.end(), name);
  return found != rows.end() && run.ClickRow(Control::NodeList, static_cast<int>(found - rows.begin()));
}

// Drives the run to the scene; the window to take, or nullptr.
QWidget* Scene(EditorRun& run, const QStringList& args) {
  const QString& scene = args[0];
  if (!run.WaitIdle() || args.size() < 3 || !ShowNode(run, args[2].toStdString())) return nullptr;
  if (scene == "edit") {
    run.Box()->setFocus();
    return &run.Windows().Edit();
  }
  if (scene == "command" && args.size() > 3) {
    bool local = run.Pick(Control::AddLocal, args[3]);
    if (!local && !run.Pick(Control::AddGlobal, args[3])) return nullptr;
    return run.Dialog();
  }
  if (scene == "link") {
    if (!run.Press(Control::Link) || run.Dialog() == nullptr) return nullptr;
    run.TypeField(Control::LinkText, QStringLiteral("Text attributes"));
    run.TypeField(Control::LinkTarget, QStringLiteral("Attributes"));
    return run.Dialog();
  }
  if (scene == "attribute" && args.size() > 3) {
    if (!run.Pick(Control::AttrPopup, args[3])) return nullptr;
    return run.Dialog();
  }
  if (scene == "preview") {
    if (!run.PressAndWait(Control::Show) || !run.Windows().Preview().isVisible()) return nullptr;
    return &run.Windows().Preview();
  }
  if (scene == "spell") {
    if (!run.Menu(MenuItem::SpellCheck) || !run.WaitIdle()) return nullptr;
    if (!run.ClickRow(Control::MisspellList, 0)) return nullptr;
    return &run.Windows().Spell();
  }
  return nullptr;
}

}  // namespace
}  // namespace folioteer

int main(int argc, char** argv) {
  using namespace folioteer;
  QApplication application(argc, argv);
  QStringList args = QApplication::arguments().mid(1);
  const char* picture = std::getenv("FOLIOTEER_SCREENSHOT");
  if (args.size() < 2 || picture == nullptr || *picture == '\0')
    return Fail("usage: FOLIOTEER_SCREENSHOT=FILE.png editor_scenes SCENE GUIDE [NODE] [KIND]");
  std::string guide = testing::ReadBytes(args[1]);
  if (guide.empty()) return Fail("cannot read " + args[1].toStdString());
  // The run works in a folder of its own.
  QString file = QFileInfo(QString::fromLocal8Bit(picture)).absoluteFilePath();
  QApplication::setQuitOnLastWindowClosed(false);
  testing::EditorRun run(guide, {"NOMAKEICONS"}, QFileInfo(args[1]).fileName());
  QWidget* window = Scene(run, args);
  if (window == nullptr)
    return Fail("the scene \"" + args.join(' ').toStdString() + "\" could not be reached");
  QApplication::processEvents();
  if (!window->grab().save(file, "PNG")) return Fail("cannot write " + file.toStdString());
  return 0;
}
