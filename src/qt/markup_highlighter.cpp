#include "qt/markup_highlighter.h"

#include <QFontMetricsF>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

#include "guide/syntax.h"
#include "qt/guide_text.h"

namespace folioteer {
namespace {

// The attribute names in small letters ("b", "fg", "settabs"), with the off
// forms of the style attributes ("ub").
const QSet<QString>& AttributeNames() {
  static const QSet<QString> names = [] {
    QSet<QString> result;
    for (int kind = 0; kind < kNumAttrKinds - 1; ++kind) {
      QString keyword = QString::fromStdString(GetAttrName(static_cast<AGAttrKind>(kind))).toLower();
      keyword.remove(0, 2);  // "@{"
      if (keyword.endsWith(u'}')) keyword.chop(1);
      result.insert(keyword);
      if (GetAttrInfo(static_cast<AGAttrKind>(kind)).Has(AttrModifier::AttrStyle))
        result.insert(u'u' + keyword);
    }
    return result;
  }();
  return names;
}

// The markup from "@{" at start; returns where the line goes on.
qsizetype ScanBraces(QStringView line, qsizetype start, const QSet<QString>& macroNames,
                     std::vector<MarkupSpan>& spans) {
  qsizetype close = line.indexOf(u'}', start + 2);
  qsizetype bodyEnd = close < 0 ? line.size() : close;
  qsizetype end = close < 0 ? line.size() : close + 1;
  QStringView body = line.mid(start + 2, bodyEnd - start - 2);
  if (body.startsWith(u'"')) {
    qsizetype labelClose = body.indexOf(u'"', 1);
    qsizetype labelEnd = labelClose < 0 ? bodyEnd : start + 2 + labelClose + 1;
    spans.push_back({start, 2, MarkupRole::LinkTarget});
    spans.push_back({start + 2, labelEnd - start - 2, MarkupRole::LinkLabel});
    if (end > labelEnd) spans.push_back({labelEnd, end - labelEnd, MarkupRole::LinkTarget});
    return end;
  }
  qsizetype nameEnd = 0;
  while (nameEnd < body.size() && body[nameEnd] != u' ' && body[nameEnd] != u'\t') ++nameEnd;
  QString name = body.first(nameEnd).toString().toLower();
  bool attribute = name.isEmpty() || (AttributeNames().contains(name) && !macroNames.contains(name));
  spans.push_back({start, end - start, attribute ? MarkupRole::Attribute : MarkupRole::Macro});
  return end;
}

void ScanByteMarks(QStringView line, std::vector<MarkupSpan>& spans) {
  for (qsizetype i = 0; i < line.size(); ++i) {
    if (!IsByteMark(line[i])) continue;
    qsizetype start = i;
    while (i + 1 < line.size() && IsByteMark(line[i + 1])) ++i;
    spans.push_back({start, i + 1 - start, MarkupRole::ByteMark});
  }
}

double Luminance(const QColor& colour) {
  auto channel = [](double value) {
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
  };
  QColor rgb = colour.toRgb();
  return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

QColor Blend(const QColor& from, const QColor& to, double share) {
  auto mix = [share](double a, double b) { return a + (b - a) * share; };
  QColor first = from.toRgb(), second = to.toRgb();
  return QColor::fromRgbF(static_cast<float>(mix(first.redF(), second.redF())),
                          static_cast<float>(mix(first.greenF(), second.greenF())),
                          static_cast<float>(mix(first.blueF(), second.blueF())));
}

// A hue at the lightness nearest the middle that still stands out from base.
QColor ReadableHue(int hue, const QColor& base) {
  bool darkBase = Luminance(base) < 0.18;
  double step = darkBase ? 0.02 : -0.02;
  QColor colour;
  for (double lightness = darkBase ? 0.62 : 0.42; lightness >= 0.0 && lightness <= 1.0; lightness += step) {
    colour = QColor::fromHslF(static_cast<float>(hue / 360.0), 0.8f, static_cast<float>(lightness));
    if (ContrastRatio(colour, base) >= kMarkupContrast) return colour;
  }
  return darkBase ? QColor(Qt::white) : QColor(Qt::black);
}

// clang-format off
constexpr std::array<int, kNumMarkupRoles - 1> kRoleHues = {
  270,  // Command: violet
  170,  // Attribute: teal
  28,   // LinkLabel: amber
  212,  // LinkTarget: blue
  318,  // Macro: magenta
  0,    // Escape: red
};
// clang-format on

}  // namespace

void ScanMarkupLine(QStringView line, const QSet<QString>& macroNames, std::vector<MarkupSpan>& spans) {
  spans.clear();
  if (line.size() > kLongestMarkupLine) {
    // Byte marks only.
  } else if (line.startsWith(u'@') && !line.startsWith(u"@{")) {
    spans.push_back({0, line.size(), MarkupRole::Command});
  } else {
    qsizetype i = 0;
    while (i < line.size()) {
      char16_t ch = line[i].unicode();
      if (ch == u'\\' && i + 1 < line.size()) {
        spans.push_back({i, 2, MarkupRole::Escape});
        i += 2;
      } else if (ch == u'@' && i + 1 < line.size() && line[i + 1] == u'{') {
        i = ScanBraces(line, i, macroNames, spans);
      } else {
        ++i;
      }
    }
  }
  ScanByteMarks(line, spans);
}

double ContrastRatio(const QColor& first, const QColor& second) {
  double a = Luminance(first), b = Luminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

std::array<QColor, kNumMarkupRoles> MarkupColours(const QPalette& palette) {
  std::array<QColor, kNumMarkupRoles> colours;
  QColor base = palette.color(QPalette::Active, QPalette::Base);
  for (size_t role = 0; role < kRoleHues.size(); ++role) colours[role] = ReadableHue(kRoleHues[role], base);
  colours[static_cast<int>(MarkupRole::ByteMark)] =
      Blend(base, palette.color(QPalette::Active, QPalette::Text), 0.22);
  return colours;
}

MarkupHighlighter::MarkupHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document), editorFont_(document->defaultFont()) {
  BuildFormats();
}

void MarkupHighlighter::SetColours(const QPalette& palette) {
  palette_ = palette;
  BuildFormats();
  rehighlight();
}

void MarkupHighlighter::SetEditorFont(const QFont& font) {
  editorFont_ = font;
  BuildFormats();
  rehighlight();
}

void MarkupHighlighter::SetMacroNames(const QStringList& names) {
  macroNames_.clear();
  for (const QString& name : names) macroNames_.insert(name.toLower());
  rehighlight();
}

void MarkupHighlighter::BuildFormats() {
  std::array<QColor, kNumMarkupRoles> colours = MarkupColours(palette_);
  for (int role = 0; role < kNumMarkupRoles; ++role) {
    formats_[role] = QTextCharFormat();
    formats_[role].setForeground(colours[role]);
  }
  formats_[static_cast<int>(MarkupRole::LinkLabel)].setFontUnderline(true);

  // A mark's own glyph is hidden; its cell is widened to hold two hex digits.
  markFont_ = editorFont_;
  if (editorFont_.pointSizeF() > 0)
    markFont_.setPointSizeF(editorFont_.pointSizeF() * 0.62);
  else
    markFont_.setPixelSize(std::max(6, editorFont_.pixelSize() * 62 / 100));
  double hexWidth = QFontMetricsF(markFont_).horizontalAdvance(QStringLiteral("DD")) * 1.25;
  double glyphWidth = QFontMetricsF(editorFont_).horizontalAdvance(ByteMark(0));
  QTextCharFormat& mark = formats_[static_cast<int>(MarkupRole::ByteMark)];
  mark.setForeground(QColor(Qt::transparent));
  mark.setBackground(colours[static_cast<int>(MarkupRole::ByteMark)]);
  mark.setFontLetterSpacingType(QFont::AbsoluteSpacing);
  mark.setFontLetterSpacing(std::max(0.0, std::ceil(hexWidth - glyphWidth)));
}

void MarkupHighlighter::highlightBlock(const QString& text) {
  ScanMarkupLine(text, macroNames_, spans_);
  for (const MarkupSpan& span : spans_)
    setFormat(static_cast<int>(span.start), static_cast<int>(span.length),
              formats_[static_cast<int>(span.role)]);
}

}  // namespace folioteer
