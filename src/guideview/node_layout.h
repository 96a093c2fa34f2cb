// The layout of a display node in a font: where each word, space, tab and
// link button of the node stands when the text area has a given width.
//
// Setting a node cuts its spans into pieces (words, runs of spaces, tabs,
// link buttons) and measures each once in its face of the font; laying out
// for a width then only adds widths, so a resize costs no text measuring.
// Lines are all one height, the font's height plus 2 pixels, so line n
// starts at n times that height.
//
// Breaking follows the display model: a paragraph in wrap mode None is one
// line; otherwise a line breaks before a word that would cross the width,
// at the last run of spaces (which is dropped) or beside a link button, and
// a word or button wider than the width stands alone on its line, unbroken.
// Tab stops and indents are columns of the plain face's space width from
// the left edge; justification moves a whole line.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "render/display_model.h"

namespace folioteer {

// The font a node asks for with @font, on the viewer's own font: an Amiga
// bitmap font becomes the system's fixed-width font, another name that
// family; an Amiga size counts against the Workbench's usual 8 (topaz 8 is
// the viewer's size, topaz 16 twice that), within 6 to 72 points.
QFont NodeFont(const FontRequest& request, const QFont& viewerFont);

class NodeLayout {
 public:
  enum class PieceKind : uint8_t { Word, Spaces, Tab, Link };
  struct Piece {
    PieceKind kind = PieceKind::Word;
    int span = 0;            // into Spans()
    int begin = 0, end = 0;  // UTF-16 range in the span's text; a tab is 0 to 1
    qreal width = 0;         // tabs: 0, their width depends on where they stand
  };
  struct SpanText {
    const Span* span = nullptr;
    QString text;
    int paragraph = 0;
    int offset = 0;  // of the text in its paragraph's text (ParagraphText)
  };
  struct Line {
    int paragraph = 0;
    int firstPiece = 0, endPiece = 0;
    qreal indent = 0;  // where the line would start left-justified
    qreal shift = 0;   // added by justification
    qreal width = 0;   // from the indent, without trailing spaces
  };
  struct Placed {
    int piece = 0;
    qreal x = 0;
    qreal width = 0;
  };

  NodeLayout();

  // Measures the node (which must outlive the layout's use of it); a null
  // node lays out as nothing.
  void SetNode(std::shared_ptr<const DisplayNode> node, const QFont& font);
  // Breaks the paragraphs into lines for a text area this wide.
  void Layout(qreal width);

  const DisplayNode* Node() const { return node_.get(); }
  const std::vector<SpanText>& Spans() const { return spans_; }
  const std::vector<Piece>& Pieces() const { return pieces_; }
  const std::vector<Line>& Lines() const { return lines_; }
  int LineHeight() const { return lineHeight_; }
  qreal Ascent() const { return ascent_; }
  qreal SpaceWidth() const { return spaceWidth_; }
  // The widest line with its indent and shift.
  qreal ContentWidth() const { return contentWidth_; }
  // The font for a span's style bits; links use the plain face.
  const QFont& Face(uint8_t styleBits) const { return faces_[styleBits & 7]; }

  // The pieces of a line with their places.
  std::vector<Placed> PlaceLine(int line) const;
  // The line that holds a piece, and the first line of a paragraph.
  int LineOfPiece(int piece) const;
  int FirstLineOf(int paragraph) const;
  int FirstPieceOf(int paragraph) const { return paragraphPieces_[paragraph]; }
  // The piece of a link (a DisplayNode::links index), -1 when not shown;
  // links in reading order.
  int LinkPiece(int link) const;
  const std::vector<int>& LinksInOrder() const { return linksInOrder_; }

  // The paragraph's text as find searches it: its spans' texts in order, a
  // tab as "\t".
  QString ParagraphText(int paragraph) const;
  // The x offset, from the piece's place, of a position in its span's text.
  qreal OffsetInPiece(const Placed& placed, int position) const;

 private:
  void Measure();
  void AddTextPieces(int span, uint8_t bits);
  qreal TextWidth(QStringView text, uint8_t bits);
  qreal TabWidth(const Piece& piece, qreal x) const;
  qreal PieceWidth(const Piece& piece, qreal x) const;
  void LayoutParagraph(int paragraph, qreal width);
  void AddLine(int paragraph, int first, int end, qreal indent, qreal available);

  std::shared_ptr<const DisplayNode> node_;
  std::vector<QFont> faces_;                   // by style bits
  std::vector<QFontMetricsF> metrics_;         // by bold and italic bits
  std::vector<QHash<QString, qreal>> widths_;  // measured words, by bold and italic bits
  std::vector<SpanText> spans_;
  std::vector<Piece> pieces_;
  std::vector<int> paragraphPieces_;  // first piece of each paragraph, then the end
  std::vector<int> paragraphLines_;   // first line of each paragraph
  std::vector<int> linkPieces_;       // by link index
  std::vector<int> linksInOrder_;
  std::vector<Line> lines_;
  int lineHeight_ = 0;
  qreal ascent_ = 0;
  qreal spaceWidth_ = 1;
  qreal contentWidth_ = 0;
};

}  // namespace folioteer
