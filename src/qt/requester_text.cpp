#include "qt/requester_text.h"

#include <QApplication>
#include <QPalette>

#include "qt/guide_text.h"
#include "support/requesters.h"

namespace folioteer {
namespace {

// Escaped for rich text; each mark as its hex value on a tinted ground.
QString RichPart(std::string_view bytes, const GuideTextCodec& codec) {
  QString text = codec.Decode(bytes);
  QString markColour = QApplication::palette().color(QPalette::Mid).name();
  QString rich;
  rich.reserve(text.size());
  for (QChar ch : text) {
    if (IsByteMark(ch))
      rich += QStringLiteral("<span style=\"background-color:%1\">%2</span>").arg(markColour, MarkHex(ch));
    else if (ch == u'<')
      rich += QStringLiteral("&lt;");
    else if (ch == u'>')
      rich += QStringLiteral("&gt;");
    else if (ch == u'&')
      rich += QStringLiteral("&amp;");
    else
      rich += ch;
  }
  return rich;
}

}  // namespace

QString RequesterLabelText(std::string_view bytes) {
  GuideTextCodec codec = GuideTextCodec::ForGuide(PlainText(bytes));
  size_t bold = bytes.find(kBoldOn);
  QString rich = RichPart(bytes.substr(0, bold), codec);
  if (bold != std::string_view::npos)
    rich += QStringLiteral("<b>%1</b>").arg(RichPart(PlainText(bytes.substr(bold)), codec));
  return QStringLiteral("<div style=\"white-space:pre-wrap\">%1</div>").arg(rich);
}

QString RequesterPlainText(std::string_view bytes) {
  QString text = GuideTextCodec::ForGuide(bytes).Decode(bytes);
  QString plain;
  plain.reserve(text.size());
  for (QChar ch : text) plain += IsByteMark(ch) ? QStringLiteral("<%1>").arg(MarkHex(ch)) : QString(ch);
  return plain;
}

}  // namespace folioteer
