#include "qt/font_requester.h"

#include <QFontInfo>

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

namespace {

// The dialog lists real families only: an alias ("Monospace") or a missing
// family starts at the family the system draws it with.
QFont ListedFont(const FontChoice& choice) {
  QFont font = FontOfChoice(choice);
  font.setFamily(QFontInfo(font).family());
  return font;
}

}  // namespace

FontRequester::FontRequester(QWidget* parent, std::string_view title, const FontChoice& initial)
    : QFontDialog(ListedFont(initial), parent) {
  setWindowTitle(RequesterPlainText(title));
}

std::optional<FontChoice> FontRequester::Answer() const {
  if (result() != QDialog::Accepted) return std::nullopt;
  return ChoiceOfFont(selectedFont());
}

}  // namespace folioteer
