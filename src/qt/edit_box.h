// The edit box: the widget that holds the text of the node being edited.
//
// It shows a node's bytes as text and gives back exactly the same bytes for
// text the user did not touch (qt/guide_text.h): control bytes and bytes that
// are no text appear as boxes holding their value in hex, and stay in place
// byte for byte through editing, copying and pasting within the box. Every
// way text comes in from the user (keys, input methods, pasting, dropping) is
// filtered: line ends become LF, control characters become byte marks, and
// text holding a character the guide's encoding cannot hold is not taken at
// all; the box then says which character and why, in a note over its
// bottom edge and through the signal InputRefused.
//
// The program's positions are byte positions: lines count from 0, columns
// count bytes of the line. The markup highlighter (qt/markup_highlighter.h)
// colours the text and sizes the byte marks.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <optional>
#include <string>
#include <string_view>

#include "qt/guide_text.h"
#include "qt/markup_highlighter.h"
#include "ui/windows.h"

namespace folioteer {

class EditBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit EditBox(QWidget* parent = nullptr);

  // Replaces the whole text and the undo history; the cursor goes to the start.
  void SetGuideText(std::string_view bytes, Charset charset);
  // The text as bytes, lines separated by LF; nothing only when text reached
  // the box past its filters (through QPlainTextEdit's own setters) holding
  // a character the encoding cannot hold.
  std::optional<std::string> GuideText() const;
  const GuideTextCodec& Codec() const { return codec_; }

  // Program edits; each is one step of the undo history.
  void InsertGuideText(std::string_view bytes);
  void ReplaceGuideSelection(std::string_view bytes);
  // FALSE when nothing is selected; last is the position after the block.
  bool GuideSelection(TextPos& first, TextPos& last) const;
  void SelectGuideBlock(TextPos first, TextPos last);
  TextPos CursorPos() const;
  void SetCursorPos(TextPos pos);

  // The line and byte column of a QTextDocument position, and back. A line
  // past the end stands at the end of the text.
  TextPos BytePos(int documentPosition) const;
  int DocumentPosition(TextPos pos) const;

  MarkupHighlighter& Highlighter() { return *highlighter_; }
  // The refusal note on show, empty when none is.
  QString RefusalNote() const { return note_->isVisible() ? note_->text() : QString(); }

 signals:
  void InputRefused(const QString& message);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  QMimeData* createMimeDataFromSelection() const override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Inserts prepared text at the cursor, or shows the refusal; FALSE when refused.
  bool TakeInput(const PreparedInput& input);
  void Refuse(const QString& message);
  void PlaceNote();
  void PaintByteMarks(QPainter& painter, const QTextBlock& block, const QPointF& offset);

  GuideTextCodec codec_;
  MarkupHighlighter* highlighter_;
  QLabel* note_;
  QTimer noteTimer_;
};

// The clipboard format in which the edit box passes text with byte marks to
// itself (the text in UTF-8, marks included).
inline constexpr const char* kGuideTextMimeType = "application/x-folioteer-guide-text";

}  // namespace folioteer
