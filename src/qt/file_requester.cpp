#include "qt/file_requester.h"

#include <QFile>
#include <QRegularExpression>

#include "qt/requester_text.h"

namespace folioteer {
namespace {

// Many alternatives multiply; past this many the filter widens to "*".
constexpr qsizetype kMostGlobs = 32;

struct PatternReader {
  std::string_view pattern;
  size_t pos = 0;
  bool widened = false;

  bool AtEnd() const { return pos >= pattern.size(); }
  char Peek() const { return pattern[pos]; }

  // Alternatives separated by "|" up to the end or a closing parenthesis.
  QStringList Alternatives() {
    QStringList all = Sequence();
    while (!AtEnd() && Peek() == '|') {
      ++pos;
      all += Sequence();
    }
    return all;
  }

  // A run of items; each item multiplies the globs so far.
  QStringList Sequence() {
    QStringList globs{QString()};
    while (!AtEnd() && Peek() != '|' && Peek() != ')') {
      QStringList item = Item();
      QStringList joined;
      for (const QString& head : globs)
        for (const QString& tail : item) joined += head + tail;
      globs = joined;
      if (globs.size() > kMostGlobs) widened = true;
    }
    return globs;
  }

  QStringList Item() {
    char ch = pattern[pos++];
    switch (ch) {
      case '#':  // any number of the item after it: only "any text" can say that
        if (!AtEnd()) Item();
        return {QStringLiteral("*")};
      case '(': {
        QStringList inner = Alternatives();
        if (!AtEnd()) ++pos;  // ")"
        return inner;
      }
      case '~': widened = true; return {QStringLiteral("*")};
      case '%': return {QString()};
      case '\'':
        if (AtEnd()) return {QString()};
        ch = pattern[pos++];
        return {QString::fromLatin1("*?[").contains(QLatin1Char(ch))
                    ? QStringLiteral("[%1]").arg(QLatin1Char(ch))
                    : RequesterPlainText(std::string_view(&ch, 1))};
      case '[': {
        size_t close = pattern.find(']', pos);
        if (close == std::string_view::npos) return {QStringLiteral("[[]")};
        QString set = QStringLiteral("[") + RequesterPlainText(pattern.substr(pos, close - pos)) + u']';
        pos = close + 1;
        return {set};
      }
      default: return {RequesterPlainText(std::string_view(&pattern[pos - 1], 1))};
    }
  }
};

}  // namespace

QStringList AmigaPatternGlobs(std::string_view pattern) {
  PatternReader reader{pattern};
  QStringList globs = reader.Alternatives();
  globs.removeDuplicates();
  globs.removeAll(QString());
  if (reader.widened || globs.isEmpty() || globs.contains(QStringLiteral("*"))) return {QStringLiteral("*")};
  return globs;
}

FileRequester::FileRequester(QWidget* parent, std::string_view title, std::string_view pattern,
                             FileRequestMode mode, const QString& directory)
    : QFileDialog(parent, RequesterPlainText(title), directory) {
  setFileMode(QFileDialog::AnyFile);
  setAcceptMode(mode == FileRequestMode::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  QStringList globs = AmigaPatternGlobs(pattern);
  QStringList filters{globs.join(u' ')};
  if (globs != QStringList{QStringLiteral("*")}) filters += QStringLiteral("All files (*)");
  setNameFilters(filters);
  // A name typed without an extension gets the pattern's, as save dialogs do.
  const QString& first = globs.front();
  if (mode == FileRequestMode::Save && first.startsWith(QStringLiteral("*.")) &&
      !first.mid(2).contains(QRegularExpression(QStringLiteral("[*?\\[]"))))
    setDefaultSuffix(first.mid(2));
}

std::optional<std::string> FileRequester::Answer() const {
  if (result() != QDialog::Accepted || selectedFiles().isEmpty()) return std::nullopt;
  return QFile::encodeName(selectedFiles().front()).toStdString();
}

}  // namespace folioteer
