#include "qt/guide_text.h"

#include <algorithm>

namespace folioteer {
namespace {

bool IsControlCode(char32_t code, Charset charset) {
  if (code == '\t' || code == '\n') return false;
  return code < 0x20 || code == 0x7F || (charset != Charset::Utf8 && code >= 0x80 && code <= 0x9F);
}

// Characters of a UTF-8 guide that are shown as the marks of their bytes: the
// C1 controls, what Qt's text document takes for line or frame breaks, and
// the mark range itself.
bool IsMarkedCharacter(char32_t code) {
  return (code >= 0x80 && code <= 0x9F) || code == 0x2028 || code == 0x2029 || code == 0xFDD0 ||
         code == 0xFDD1 || (code & ~char32_t{0xFF}) == kByteMarkBase;
}

size_t SequenceLength(uint8_t lead) { return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0; }

char32_t DecodeSequence(std::string_view sequence) {
  auto lead = static_cast<uint8_t>(sequence[0]);
  char32_t code = lead & (0x7F >> sequence.size());
  for (size_t i = 1; i < sequence.size(); ++i)
    code = (code << 6) | (static_cast<uint8_t>(sequence[i]) & 0x3F);
  return code;
}

void AppendCharacter(QString& out, char32_t code) {
  if (code > 0xFFFF) {
    out += QChar(QChar::highSurrogate(code));
    out += QChar(QChar::lowSurrogate(code));
  } else {
    out += QChar(static_cast<char16_t>(code));
  }
}

void AppendMarks(QString& out, std::string_view bytes) {
  for (char byte : bytes) out += ByteMark(static_cast<uint8_t>(byte));
}

// The UTF-8 byte length of the character at index (a surrogate pair is one
// character of four bytes); step says how many QChars it takes.
int Utf8Width(QStringView text, qsizetype index, qsizetype& step) {
  char16_t unit = text[index].unicode();
  step = 1;
  if (unit < 0x80 || IsByteMark(QChar(unit))) return 1;
  if (unit < 0x800) return 2;
  if (QChar::isHighSurrogate(unit) && index + 1 < text.size() &&
      QChar::isLowSurrogate(text[index + 1].unicode())) {
    step = 2;
    return 4;
  }
  return 3;
}

}  // namespace

QString CodePointName(char32_t character) {
  return QStringLiteral("U+%1").arg(static_cast<uint32_t>(character), 4, 16, QChar('0')).toUpper();
}

QString MarkHex(QChar mark) {
  return QStringLiteral("%1").arg(MarkedByte(mark), 2, 16, QChar('0')).toUpper();
}

GuideTextCodec::GuideTextCodec(Charset charset)
    : charset_(charset == Charset::Utf8 ? Charset::Utf8 : Charset::Latin1) {}

QString GuideTextCodec::Decode(std::string_view bytes) const {
  QString out;
  if (!IsUtf8()) {
    out = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    for (QChar& ch : out)
      if (IsControlCode(ch.unicode(), charset_)) ch = ByteMark(static_cast<uint8_t>(ch.unicode()));
    return out;
  }
  out.reserve(static_cast<qsizetype>(bytes.size()));
  size_t pos = 0;
  while (pos < bytes.size()) {
    auto lead = static_cast<uint8_t>(bytes[pos]);
    if (lead < 0x80) {
      out += IsControlCode(lead, charset_) ? ByteMark(lead) : QChar(lead);
      ++pos;
      continue;
    }
    size_t length = SequenceLength(lead);
    std::string_view sequence = bytes.substr(pos, length);
    if (length == 0 || sequence.size() < length || !IsValidUtf8(sequence)) {
      out += ByteMark(lead);
      ++pos;
      continue;
    }
    char32_t code = DecodeSequence(sequence);
    if (IsMarkedCharacter(code))
      AppendMarks(out, sequence);
    else
      AppendCharacter(out, code);
    pos += length;
  }
  return out;
}

std::optional<std::string> GuideTextCodec::Encode(QStringView text) const {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    char16_t unit = text[i].unicode();
    if (unit < 0x80 || IsByteMark(text[i])) {
      out.push_back(static_cast<char>(unit & 0xFF));
    } else if (!IsUtf8()) {
      if (unit > 0xFF) return std::nullopt;
      out.push_back(static_cast<char>(unit));
    } else if (QChar::isSurrogate(unit)) {
      if (!QChar::isHighSurrogate(unit) || i + 1 >= text.size() || !text[i + 1].isLowSurrogate())
        return std::nullopt;
      AppendUtf8(out, QChar::surrogateToUcs4(unit, text[i + 1].unicode()));
      ++i;
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

qsizetype GuideTextCodec::FirstUnheld(QStringView text) const {
  for (qsizetype i = 0; i < text.size(); ++i) {
    char16_t unit = text[i].unicode();
    if (unit < 0x80 || IsByteMark(text[i])) continue;
    if (!IsUtf8()) {
      if (unit > 0xFF) return i;
    } else if (QChar::isSurrogate(unit)) {
      if (!QChar::isHighSurrogate(unit) || i + 1 >= text.size() || !text[i + 1].isLowSurrogate()) return i;
      ++i;
    }
  }
  return -1;
}

PreparedInput GuideTextCodec::PrepareInput(QStringView text, MarksIn marks) const {
  PreparedInput prepared;
  QString& out = prepared.text;
  out.reserve(text.size());
  char32_t firstUnheld = 0;
  qsizetype unheld = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    char16_t unit = text[i].unicode();
    if (unit == '\r' || unit == 0x2028 || unit == 0x2029) {
      if (unit == '\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      out += u'\n';
      continue;
    }
    if (marks == MarksIn::Bytes && IsByteMark(text[i])) {
      out += text[i];
      continue;
    }
    char32_t code = unit;
    bool broken = false;
    if (QChar::isSurrogate(unit)) {
      broken = !QChar::isHighSurrogate(unit) || i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
      if (!broken) code = QChar::surrogateToUcs4(unit, text[++i].unicode());
    }
    if (broken || (!IsUtf8() && code > 0xFF)) {
      if (unheld++ == 0) firstUnheld = code;
    } else if (IsControlCode(code, charset_)) {
      out += ByteMark(static_cast<uint8_t>(code));
    } else if (IsUtf8() && IsMarkedCharacter(code)) {
      std::string bytes;
      AppendUtf8(bytes, code);
      AppendMarks(out, bytes);
    } else {
      AppendCharacter(out, code);
    }
  }
  if (unheld > 0) {
    prepared.text.clear();
    prepared.refusal = RefusalMessage(firstUnheld, unheld);
  }
  return prepared;
}

QString GuideTextCodec::RefusalMessage(char32_t character, qsizetype count) const {
  bool surrogate = character >= 0xD800 && character <= 0xDFFF;
  QString shown = surrogate ? QStringLiteral("A broken character (%1)").arg(CodePointName(character))
                            : QStringLiteral("\u201C%1\u201D (%2)")
                                  .arg(QString::fromUcs4(&character, 1), CodePointName(character));
  if (count > 1) shown += QStringLiteral(" and %1 more").arg(count - 1);
  QString reason = surrogate ? QStringLiteral("it is half of a character, which no guide can hold")
                             : QStringLiteral("the guide's text is ISO-8859-1, which has no such character");
  return QStringLiteral("%1 cannot be written into this guide: %2. Nothing was inserted.").arg(shown, reason);
}

int64_t GuideTextCodec::EncodedLength(QStringView text) const {
  if (!IsUtf8()) return text.size();
  int64_t bytes = 0;
  qsizetype step = 1;
  for (qsizetype i = 0; i < text.size(); i += step) bytes += Utf8Width(text, i, step);
  return bytes;
}

int64_t GuideTextCodec::ByteColumn(QStringView line, qsizetype index) const {
  index = std::clamp<qsizetype>(index, 0, line.size());
  return EncodedLength(line.first(index));
}

qsizetype GuideTextCodec::IndexOfByteColumn(QStringView line, int64_t column) const {
  if (column <= 0) return 0;
  if (!IsUtf8()) return static_cast<qsizetype>(std::min<int64_t>(column, line.size()));
  int64_t bytes = 0;
  qsizetype step = 1;
  for (qsizetype i = 0; i < line.size(); i += step) {
    bytes += Utf8Width(line, i, step);
    if (bytes > column) return i;
  }
  return line.size();
}

}  // namespace folioteer
