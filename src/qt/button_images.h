// The images of the editor's image buttons: the desktop's icon theme first,
// the images bundled with the program (data/folioteer.qrc) where the theme
// lacks them, so every button shows an image also where no theme is
// installed. A row of buttons takes all its images from one source: when
// the theme lacks any name of the row, the whole row shows the bundled set,
// so that no row mixes two looks.
#pragma once

#include <QIcon>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace folioteer {

// clang-format off
enum class ButtonImage : uint8_t {
  Add, Edit, Delete, Up, Down, NewNode, Show, Attribute, Link, Revert, Next, Previous, Warning, Font
};
// clang-format on
inline constexpr int kNumButtonImages = 14;
static_assert(kNumButtonImages == static_cast<int>(ButtonImage::Font) + 1);

// The theme name and the bundled file (":/buttons/...") of an image.
QString ThemeName(ButtonImage image);
QString BundledFile(ButtonImage image);
QIcon BundledIcon(ButtonImage image);

// The images of a row, in its order.
std::vector<QIcon> RowIcons(std::initializer_list<ButtonImage> row);

// The program's own icon, for its windows.
QIcon ProgramIcon();

// Makes the bundled images available; called before the first image is made.
void InitButtonImages();

}  // namespace folioteer
