// The guide viewer's window: the navigation bar (Contents, Index, Help,
// Retrace, Browse <, Browse >), the node in a GuideView, a message bar for
// what the reader should know (a link that leads nowhere, a script that was
// not run), and a find bar. The title is the node's title.
//
// The reading state (guides, nodes, history) is the GuideReader's; the
// window turns the user's actions into its calls and shows the results. A
// link that would run a program or open a web page asks first, in a
// ConfirmDialog that shows exactly what would run; a confirmed program runs
// detached and without a shell, in the guide's folder. ARexx never runs.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "folioview/confirm_dialog.h"
#include "folioview/guide_reader.h"
#include "links/link_action.h"

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QToolBar;

namespace folioteer {

class GuideView;

class ViewerWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit ViewerWindow(VolumeTable volumes = {}, QWidget* parent = nullptr);

  // Shows a guide at a node (empty: its main node); FALSE when nothing can
  // be shown (the message bar says why).
  bool Open(const GuideFile& file, const std::string& node = {});
  bool Open(const std::string& path, const std::string& node = {});

  void FollowLink(int link);
  void Navigate(NavButton button);
  void SetCharset(std::optional<Charset> charset);
  // Shows a sentence in the message bar; a problem is marked as such.
  void ShowMessage(const QString& text, bool problem);

  GuideView* View() const { return view_; }
  const GuideReader& Reader() const { return reader_; }
  QAction* NavigationAction(NavButton button) const { return navActions_[static_cast<int>(button)]; }
  QAction* FindAction() const { return findAction_; }
  QAction* FindNextAction() const { return findNextAction_; }
  QAction* FindPreviousAction() const { return findPreviousAction_; }
  QActionGroup* CharsetActions() const { return charsetGroup_; }
  QLineEdit* FindEdit() const { return findEdit_; }
  QString FindStatus() const;
  // The message bar's text; empty when it is hidden.
  QString Message() const;
  // The question asked now, else nullptr.
  ConfirmDialog* Confirmation() const { return confirmation_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildActions();
  void BuildMenus();
  void BuildToolBar();
  QWidget* BuildMessageBar();
  QWidget* BuildFindBar();
  void ShowResult(const GoResult& result);
  void ShowNode();
  void UpdateNavigation();
  void HideMessage();
  ReadingPlace Here() const;
  void Ask(const QString& question, const QString& details, const QString& acceptLabel,
           std::function<void()> onAccept);
  void ConfirmProgram(const LinkAction& action);
  void ConfirmUrl(const LinkAction& action);
  void RunProgram(const std::vector<std::string>& words);
  void ShowFindBar();
  void FindInNode(bool forward);
  void OpenFromDialog();

  GuideReader reader_;
  GuideView* view_ = nullptr;
  std::array<QAction*, kNumNavButtons> navActions_{};
  QAction* openAction_ = nullptr;
  QAction* quitAction_ = nullptr;
  QAction* findAction_ = nullptr;
  QAction* findNextAction_ = nullptr;
  QAction* findPreviousAction_ = nullptr;
  QActionGroup* charsetGroup_ = nullptr;
  QAction* automaticCharset_ = nullptr;
  QWidget* messageBar_ = nullptr;
  QLabel* messageIcon_ = nullptr;
  QLabel* messageText_ = nullptr;
  QWidget* findBar_ = nullptr;
  QLineEdit* findEdit_ = nullptr;
  QLabel* findStatus_ = nullptr;
  QLabel* location_ = nullptr;
  QToolBar* navigationBar_ = nullptr;
  int labelledBarWidth_ = 0;  // what the bar needs with its labels
  QPointer<ConfirmDialog> confirmation_;
};

}  // namespace folioteer
