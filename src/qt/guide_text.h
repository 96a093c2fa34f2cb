// Guide text in Qt: the conversion between the bytes of a guide and the text
// of a Qt edit field, without loss in either direction.
//
// A guide's text is ISO-8859-1, or UTF-8 when the whole guide is valid UTF-8
// holding multi-byte sequences (the rule of render/charset.h). Decoding makes
// one character of each character of the guide, except for the bytes that an
// edit field could not show or would not give back: the control bytes
// (0x00-0x1F but TAB and LF, 0x7F, and 0x80-0x9F in ISO-8859-1) and, in UTF-8,
// every byte of a broken sequence and of the characters that Qt's text
// document treats as structure or that are themselves marks (C1 controls,
// U+2028, U+2029, U+FDD0, U+FDD1, U+F700-U+F7FF). Each such byte becomes a
// byte mark: the private-use character U+F700 plus the byte. The field draws
// marks as boxes with the byte in hex, and encoding turns each mark back into
// its byte, so text nobody touched comes back byte for byte.
//
// A mark always stands for a byte, never for a character: decoding never
// yields a real U+F7xx (in UTF-8 such a character is shown as the marks of its
// three bytes), and text that comes from outside (typing, the clipboard of
// other programs) goes through PrepareInput, which treats U+F7xx as the
// ordinary character it is there. Text from outside may carry characters the
// guide's encoding cannot hold ("€" in ISO-8859-1, a broken surrogate): they
// are refused with a message naming them, never replaced.
//
// Positions of the window operations are byte columns; the column functions
// convert between them and QString indexes of one line.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "render/charset.h"

namespace folioteer {

inline constexpr char16_t kByteMarkBase = 0xF700;
inline bool IsByteMark(QChar ch) { return (ch.unicode() & 0xFF00) == kByteMarkBase; }
inline QChar ByteMark(uint8_t byte) { return QChar(static_cast<char16_t>(kByteMarkBase + byte)); }
inline uint8_t MarkedByte(QChar ch) { return static_cast<uint8_t>(ch.unicode() & 0xFF); }

// How PrepareInput reads the characters U+F700-U+F7FF: as byte marks (text
// copied from a guide edit field) or as the characters they are.
enum class MarksIn { Bytes, Characters };

// Text from outside made ready for the field, or the reason it is refused.
struct PreparedInput {
  QString text;     // line ends as LF, control characters as marks
  QString refusal;  // empty unless refused; then says which character and why
  bool Refused() const { return !refusal.isEmpty(); }
};

class GuideTextCodec {
 public:
  // ISO-8859-1 or UTF-8; the other 8-bit sets are read as ISO-8859-1, which
  // keeps their bytes.
  explicit GuideTextCodec(Charset charset = Charset::Latin1);
  static GuideTextCodec ForGuide(std::string_view guideBytes) {
    return GuideTextCodec(DetectCharset(guideBytes));
  }

  Charset charset() const { return charset_; }
  bool IsUtf8() const { return charset_ == Charset::Utf8; }

  QString Decode(std::string_view bytes) const;
  // The bytes of the text (LF between lines); nothing when the text holds a
  // character the encoding cannot hold (FirstUnheld finds it).
  std::optional<std::string> Encode(QStringView text) const;
  // The index of the first character of field text that cannot be encoded, or -1.
  qsizetype FirstUnheld(QStringView text) const;

  PreparedInput PrepareInput(QStringView text, MarksIn marks = MarksIn::Characters) const;

  // The byte length of field text once encoded (marks count one byte).
  int64_t EncodedLength(QStringView text) const;
  // Byte column of a line's index; and the index of a byte column. A column
  // past the line's end stands at its end; one inside a character at the
  // character's start.
  int64_t ByteColumn(QStringView line, qsizetype index) const;
  qsizetype IndexOfByteColumn(QStringView line, int64_t column) const;

  // The message for a character the encoding cannot hold; count is the number
  // of such characters in the text refused.
  QString RefusalMessage(char32_t character, qsizetype count) const;

 private:
  Charset charset_;
};

// "U+20AC" for a code point.
QString CodePointName(char32_t character);
// The byte of a mark as two hex digits ("1B"), as the field draws it.
QString MarkHex(QChar mark);

}  // namespace folioteer
