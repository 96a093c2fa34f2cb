#include "qt/edit_box.h"

#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

namespace folioteer {
namespace {

constexpr int kNoteMilliseconds = 10000;

// Text for other programs: a mark of a byte that is a character of its own
// (an ASCII control, any byte of ISO-8859-1) becomes that character; a raw
// byte of a UTF-8 guide has none and stays a mark.
QString PlainForOthers(QString text, const GuideTextCodec& codec) {
  for (QChar& ch : text) {
    if (!IsByteMark(ch)) continue;
    uint8_t byte = MarkedByte(ch);
    if (!codec.IsUtf8() || byte < 0x80) ch = QChar(byte);
  }
  return text;
}

bool FirstIsPrintable(const QString& text) {
  if (text.isEmpty()) return false;
  char32_t first = text.toUcs4().value(0);
  return first == '\t' || QChar::isPrint(first);
}

}  // namespace

EditBox::EditBox(QWidget* parent)
    : QPlainTextEdit(parent), highlighter_(new MarkupHighlighter(document())), note_(new QLabel(this)) {
  highlighter_->SetColours(palette());
  highlighter_->SetEditorFont(font());
  setTabStopDistance(QFontMetricsF(font()).horizontalAdvance(u' ') * 8);

  note_->setObjectName(QStringLiteral("refusalNote"));
  note_->setTextFormat(Qt::PlainText);
  note_->setWordWrap(true);
  note_->setFrameShape(QFrame::StyledPanel);
  note_->setAutoFillBackground(true);
  note_->setBackgroundRole(QPalette::ToolTipBase);
  note_->setForegroundRole(QPalette::ToolTipText);
  note_->setMargin(note_->fontMetrics().height() / 3);
  note_->hide();
  noteTimer_.setSingleShot(true);
  noteTimer_.setInterval(kNoteMilliseconds);
  connect(&noteTimer_, &QTimer::timeout, note_, &QWidget::hide);
  connect(document(), &QTextDocument::contentsChanged, note_, &QWidget::hide);
}

// ---------------------------------------------------------------------------
// Text and positions

void EditBox::SetGuideText(std::string_view bytes, Charset charset) {
  codec_ = GuideTextCodec(charset);
  setPlainText(codec_.Decode(bytes));
}

std::optional<std::string> EditBox::GuideText() const {
  std::string out;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    std::optional<std::string> line = codec_.Encode(block.text());
    if (!line) return std::nullopt;
    if (block != document()->begin()) out += '\n';
    out += *line;
  }
  return out;
}

void EditBox::InsertGuideText(std::string_view bytes) {
  QTextCursor cursor = textCursor();
  cursor.clearSelection();
  cursor.insertText(codec_.Decode(bytes));
  setTextCursor(cursor);
}

void EditBox::ReplaceGuideSelection(std::string_view bytes) {
  QTextCursor cursor = textCursor();
  cursor.insertText(codec_.Decode(bytes));
  setTextCursor(cursor);
}

bool EditBox::GuideSelection(TextPos& first, TextPos& last) const {
  QTextCursor cursor = textCursor();
  if (!cursor.hasSelection()) return false;
  first = BytePos(cursor.selectionStart());
  last = BytePos(cursor.selectionEnd());
  return true;
}

void EditBox::SelectGuideBlock(TextPos first, TextPos last) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(DocumentPosition(first));
  cursor.setPosition(DocumentPosition(last), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

TextPos EditBox::CursorPos() const { return BytePos(textCursor().position()); }

void EditBox::SetCursorPos(TextPos pos) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(DocumentPosition(pos));
  setTextCursor(cursor);
}

TextPos EditBox::BytePos(int documentPosition) const {
  QTextBlock block = document()->findBlock(documentPosition);
  if (!block.isValid()) block = document()->lastBlock();
  qsizetype index = documentPosition - block.position();
  return {block.blockNumber(), static_cast<int>(codec_.ByteColumn(block.text(), index))};
}

int EditBox::DocumentPosition(TextPos pos) const {
  if (pos.line < 0) return 0;
  QTextBlock block = document()->findBlockByNumber(pos.line);
  if (!block.isValid()) return document()->characterCount() - 1;
  return block.position() + static_cast<int>(codec_.IndexOfByteColumn(block.text(), pos.column));
}

// ---------------------------------------------------------------------------
// Input from the user

bool EditBox::TakeInput(const PreparedInput& input) {
  if (input.Refused()) {
    Refuse(input.refusal);
    return false;
  }
  QTextCursor cursor = textCursor();
  cursor.insertText(input.text);
  setTextCursor(cursor);
  ensureCursorVisible();
  return true;
}

void EditBox::Refuse(const QString& message) {
  note_->setText(message);
  PlaceNote();
  note_->show();
  note_->raise();
  noteTimer_.start();
  emit InputRefused(message);
}

void EditBox::keyPressEvent(QKeyEvent* event) {
  QString text = event->text();
  if (isReadOnly() || !FirstIsPrintable(text)) {
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  PreparedInput input = codec_.PrepareInput(text);
  if (!input.Refused() && input.text == text) {
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  TakeInput(input);
  event->accept();
}

void EditBox::inputMethodEvent(QInputMethodEvent* event) {
  if (event->commitString().isEmpty()) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  PreparedInput input = codec_.PrepareInput(event->commitString());
  if (input.Refused()) Refuse(input.refusal);
  QInputMethodEvent filtered(event->preeditString(), event->attributes());
  filtered.setCommitString(input.text, event->replacementStart(), event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&filtered);
}

bool EditBox::canInsertFromMimeData(const QMimeData* source) const {
  return source->hasFormat(kGuideTextMimeType) || QPlainTextEdit::canInsertFromMimeData(source);
}

void EditBox::insertFromMimeData(const QMimeData* source) {
  if (isReadOnly()) return;
  if (source->hasFormat(kGuideTextMimeType))
    TakeInput(codec_.PrepareInput(QString::fromUtf8(source->data(kGuideTextMimeType)), MarksIn::Bytes));
  else if (source->hasText())
    TakeInput(codec_.PrepareInput(source->text()));
}

QMimeData* EditBox::createMimeDataFromSelection() const {
  QString selected = textCursor().selectedText();
  selected.replace(QChar::ParagraphSeparator, u'\n');
  auto* mime = new QMimeData;
  mime->setData(kGuideTextMimeType, selected.toUtf8());
  mime->setText(PlainForOthers(selected, codec_));
  return mime;
}

// ---------------------------------------------------------------------------
// Drawing

void EditBox::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  QPainter painter(viewport());
  painter.setFont(highlighter_->MarkFont());
  QPointF offset = contentOffset();
  QRectF exposed = event->rect();
  for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
    QRectF geometry = blockBoundingGeometry(block).translated(offset);
    if (geometry.top() > exposed.bottom()) break;
    if (block.isVisible() && geometry.bottom() >= exposed.top())
      PaintByteMarks(painter, block, geometry.topLeft());
  }
}

// Writes each mark's byte in hex into the box the highlighter made for it.
void EditBox::PaintByteMarks(QPainter& painter, const QTextBlock& block, const QPointF& offset) {
  QString text = block.text();
  if (std::none_of(text.cbegin(), text.cend(), IsByteMark)) return;
  QTextCursor cursor = textCursor();
  QTextLayout* layout = block.layout();
  for (int lineIndex = 0; lineIndex < layout->lineCount(); ++lineIndex) {
    QTextLine line = layout->lineAt(lineIndex);
    qreal top = offset.y() + line.y();
    if (top > viewport()->height() || top + line.height() < 0) continue;
    int end = line.textStart() + line.textLength();
    for (int index = line.textStart(); index < end; ++index) {
      if (!IsByteMark(text[index])) continue;
      qreal left = offset.x() + line.cursorToX(index);
      qreal right = offset.x() + line.cursorToX(index + 1);
      int position = block.position() + index;
      bool selected = position >= cursor.selectionStart() && position < cursor.selectionEnd();
      painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
      painter.drawText(QRectF(left, top, right - left, line.height()), Qt::AlignCenter, MarkHex(text[index]));
    }
  }
}

void EditBox::PlaceNote() {
  QRect area = viewport()->geometry();
  int margin = fontMetrics().height() / 2;
  int width = std::max(1, area.width() - 2 * margin);
  int height = note_->heightForWidth(width);
  note_->setGeometry(area.left() + margin, area.bottom() - margin - height, width, height);
}

void EditBox::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  if (note_->isVisible()) PlaceNote();
}

void EditBox::changeEvent(QEvent* event) {
  QPlainTextEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    highlighter_->SetEditorFont(font());
    setTabStopDistance(QFontMetricsF(font()).horizontalAdvance(u' ') * 8);
  } else if (event->type() == QEvent::PaletteChange) {
    highlighter_->SetColours(palette());
  }
}

}  // namespace folioteer
