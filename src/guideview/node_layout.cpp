#include "guideview/node_layout.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <algorithm>
#include <cmath>

namespace folioteer {
namespace {

// The size an Amiga guide's fonts are measured against: topaz 8.
constexpr qreal kWorkbenchFontSize = 8;
constexpr qreal kMinPoints = 6;
constexpr qreal kMaxPoints = 72;
// A tab reached within this fraction of a column counts as standing on it.
constexpr qreal kColumnSlack = 1e-3;

qreal PointSize(const QFont& font) {
  return font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
}

}  // namespace

QFont NodeFont(const FontRequest& request, const QFont& viewerFont) {
  if (!request.IsSet()) return viewerFont;
  QFont font = viewerFont;
  if (request.hint == FontHint::Monospace) {
    font.setFamilies({QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
  } else {
    // A family this system lacks falls back to what fontconfig offers for it.
    font.setFamilies({QString::fromStdString(request.family)});
    font.setStyleHint(QFont::AnyStyle);
    font.setFixedPitch(false);
  }
  if (request.pixelHeight > 0)
    font.setPointSizeF(
        std::clamp(PointSize(viewerFont) * request.pixelHeight / kWorkbenchFontSize, kMinPoints, kMaxPoints));
  return font;
}

NodeLayout::NodeLayout() { SetNode(nullptr, QFont()); }

// ---------------------------------------------------------------------------
// Measuring

void NodeLayout::SetNode(std::shared_ptr<const DisplayNode> node, const QFont& font) {
  node_ = std::move(node);
  faces_.clear();
  metrics_.clear();
  widths_.assign(4, {});
  for (int bits = 0; bits < 8; ++bits) {
    QFont face = font;
    face.setBold((bits & kStyleBold) != 0);
    face.setItalic((bits & kStyleItalic) != 0);
    face.setUnderline((bits & kStyleUnderline) != 0);
    faces_.push_back(face);
    if (bits < 4) metrics_.emplace_back(face);
  }
  lineHeight_ = static_cast<int>(std::ceil(metrics_[0].height())) + 2;
  ascent_ = metrics_[0].ascent();
  spaceWidth_ = std::max<qreal>(metrics_[0].horizontalAdvance(QLatin1Char(' ')), 1);
  Measure();
  lines_.clear();
  contentWidth_ = 0;
}

void NodeLayout::Measure() {
  spans_.clear();
  pieces_.clear();
  paragraphPieces_.clear();
  linksInOrder_.clear();
  linkPieces_.assign(node_ ? node_->links.size() : 0, -1);
  if (!node_) {
    paragraphPieces_.push_back(0);
    return;
  }
  for (size_t p = 0; p < node_->paragraphs.size(); ++p) {
    paragraphPieces_.push_back(static_cast<int>(pieces_.size()));
    int offset = 0;
    for (const Span& span : node_->paragraphs[p].spans) {
      int index = static_cast<int>(spans_.size());
      spans_.push_back({&span, QString::fromStdString(span.text), static_cast<int>(p), offset});
      const QString& text = spans_.back().text;
      offset += span.kind == SpanKind::Tab ? 1 : static_cast<int>(text.size());
      if (span.kind == SpanKind::Tab) {
        pieces_.push_back({PieceKind::Tab, index, 0, 1, 0});  // the "\t" of ParagraphText
      } else if (span.kind == SpanKind::Link) {
        if (span.link >= 0 && span.link < static_cast<int>(linkPieces_.size())) {
          linkPieces_[span.link] = static_cast<int>(pieces_.size());
          linksInOrder_.push_back(span.link);
        }
        pieces_.push_back({PieceKind::Link, index, 0, static_cast<int>(text.size()), TextWidth(text, 0)});
      } else {
        AddTextPieces(index, span.style.bits);
      }
    }
  }
  paragraphPieces_.push_back(static_cast<int>(pieces_.size()));
}

// Words and runs of spaces, each measured in the span's face.
void NodeLayout::AddTextPieces(int span, uint8_t bits) {
  const QString& text = spans_[span].text;
  qreal space = TextWidth(u" ", bits);
  for (int start = 0; start < text.size();) {
    bool spaces = text[start] == QLatin1Char(' ');
    int end = start;
    while (end < text.size() && (text[end] == QLatin1Char(' ')) == spaces) ++end;
    QStringView run = QStringView(text).mid(start, end - start);
    qreal width = spaces ? space * run.size() : TextWidth(run, bits);
    pieces_.push_back({spaces ? PieceKind::Spaces : PieceKind::Word, span, start, end, width});
    start = end;
  }
}

qreal NodeLayout::TextWidth(QStringView text, uint8_t bits) {
  QHash<QString, qreal>& cache = widths_[bits & 3];
  QString key = text.toString();
  auto found = cache.constFind(key);
  if (found != cache.constEnd()) return *found;
  qreal width = metrics_[bits & 3].horizontalAdvance(key);
  cache.insert(key, width);
  return width;
}

qreal NodeLayout::TabWidth(const Piece& piece, qreal x) const {
  const Span& span = *spans_[piece.span].span;
  const TabStops& tabs = node_->tabStopSets.at(static_cast<size_t>(span.tabStops));
  int column = static_cast<int>(std::floor(x / spaceWidth_ + kColumnSlack));
  return std::max<qreal>(NextTabStop(tabs, column) * spaceWidth_ - x, 0);
}

qreal NodeLayout::PieceWidth(const Piece& piece, qreal x) const {
  return piece.kind == PieceKind::Tab ? TabWidth(piece, x) : piece.width;
}

// ---------------------------------------------------------------------------
// Breaking into lines

void NodeLayout::Layout(qreal width) {
  lines_.clear();
  contentWidth_ = 0;
  paragraphLines_.assign(node_ ? node_->paragraphs.size() : 0, 0);
  if (!node_) return;
  lines_.reserve(node_->paragraphs.size());
  for (size_t p = 0; p < node_->paragraphs.size(); ++p) LayoutParagraph(static_cast<int>(p), width);
}

void NodeLayout::LayoutParagraph(int paragraph, qreal width) {
  const Paragraph& shape = node_->paragraphs[paragraph];
  int end = paragraphPieces_[paragraph + 1];
  int lineStart = paragraphPieces_[paragraph];
  qreal indent = shape.firstIndent * spaceWidth_;
  paragraphLines_[paragraph] = static_cast<int>(lines_.size());
  if (shape.wrap == WrapMode::None) return AddLine(paragraph, lineStart, end, indent, width);
  for (;;) {
    qreal x = indent;
    int breakEnd = -1, breakNext = -1, runStart = -1;
    int i = lineStart;
    for (; i < end; ++i) {
      const Piece& piece = pieces_[i];
      if (piece.kind == PieceKind::Spaces) {
        if (i == lineStart || pieces_[i - 1].kind != PieceKind::Spaces) runStart = i;
        if (runStart > lineStart) breakEnd = runStart, breakNext = i + 1;
        x += piece.width;
        continue;
      }
      bool gluedLink =
          piece.kind == PieceKind::Link && i > lineStart && pieces_[i - 1].kind != PieceKind::Spaces;
      if (gluedLink) breakEnd = i, breakNext = i;
      qreal pieceWidth = PieceWidth(piece, x);
      if (x + pieceWidth > width && breakEnd > lineStart) break;
      x += pieceWidth;
      if (piece.kind == PieceKind::Link) breakEnd = i + 1, breakNext = i + 1;
    }
    if (i >= end) return AddLine(paragraph, lineStart, end, indent, width);
    AddLine(paragraph, lineStart, breakEnd, indent, width);
    lineStart = breakNext;
    while (lineStart < end && pieces_[lineStart].kind == PieceKind::Spaces) ++lineStart;
    if (lineStart >= end) return;
    indent = shape.indent * spaceWidth_;
  }
}

void NodeLayout::AddLine(int paragraph, int first, int end, qreal indent, qreal available) {
  Line line{paragraph, first, end, indent, 0, 0};
  qreal x = indent, contentEnd = indent;
  for (int i = first; i < end; ++i) {
    x += PieceWidth(pieces_[i], x);
    if (pieces_[i].kind != PieceKind::Spaces) contentEnd = x;
  }
  line.width = contentEnd - indent;
  qreal free = available - contentEnd;
  switch (node_->paragraphs[paragraph].justification) {
    case Justification::Left: break;
    case Justification::Center: line.shift = std::max<qreal>(free / 2, 0); break;
    case Justification::Right: line.shift = std::max<qreal>(free, 0); break;
  }
  contentWidth_ = std::max(contentWidth_, x + line.shift);
  lines_.push_back(line);
}

// ---------------------------------------------------------------------------
// Questions about the layout

std::vector<NodeLayout::Placed> NodeLayout::PlaceLine(int line) const {
  const Line& laid = lines_.at(static_cast<size_t>(line));
  std::vector<Placed> placed;
  placed.reserve(static_cast<size_t>(laid.endPiece - laid.firstPiece));
  qreal x = laid.indent;
  for (int i = laid.firstPiece; i < laid.endPiece; ++i) {
    qreal width = PieceWidth(pieces_[i], x);
    placed.push_back({i, x + laid.shift, width});
    x += width;
  }
  return placed;
}

int NodeLayout::LineOfPiece(int piece) const {
  auto after = std::upper_bound(lines_.begin(), lines_.end(), piece,
                                [](int wanted, const Line& line) { return wanted < line.firstPiece; });
  return after == lines_.begin() ? 0 : static_cast<int>(after - lines_.begin()) - 1;
}

int NodeLayout::FirstLineOf(int paragraph) const {
  if (paragraphLines_.empty()) return 0;
  return paragraphLines_[std::clamp<size_t>(static_cast<size_t>(std::max(paragraph, 0)), 0,
                                            paragraphLines_.size() - 1)];
}

int NodeLayout::LinkPiece(int link) const {
  return link >= 0 && link < static_cast<int>(linkPieces_.size()) ? linkPieces_[link] : -1;
}

QString NodeLayout::ParagraphText(int paragraph) const {
  QString text;
  auto first = std::lower_bound(spans_.begin(), spans_.end(), paragraph,
                                [](const SpanText& span, int wanted) { return span.paragraph < wanted; });
  for (auto span = first; span != spans_.end() && span->paragraph == paragraph; ++span)
    text += span->span->kind == SpanKind::Tab ? QString(QLatin1Char('\t')) : span->text;
  return text;
}

qreal NodeLayout::OffsetInPiece(const Placed& placed, int position) const {
  const Piece& piece = pieces_[placed.piece];
  const SpanText& span = spans_[piece.span];
  int length = std::clamp(position, piece.begin, piece.end) - piece.begin;
  if (piece.kind == PieceKind::Tab || length == piece.end - piece.begin) return length > 0 ? placed.width : 0;
  uint8_t bits = piece.kind == PieceKind::Link ? 0 : span.span->style.bits;
  return metrics_[bits & 3].horizontalAdvance(span.text.mid(piece.begin, length));
}

}  // namespace folioteer
