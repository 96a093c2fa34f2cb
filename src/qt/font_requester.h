// The font requester: Qt's font dialog for a font given by name, size and
// style bits (underlined 1, bold 2, italic 4), as the settings keep fonts.
// Sizes are points; a name of the Amiga kind ("topaz.font") is looked up
// without its ".font".
#pragma once

#include <QFont>
#include <QFontDialog>
#include <optional>
#include <string_view>

#include "support/requesters.h"

namespace folioteer {

inline constexpr int kFontUnderlined = 1;
inline constexpr int kFontBold = 2;
inline constexpr int kFontItalic = 4;

QFont FontOfChoice(const FontChoice& choice);
FontChoice ChoiceOfFont(const QFont& font);

class FontRequester : public QFontDialog {
  Q_OBJECT

 public:
  FontRequester(QWidget* parent, std::string_view title, const FontChoice& initial);

  // The chosen font; nothing when cancelled.
  std::optional<FontChoice> Answer() const;
};

}  // namespace folioteer
