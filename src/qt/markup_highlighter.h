// Markup highlighting for the edit box: AmigaGuide markup in colours, the
// text itself never changed.
//
// Each line is read on its own, as a guide reader reads it: a line that
// starts with "@" but not "@{" is a command line; elsewhere "@{" opens markup
// that ends at the next "}" (or the line end): a link when it starts with a
// double quote (its quoted label and its command part in different colours),
// an attribute when its first word is an attribute name (and no macro of the
// guide redefines it), else a macro call; a backslash and the character after
// it are an escape. Byte marks (qt/guide_text.h) are drawn as boxes the width
// of two hex digits, which the edit box paints in. No state crosses a line,
// so an edit rehighlights only its own line, in time linear in its length.
// A line longer than kLongestMarkupLine (no guide has one; it is bad input)
// gets its byte marks only: Qt lays a line out again with all its format
// ranges on every keystroke, which would make typing into it crawl.
//
// The colours are derived from the palette: one hue per role, its lightness
// chosen so that it keeps a contrast of at least kMarkupContrast against the
// base colour, on light and dark themes alike.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QSet>
#include <QString>
#include <QStringView>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <array>
#include <cstdint>
#include <vector>

namespace folioteer {

enum class MarkupRole : uint8_t { Command, Attribute, LinkLabel, LinkTarget, Macro, Escape, ByteMark };
inline constexpr int kNumMarkupRoles = 7;
static_assert(kNumMarkupRoles == static_cast<int>(MarkupRole::ByteMark) + 1);

struct MarkupSpan {
  qsizetype start = 0;
  qsizetype length = 0;
  MarkupRole role = MarkupRole::Command;
  friend bool operator==(const MarkupSpan&, const MarkupSpan&) = default;
};

inline constexpr qsizetype kLongestMarkupLine = 65536;

// The spans of one line in order; byte mark spans follow the others and may
// lie inside them. Macro names are in small letters.
void ScanMarkupLine(QStringView line, const QSet<QString>& macroNames, std::vector<MarkupSpan>& spans);

// WCAG contrast ratio of two colours (1 to 21).
double ContrastRatio(const QColor& first, const QColor& second);
inline constexpr double kMarkupContrast = 4.5;
// The text colour of each role for the palette (ByteMark: the box's colour).
std::array<QColor, kNumMarkupRoles> MarkupColours(const QPalette& palette);

class MarkupHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit MarkupHighlighter(QTextDocument* document);

  // Each rehighlights the whole document.
  void SetColours(const QPalette& palette);
  void SetEditorFont(const QFont& font);
  void SetMacroNames(const QStringList& names);

  QTextCharFormat RoleFormat(MarkupRole role) const { return formats_[static_cast<int>(role)]; }
  // The font the edit box writes a byte mark's hex digits in.
  const QFont& MarkFont() const { return markFont_; }

 protected:
  void highlightBlock(const QString& text) override;

 private:
  void BuildFormats();

  QPalette palette_;
  QFont editorFont_;
  QFont markFont_;
  QSet<QString> macroNames_;
  std::array<QTextCharFormat, kNumMarkupRoles> formats_;
  std::vector<MarkupSpan> spans_;  // reused from line to line
};

}  // namespace folioteer
