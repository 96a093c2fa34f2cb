#include "guideview/guide_view.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace folioteer {
namespace {

// Space between the node and the edges of the view.
constexpr int kMargin = 6;
// Find marks: the current match in the Workbench's orange, the others lighter.
const QColor kCurrentMatch(0xEE, 0x99, 0x00);
const QColor kOtherMatch(0xF2, 0xD2, 0x8C);

QColor Pen(uint8_t pen) { return QColor::fromRgb(PenColor(pen)); }

using PieceKind = NodeLayout::PieceKind;

}  // namespace

GuideView::GuideView(QWidget* parent)
    : QAbstractScrollArea(parent), viewerFont_(QFontDatabase::systemFont(QFontDatabase::FixedFont)) {
  setFocusPolicy(Qt::StrongFocus);
  // Always there, so that its coming and going never changes the width lines break at.
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  layout_.SetNode(nullptr, viewerFont_);
}

void GuideView::SetViewerFont(const QFont& font) {
  viewerFont_ = font;
  Position position = TopPosition();
  layout_.SetNode(node_, node_ ? NodeFont(node_->font, viewerFont_) : viewerFont_);
  laidOutWidth_ = -1;
  Relayout();
  ScrollToPosition(position);
}

void GuideView::SetNode(std::shared_ptr<const DisplayNode> node) {
  node_ = std::move(node);
  layout_.SetNode(node_, node_ ? NodeFont(node_->font, viewerFont_) : viewerFont_);
  focusedLink_ = -1;
  pressedLink_ = -1;
  findText_.clear();
  matches_.clear();
  currentMatch_ = -1;
  laidOutWidth_ = -1;
  Relayout();
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  viewport()->update();
}

// ---------------------------------------------------------------------------
// Layout and scrolling

void GuideView::Relayout() {
  qreal width = std::max(viewport()->width() - 2 * kMargin, 1);
  if (width != laidOutWidth_) {
    layout_.Layout(width);
    laidOutWidth_ = width;
  }
  UpdateScrollBars();
}

void GuideView::UpdateScrollBars() {
  int lineHeight = layout_.LineHeight();
  int height = 2 * kMargin + static_cast<int>(layout_.Lines().size()) * lineHeight;
  int width = 2 * kMargin + static_cast<int>(std::ceil(layout_.ContentWidth()));
  verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
  verticalScrollBar()->setPageStep(std::max(viewport()->height() - lineHeight, lineHeight));
  verticalScrollBar()->setSingleStep(lineHeight);
  horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setSingleStep(std::max(1, static_cast<int>(layout_.SpaceWidth())));
}

void GuideView::resizeEvent(QResizeEvent* event) {
  Position position = TopPosition();
  QAbstractScrollArea::resizeEvent(event);
  Relayout();
  ScrollToPosition(position);
}

int GuideView::TopLine() const {
  int lines = static_cast<int>(layout_.Lines().size());
  if (lines == 0) return 0;
  return std::clamp((verticalScrollBar()->value() - kMargin) / layout_.LineHeight(), 0, lines - 1);
}

GuideView::Position GuideView::TopPosition() const {
  if (layout_.Lines().empty()) return {};
  const NodeLayout::Line& line = layout_.Lines()[TopLine()];
  return {line.paragraph, line.firstPiece - layout_.FirstPieceOf(line.paragraph),
          horizontalScrollBar()->value()};
}

void GuideView::ScrollToLine(int line) {
  verticalScrollBar()->setValue(line <= 0 ? 0 : kMargin + line * layout_.LineHeight());
}

void GuideView::ScrollToPosition(const Position& position) {
  const DisplayNode* node = layout_.Node();
  if (node == nullptr || node->paragraphs.empty()) return;
  int paragraph = std::clamp(position.paragraph, 0, static_cast<int>(node->paragraphs.size()) - 1);
  int line = layout_.FirstLineOf(paragraph);
  if (position.piece > 0)
    line = std::max(line, layout_.LineOfPiece(layout_.FirstPieceOf(paragraph) + position.piece));
  ScrollToLine(line);
  horizontalScrollBar()->setValue(position.x);
}

void GuideView::ScrollToParagraph(int paragraph) { ScrollToPosition({paragraph, 0, 0}); }

void GuideView::EnsureVisible(int line, qreal left, qreal right) {
  int lineHeight = layout_.LineHeight();
  int top = kMargin + line * lineHeight;
  QScrollBar* vertical = verticalScrollBar();
  if (top < vertical->value())
    vertical->setValue(top - kMargin);
  else if (top + lineHeight > vertical->value() + viewport()->height())
    vertical->setValue(top + lineHeight + kMargin - viewport()->height());
  QScrollBar* horizontal = horizontalScrollBar();
  if (left + kMargin < horizontal->value())
    horizontal->setValue(static_cast<int>(left));
  else if (right + kMargin > horizontal->value() + viewport()->width())
    horizontal->setValue(static_cast<int>(std::ceil(right + 2 * kMargin)) - viewport()->width());
}

int GuideView::LineAt(int viewportY) const {
  int y = viewportY + verticalScrollBar()->value() - kMargin;
  if (y < 0) return -1;
  int line = y / layout_.LineHeight();
  return line < static_cast<int>(layout_.Lines().size()) ? line : -1;
}

// ---------------------------------------------------------------------------
// Links

int GuideView::LinkAt(QPoint viewportPoint) const {
  int line = LineAt(viewportPoint.y());
  if (line < 0) return -1;
  qreal x = viewportPoint.x() + horizontalScrollBar()->value() - kMargin;
  for (const NodeLayout::Placed& placed : layout_.PlaceLine(line)) {
    const NodeLayout::Piece& piece = layout_.Pieces()[placed.piece];
    if (piece.kind == PieceKind::Link && x >= placed.x && x < placed.x + placed.width)
      return layout_.Spans()[piece.span].span->link;
  }
  return -1;
}

QRect GuideView::LinkRect(int link) const {
  int piece = layout_.LinkPiece(link);
  if (piece < 0 || layout_.Lines().empty()) return {};
  int line = layout_.LineOfPiece(piece);
  for (const NodeLayout::Placed& placed : layout_.PlaceLine(line)) {
    if (placed.piece != piece) continue;
    int left = kMargin - horizontalScrollBar()->value();
    int top = kMargin + line * layout_.LineHeight() - verticalScrollBar()->value();
    int x = left + static_cast<int>(std::round(placed.x));
    return QRect(x, top, left + static_cast<int>(std::round(placed.x + placed.width)) - x,
                 layout_.LineHeight());
  }
  return {};
}

void GuideView::FocusLink(int link) {
  focusedLink_ = layout_.LinkPiece(link) >= 0 ? link : -1;
  if (focusedLink_ >= 0) {
    int piece = layout_.LinkPiece(link);
    int line = layout_.LineOfPiece(piece);
    for (const NodeLayout::Placed& placed : layout_.PlaceLine(line))
      if (placed.piece == piece) EnsureVisible(line, placed.x, placed.x + placed.width);
  }
  viewport()->update();
}

bool GuideView::MoveLinkFocus(bool forward) {
  const std::vector<int>& order = layout_.LinksInOrder();
  if (order.empty()) return false;
  auto at = std::find(order.begin(), order.end(), focusedLink_);
  int count = static_cast<int>(order.size());
  int next = 0;
  if (at != order.end()) {
    next = (static_cast<int>(at - order.begin()) + (forward ? 1 : -1) + count) % count;
  } else {
    // From the view: the first link from the top line on, or the last one above the bottom.
    int top = TopLine();
    int bottom = LineAt(viewport()->height() - 1);
    if (bottom < 0) bottom = static_cast<int>(layout_.Lines().size()) - 1;
    next = forward ? 0 : count - 1;
    for (int i = 0; i < count; ++i) {
      int index = forward ? i : count - 1 - i;
      int line = layout_.LineOfPiece(layout_.LinkPiece(order[index]));
      if (forward ? line >= top : line <= bottom) {
        next = index;
        break;
      }
    }
  }
  FocusLink(order[next]);
  return true;
}

bool GuideView::focusNextPrevChild(bool next) {
  if (MoveLinkFocus(next)) return true;
  return QAbstractScrollArea::focusNextPrevChild(next);
}

// ---------------------------------------------------------------------------
// Find

void GuideView::FindMatches(const QString& text) {
  findText_ = text;
  matches_.clear();
  currentMatch_ = -1;
  const DisplayNode* node = layout_.Node();
  if (node == nullptr || text.isEmpty()) return;
  for (int p = 0; p < static_cast<int>(node->paragraphs.size()); ++p) {
    QString paragraph = layout_.ParagraphText(p);
    for (qsizetype at = paragraph.indexOf(text, 0, Qt::CaseInsensitive); at >= 0;
         at = paragraph.indexOf(text, at + text.size(), Qt::CaseInsensitive))
      matches_.push_back({p, static_cast<int>(at), static_cast<int>(at + text.size())});
  }
}

int GuideView::LineOfMatch(const Match& match) const {
  int line = layout_.FirstLineOf(match.paragraph);
  const auto& lines = layout_.Lines();
  const auto& spans = layout_.Spans();
  for (; line + 1 < static_cast<int>(lines.size()) && lines[line + 1].paragraph == match.paragraph; ++line) {
    if (lines[line + 1].firstPiece >= lines[line + 1].endPiece) break;
    const NodeLayout::Piece& first = layout_.Pieces()[lines[line + 1].firstPiece];
    if (spans[first.span].offset + first.begin > match.begin) break;
  }
  return line;
}

int GuideView::CurrentMatchLine() const {
  return currentMatch_ < 0 ? -1 : LineOfMatch(matches_[currentMatch_]);
}

int GuideView::Find(const QString& text, bool forward) {
  if (text.compare(findText_, Qt::CaseInsensitive) != 0 || matches_.empty()) FindMatches(text);
  int count = MatchCount();
  if (count == 0) {
    viewport()->update();
    return 0;
  }
  if (currentMatch_ < 0) {
    int top = TopLine();
    currentMatch_ = forward ? 0 : count - 1;
    for (int i = 0; i < count; ++i) {
      int index = forward ? i : count - 1 - i;
      if (forward ? LineOfMatch(matches_[index]) >= top : LineOfMatch(matches_[index]) < top) {
        currentMatch_ = index;
        break;
      }
    }
  } else {
    currentMatch_ = (currentMatch_ + (forward ? 1 : -1) + count) % count;
  }
  int line = CurrentMatchLine();
  qreal x0 = 0, x1 = 0;
  MatchExtent(matches_[currentMatch_], layout_.PlaceLine(line), x0, x1);
  EnsureVisible(line, x0, x1);
  viewport()->update();
  return count;
}

void GuideView::ClearFind() {
  FindMatches({});
  viewport()->update();
}

// ---------------------------------------------------------------------------
// Painting

void GuideView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.fillRect(event->rect(), Pen(kBackgroundPen));
  int lines = static_cast<int>(layout_.Lines().size());
  if (lines == 0) return;
  int lineHeight = layout_.LineHeight();
  int scroll = verticalScrollBar()->value();
  int first = std::max(0, (scroll + event->rect().top() - kMargin) / lineHeight);
  int last = std::min(lines - 1, (scroll + event->rect().bottom() - kMargin) / lineHeight);
  int left = kMargin - horizontalScrollBar()->value();
  for (int line = first; line <= last; ++line)
    PaintLine(painter, line, kMargin + line * lineHeight - scroll, left);
}

void GuideView::PaintLine(QPainter& painter, int line, int top, int left) const {
  std::vector<NodeLayout::Placed> placed = layout_.PlaceLine(line);
  int height = layout_.LineHeight();
  for (const NodeLayout::Placed& place : placed) {
    const NodeLayout::Piece& piece = layout_.Pieces()[place.piece];
    const Span& span = *layout_.Spans()[piece.span].span;
    if (piece.kind != PieceKind::Link && span.style.bgPen != kBackgroundPen)
      painter.fillRect(QRectF(left + place.x, top, place.width, height), Pen(span.style.bgPen));
  }
  PaintMatches(painter, line, placed, top, left);
  qreal baseline = top + 1 + layout_.Ascent();
  for (const NodeLayout::Placed& place : placed) {
    const NodeLayout::Piece& piece = layout_.Pieces()[place.piece];
    const NodeLayout::SpanText& span = layout_.Spans()[piece.span];
    if (piece.kind == PieceKind::Link) {
      PaintButton(painter, place, top, left);
      continue;
    }
    bool underlined = (span.span->style.bits & kStyleUnderline) != 0;
    if (piece.kind == PieceKind::Tab || (piece.kind == PieceKind::Spaces && !underlined)) continue;
    painter.setFont(layout_.Face(span.span->style.bits));
    painter.setPen(Pen(span.span->style.fgPen));
    painter.drawText(QPointF(left + place.x, baseline), span.text.mid(piece.begin, piece.end - piece.begin));
  }
}

// The part of a match on a line, in layout x; FALSE when none of it is there.
bool GuideView::MatchExtent(const Match& match, const std::vector<NodeLayout::Placed>& placed, qreal& x0,
                            qreal& x1) const {
  bool found = false;
  for (const NodeLayout::Placed& place : placed) {
    const NodeLayout::Piece& piece = layout_.Pieces()[place.piece];
    int offset = layout_.Spans()[piece.span].offset;
    int begin = std::max(match.begin, offset + piece.begin);
    int end = std::min(match.end, offset + piece.end);
    if (begin >= end) continue;
    if (!found) x0 = place.x + layout_.OffsetInPiece(place, begin - offset);
    x1 = place.x + layout_.OffsetInPiece(place, end - offset);
    found = true;
  }
  return found;
}

void GuideView::PaintMatches(QPainter& painter, int line, const std::vector<NodeLayout::Placed>& placed,
                             int top, int left) const {
  if (matches_.empty()) return;
  int paragraph = layout_.Lines()[line].paragraph;
  auto first = std::lower_bound(matches_.begin(), matches_.end(), paragraph,
                                [](const Match& match, int wanted) { return match.paragraph < wanted; });
  for (auto match = first; match != matches_.end() && match->paragraph == paragraph; ++match) {
    qreal x0 = 0, x1 = 0;
    if (!MatchExtent(*match, placed, x0, x1)) continue;
    QColor colour = match - matches_.begin() == currentMatch_ ? kCurrentMatch : kOtherMatch;
    painter.fillRect(QRectF(left + x0, top, x1 - x0, layout_.LineHeight()), colour);
  }
}

// A raised bevel, light at the top and left; the active link (the one with
// the focus, or pressed) is filltext on fill and recessed.
void GuideView::PaintButton(QPainter& painter, const NodeLayout::Placed& placed, int top, int left) const {
  const NodeLayout::SpanText& span = layout_.Spans()[layout_.Pieces()[placed.piece].span];
  int link = span.span->link;
  bool active = link == focusedLink_ || (link == pressedLink_ && pressedInside_);
  int x = left + static_cast<int>(std::round(placed.x));
  QRect button(x, top, left + static_cast<int>(std::round(placed.x + placed.width)) - x,
               layout_.LineHeight());
  painter.fillRect(button, Pen(active ? kFillPen : kBackgroundPen));
  QColor light = Pen(kShinePen), dark = Pen(kTextPen);
  painter.setPen(active ? dark : light);
  painter.drawLine(button.topLeft(), button.topRight());
  painter.drawLine(button.topLeft(), button.bottomLeft());
  painter.setPen(active ? light : dark);
  painter.drawLine(button.bottomLeft(), button.bottomRight());
  painter.drawLine(button.topRight(), button.bottomRight());
  painter.setFont(layout_.Face(0));
  painter.setPen(Pen(kTextPen));
  painter.drawText(QPointF(left + placed.x, top + 1 + layout_.Ascent()), span.text);
}

// ---------------------------------------------------------------------------
// Keys and the mouse

void GuideView::keyPressEvent(QKeyEvent* event) {
  QScrollBar* vertical = verticalScrollBar();
  QScrollBar* horizontal = horizontalScrollBar();
  bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (focusedLink_ < 0) return event->ignore();
      emit LinkActivated(focusedLink_);
      return;
    case Qt::Key_Escape:
      if (focusedLink_ < 0) return event->ignore();
      FocusLink(-1);
      return;
    case Qt::Key_Home: return vertical->triggerAction(QAbstractSlider::SliderToMinimum);
    case Qt::Key_End: return vertical->triggerAction(QAbstractSlider::SliderToMaximum);
    case Qt::Key_PageUp: return vertical->triggerAction(QAbstractSlider::SliderPageStepSub);
    case Qt::Key_PageDown: return vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
    case Qt::Key_Space:
      return vertical->triggerAction(shift ? QAbstractSlider::SliderPageStepSub
                                           : QAbstractSlider::SliderPageStepAdd);
    case Qt::Key_Up: return vertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
    case Qt::Key_Down: return vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    case Qt::Key_Left: return horizontal->triggerAction(QAbstractSlider::SliderSingleStepSub);
    case Qt::Key_Right: return horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    default: QAbstractScrollArea::keyPressEvent(event);
  }
}

void GuideView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  event->accept();
  int link = LinkAt(event->position().toPoint());
  pressedLink_ = link;
  pressedInside_ = link >= 0;
  if (link >= 0) focusedLink_ = link;
  viewport()->update();
}

void GuideView::mouseMoveEvent(QMouseEvent* event) {
  int link = LinkAt(event->position().toPoint());
  viewport()->setCursor(link >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
  if (pressedLink_ >= 0 && pressedInside_ != (link == pressedLink_)) {
    // Sliding off the pressed button cancels it; sliding back arms it again.
    pressedInside_ = link == pressedLink_;
    viewport()->update();
  }
}

void GuideView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseReleaseEvent(event);
  event->accept();
  int link = pressedLink_;
  if (link < 0) return;
  bool follow = pressedInside_ && LinkAt(event->position().toPoint()) == link;
  pressedLink_ = -1;
  pressedInside_ = false;
  viewport()->update();
  if (follow) emit LinkActivated(link);
}

}  // namespace folioteer
