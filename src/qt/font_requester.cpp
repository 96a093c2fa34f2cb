#include "qt/font_requester.h"

#include "qt/requester_text.h"

namespace folioteer {

QFont FontOfChoice(const FontChoice& choice) {
  QString family = RequesterPlainText(choice.name);
  if (family.endsWith(QStringLiteral(".font"), Qt::CaseInsensitive)) family.chop(5);
  QFont font(family);
  if (choice.size > 0) font.setPointSize(choice.size);
  font.setUnderline((choice.style & kFontUnderlined) != 0);
  font.setBold((choice.style & kFontBold) != 0);
  font.setItalic((choice.style & kFontItalic) != 0);
  return font;
}

FontChoice ChoiceOfFont(const QFont& font) {
  FontChoice choice;
  choice.name = font.family().toStdString();
  choice.size = font.pointSize() > 0 ? font.pointSize() : font.pixelSize();
  choice.style = (font.underline() ? kFontUnderlined : 0) | (font.bold() ? kFontBold : 0) |
                 (font.italic() ? kFontItalic : 0);
  return choice;
}

FontRequester::FontRequester(QWidget* parent, std::string_view title, const FontChoice& initial)
    : QFontDialog(FontOfChoice(initial), parent) {
  setWindowTitle(RequesterPlainText(title));
}

std::optional<FontChoice> FontRequester::Answer() const {
  if (result() != QDialog::Accepted) return std::nullopt;
  return ChoiceOfFont(selectedFont());
}

}  // namespace folioteer
