// A widget that shows one guide node as an AmigaGuide reader does: the
// display model laid out to the widget's width in the node's font, on the
// Workbench palette, with links drawn as buttons (raised; the active one,
// filltext on fill, recessed). It scrolls vertically, and sideways when a
// line is wider than the view (wrap mode None).
//
// It knows nothing of guides or files: it shows the node it is given and
// reports a link the user follows (a click released on the button pressed,
// or Enter on the link that has the keyboard focus) by its index in the
// node's links. Tab and Shift+Tab move the focus from link to link in
// reading order, round and round. Find marks every match of a text (letter
// case ignored) and scrolls to the current one.
//
// The guide viewer's window and the editor's preview both use it.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QString>
#include <memory>
#include <vector>

#include "guideview/node_layout.h"
#include "render/display_model.h"

namespace folioteer {

class GuideView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // Where the view stands, as a history keeps it: the top line by the
  // paragraph and the piece it starts with, and the sideways scroll. It
  // survives a change of the view's width.
  struct Position {
    int paragraph = 0;
    int piece = 0;  // from the paragraph's first
    int x = 0;
  };

  explicit GuideView(QWidget* parent = nullptr);

  // The font used when a node asks for none (default: the system's fixed-width font).
  void SetViewerFont(const QFont& font);
  // Shows a node from its top, without link focus or find marks.
  void SetNode(std::shared_ptr<const DisplayNode> node);
  const DisplayNode* Node() const { return layout_.Node(); }
  const NodeLayout& Layout() const { return layout_; }

  Position TopPosition() const;
  void ScrollToPosition(const Position& position);
  // Puts the paragraph (a line of the node as the plain text counts them)
  // at the top, as far as the node reaches.
  void ScrollToParagraph(int paragraph);
  int TopLine() const;

  int FocusedLink() const { return focusedLink_; }
  // Gives the focus to a link (-1: to none) and scrolls it into view.
  void FocusLink(int link);
  // FALSE when the node has no link.
  bool MoveLinkFocus(bool forward);
  // The link's button in viewport coordinates; empty when it is not shown.
  QRect LinkRect(int link) const;

  // Marks the matches of the text and moves to the next (or previous) one,
  // starting from the top of the view; the number of matches.
  int Find(const QString& text, bool forward);
  void ClearFind();
  int MatchCount() const { return static_cast<int>(matches_.size()); }
  int CurrentMatch() const { return currentMatch_; }
  // The current match's line; -1 when there is none.
  int CurrentMatchLine() const;

 signals:
  void LinkActivated(int link);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  struct Match {
    int paragraph = 0;
    int begin = 0, end = 0;  // in the paragraph's text
  };

  void Relayout();
  void UpdateScrollBars();
  void ScrollToLine(int line);
  void EnsureVisible(int line, qreal left, qreal right);
  int LineAt(int viewportY) const;
  int LinkAt(QPoint viewportPoint) const;
  int LineOfMatch(const Match& match) const;
  void FindMatches(const QString& text);
  bool MatchExtent(const Match& match, const std::vector<NodeLayout::Placed>& placed, qreal& x0,
                   qreal& x1) const;
  void PaintLine(QPainter& painter, int line, int top, int left) const;
  void PaintMatches(QPainter& painter, int line, const std::vector<NodeLayout::Placed>& placed, int top,
                    int left) const;
  void PaintButton(QPainter& painter, const NodeLayout::Placed& placed, int top, int left) const;

  std::shared_ptr<const DisplayNode> node_;
  NodeLayout layout_;
  QFont viewerFont_;
  qreal laidOutWidth_ = -1;
  int focusedLink_ = -1;
  int pressedLink_ = -1;
  bool pressedInside_ = false;
  QString findText_;
  std::vector<Match> matches_;
  int currentMatch_ = -1;
};

}  // namespace folioteer
